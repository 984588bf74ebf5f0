#include "app/run_values.h"

#include "dialogs/element_dialog.h"
#include "model/shared_state.h"
#include "model/translation.h"

QString ShownValue(const QueuedValue& value) {
    const auto& [type, text] = value;
    if (type == kTypeNumber) return text;
    if (type == kTypeString) return u'"' + text + u'"';
    return type + u':' + text;
}

QString ShownQueue(const std::vector<QueuedValue>& queue) {
    QStringList shown;
    for (const QueuedValue& v : queue) shown << ShownValue(v);
    return shown.join(QStringLiteral(", "));
}

QString RunValuesHeader(int column) {
    switch (column) {
        case kColumnNumber:
            return QCoreApplication::translate("Quillrun", "番号");
        case kColumnKind:
            return QCoreApplication::translate("Quillrun", "種類");
        case kColumnText:
            return QCoreApplication::translate("Quillrun", "テキスト");
        case kColumnType:
            return QCoreApplication::translate("Quillrun", "型");
        case kColumnValue:
            return QCoreApplication::translate("Quillrun", "値");
        default:
            return QCoreApplication::translate("Quillrun", "入力%1")
                .arg(column - kFixedColumns + 1);
    }
}

QStringList RunValuesRow(const SharedState& st, int e) {
    const ElementRec& el = st.Diagram.Elements[e];
    QStringList row{QString::number(e), KindListName(el.Kind), el.Text, el.DataType, el.Value};
    for (const std::vector<QueuedValue>& queue : QueuedInputs(st, e)) row << ShownQueue(queue);
    return row;
}

QString RunValuesTip(const SharedState& st, int e) {
    const QStringList row = RunValuesRow(st, e);
    QStringList lines;
    for (int c = 0; c < row.size(); ++c)
        lines << RunValuesHeader(c) + QStringLiteral(": ") + row[c];
    return lines.join(u'\n');
}
