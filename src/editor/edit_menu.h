#pragma once
// The Edit menu: 要素追加 (asks for a new element and waits for its placement), 接続 (waits for
// the first element of a new connection) and 選択解除 (back to idle). Each first resets the run.

#include <QString>
#include "model/translation.h"

struct Session;

namespace frmMain {

void mnuEditAddElement_Click(Session& s);
void mnuConect_Click(Session& s);
void mnuEditRelease_Click(Session& s);
// すべて選択: every element.
void mnuEditSelectAll_Click(Session& s);

}  // namespace frmMain

// What every Edit menu command does first: a connection being drawn is given up (without a
// message), and the run's queues, values and connection flags are reset.
void ResetRunForEdit(Session& s);

inline constexpr SourceText kTooManyElements{
    QT_TRANSLATE_NOOP("Quillrun", "最大要素数を超えます。これ以上登録できません。")};
inline constexpr SourceText kTooManyConnections{
    QT_TRANSLATE_NOOP("Quillrun", "最大接続数を超えます。これ以上登録できません。")};
