#pragma once
// Operator ("+", "-", "*", "/") and function ("mod", "sin", "cos") steps: readiness, inputs,
// result, push and trace line. Arithmetic without a sound result stops the run, pushing nothing.

#include "engine/step_result.h"

#include <QString>
#include <QStringList>

struct Session;

// The result of one firing. When error is not empty the firing failed and nothing is pushed;
// error then says, for the person, what went wrong.
struct FiringResult {
    QString type;
    QString value;
    QString error;
};

// The longest text a firing may produce, in characters. A full pool of such values holds about
// 128 MB; a longer result stops the run as arithmetic without a result does, so that a text that
// keeps growing cannot take all memory.
constexpr qsizetype kMaxResultLength = 65536;
// What the person is told when a result would be longer.
QString TooLongMessage();

// The arithmetic of an operator kind (5..8) on the left and right operands.
FiringResult ComputeOperator(int kind, const QString& typeL, const QString& textL,
                             const QString& typeR, const QString& textR);
// A function by name on the value texts of its inputs (as many as the element has). shown is
// set to how many arguments the trace line lists.
FiringResult ComputeFunction(const QString& name, const QStringList& args, int& shown);

// The operator symbol of a kind, or an empty text for any other kind.
QString OperatorText(int kind);

// Steps of the element StepElem: what they did, to be shown by the scheduler.
StepResult StepOperator(Session& s, int kind);
StepResult StepFunction(Session& s, const QString& name);
