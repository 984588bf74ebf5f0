#include "app/run_report.h"

#include "engine/queued_values.h"
#include "model/shared_state.h"

#include <QJsonArray>
#include <QJsonDocument>

QJsonObject StepReport(int step, int element, const std::optional<QString>& text) {
    QJsonObject report;
    report.insert(QStringLiteral("step"), step);
    report.insert(QStringLiteral("element"), element);
    report.insert(QStringLiteral("text"), text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null));
    return report;
}

QJsonObject ElementReport(const SharedState& st, int element) {
    const ElementRec& e = st.Diagram.Elements[element];
    QJsonArray inputs;
    for (const std::vector<QueuedValue>& queue : QueuedInputs(st, element)) {
        QJsonArray values;
        for (const QueuedValue& v : queue) values.append(QJsonArray{v.first, v.second});
        inputs.append(values);
    }
    QJsonObject report;
    report.insert(QStringLiteral("element"), element);
    report.insert(QStringLiteral("kind"), e.Kind);
    report.insert(QStringLiteral("text"), e.Text);
    report.insert(QStringLiteral("type"), e.DataType);
    report.insert(QStringLiteral("value"), e.Value);
    report.insert(QStringLiteral("inputs"), inputs);
    return report;
}

QJsonObject ElementsReport(const SharedState& st) {
    QJsonArray elements;
    for (int i = 1; i <= st.Diagram.LiveElements(); ++i) elements.append(ElementReport(st, i));
    return QJsonObject{{QStringLiteral("elements"), elements}};
}

QByteArray JsonLine(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}
