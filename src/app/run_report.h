#pragma once
// A run told as JSON, one compact object a line: each step as it is performed, and at the end
// every element with its value and the values waiting at its inputs.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

struct SharedState;

// {"step":n,"element":e,"text":T}: T is the text the step showed in the status line, or null
// when it showed none.
QJsonObject StepReport(int step, int element, const std::optional<QString>& text);

// {"element":i,"kind":K,"text":...,"type":...,"value":...,"inputs":[[[type,value],...],...]}
// for the live element i; the inputs are those QueuedInputs lists.
QJsonObject ElementReport(const SharedState& st, int element);
// {"elements":[...]}: every live element in order.
QJsonObject ElementsReport(const SharedState& st);

// The object as compact UTF-8 with a line feed after it; its keys come in alphabetical order,
// as QJsonObject keeps them.
QByteArray JsonLine(const QJsonObject& object);
