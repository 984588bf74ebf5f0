#pragma once
// The value-cell pool: a free list over Cells(1..1000) from which the argument queues of a run
// take their cells. It does not know what the values mean; the engine does.

#include <QString>
#include <optional>
#include "model/translation.h"

class Prompter;
struct SharedState;

void InitCellPool(SharedState& st);
int AllocCell(SharedState& st);
void FreeCell(SharedState& st, int n);
inline constexpr SourceText kPoolOverflow{QT_TRANSLATE_NOOP("Quillrun", "領域オーバーフロー")};

// Appends (type, value) behind the queue starting at head and returns the new head; nothing when
// the pool is exhausted (the queue is then unchanged).
std::optional<int> TryAppendCell(SharedState& st, int head, const QString& type,
                                 const QString& value);
// The same; when the pool is exhausted it shows "領域オーバーフロー" and returns head unchanged.
int AppendCell(SharedState& st, Prompter& ui, int head, const QString& type, const QString& value);
