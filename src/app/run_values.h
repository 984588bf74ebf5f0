#pragma once
// The run as a table a person reads: for every element its number, kind, text, type, value and
// the values waiting at each input. Shared by the values panel and the canvas's tool tips.

#include "engine/queued_values.h"

#include <QString>
#include <QStringList>

struct SharedState;

// One queued value as the table shows it: a number as it is, a text in quotes, anything else
// after its type.
QString ShownValue(const QueuedValue& value);
// The values of one input, oldest first, separated by commas.
QString ShownQueue(const std::vector<QueuedValue>& queue);

// The fixed columns of a row, before its inputs.
enum RunValuesColumn {
    kColumnNumber,
    kColumnKind,
    kColumnText,
    kColumnType,
    kColumnValue,
    kFixedColumns
};
// The headers of the fixed columns, and of input i (1..).
QString RunValuesHeader(int column);

// The cells of element e's row: the fixed columns, then one per input.
QStringList RunValuesRow(const SharedState& st, int e);

// Element e's row as lines, for a tool tip.
QString RunValuesTip(const SharedState& st, int e);
