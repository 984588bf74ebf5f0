#pragma once
// Values along connections: the offer into empty input queues, the push of results, and taking
// a value out of a queue. It does not decide when an element fires; the step routines do.

#include "engine/step_result.h"

#include <QString>

struct Session;
struct SharedState;
struct ConnectionRec;

// The input of its target that a connection feeds: ArgNo read as a number, 0 or less meaning
// 1, rounded halves to even. Can be 0 (a queue nobody consumes) or above 30 (no queue at all).
int InputIndex(const ConnectionRec& c);

// True when input i (0..30) of element e holds at least one value.
bool QueueHoldsValue(const SharedState& st, int e, int i);

// Takes the first value out of input i of element e, if there is one, and releases its cell.
// Returns false (and leaves type and value alone) when the queue is empty.
bool TakeValue(SharedState& st, int e, int i, QString& type, QString& value);

// Offer from the element StepElem into every target input that is empty. The step is then
// shown redrawn with the transfer line when something was sent, else without a highlight and
// with an empty line.
StepResult SendValue(Session& s, const QString& label, const QString& type, const QString& value);

// Push from the element StepElem: appends the value to every target input whatever it holds.
void PushValue(Session& s, const QString& type, const QString& value);

// "ID=<n> : <label> <type> <value>" and sent (" 転送" in Japanese)
QString TransferLine(int elem, const QString& label, const QString& type, const QString& value,
                     const QString& sent);
