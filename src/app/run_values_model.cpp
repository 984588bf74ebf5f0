#include "app/run_values_model.h"

#include "app/run_values.h"
#include "model/shared_state.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <algorithm>

namespace {

const QColor kSteppedRow(255, 255, 200);   // the canvas's yellow, paler
const QColor kChangedCell(255, 214, 140);  // what the last step changed

}  // namespace

RunValuesModel::RunValuesModel(const SharedState& st, QObject* parent)
    : QAbstractTableModel(parent), st_(st), columns_(kFixedColumns) {}

void RunValuesModel::Refresh() {
    const int count = st_.Diagram.LiveElements();
    std::vector<QStringList> rows;
    rows.reserve(static_cast<std::size_t>(count));
    int columns = kFixedColumns;
    for (int e = 1; e <= count; ++e) {
        rows.push_back(RunValuesRow(st_, e));
        columns = std::max(columns, static_cast<int>(rows.back().size()));
    }
    const int stepped = st_.StepElem >= 1 && st_.StepElem <= count ? st_.StepElem : 0;

    // Another number of rows or columns: laid out afresh, nothing standing out.
    if (rows.size() != rows_.size() || columns != columns_) {
        beginResetModel();
        rows_ = std::move(rows);
        columns_ = columns;
        changed_.assign(rows_.size(), std::vector<bool>(static_cast<std::size_t>(columns_)));
        stepped_ = stepped;
        endResetModel();
        return;
    }
    bool any = false;
    std::vector<std::vector<bool>> changed(rows.size(),
                                           std::vector<bool>(static_cast<std::size_t>(columns_)));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns_; ++c) {
            const bool differs = rows[r].value(c) != rows_[r].value(c);
            changed[r][static_cast<std::size_t>(c)] = differs;
            any = any || differs;
        }
    if (!any && stepped == stepped_) return;
    const int steppedBefore = stepped_;
    rows_ = std::move(rows);
    stepped_ = stepped;
    if (any) std::swap(changed_, changed);  // changed now holds the marks shown so far
    // Repainted: the rows whose cells or marks changed, and the two stepped rows.
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const bool marks =
            any && (std::find(changed[r].begin(), changed[r].end(), true) != changed[r].end() ||
                    std::find(changed_[r].begin(), changed_[r].end(), true) != changed_[r].end());
        const int row = static_cast<int>(r);
        if (marks || row == steppedBefore - 1 || row == stepped_ - 1) ReportRow(row);
    }
    if (stepped_ != steppedBefore) {
        for (const int row : {steppedBefore - 1, stepped_ - 1})
            if (row >= 0) emit headerDataChanged(Qt::Vertical, row, row);
    }
}

void RunValuesModel::ReportRow(int row) {
    emit dataChanged(index(row, 0), index(row, columns_ - 1),
                     {Qt::DisplayRole, Qt::BackgroundRole, Qt::FontRole});
}

bool RunValuesModel::Changed(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(changed_.size()) || column < 0 || column >= columns_)
        return false;
    return changed_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int RunValuesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RunValuesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant RunValuesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const int row = index.row(), column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return rows_[static_cast<std::size_t>(row)].value(column);
        case Qt::BackgroundRole:
            if (Changed(row, column)) return QBrush(kChangedCell);
            if (row == SteppedRow()) return QBrush(kSteppedRow);
            return {};
        case Qt::FontRole:
            if (Changed(row, column)) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
    }
}

QVariant RunValuesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return RunValuesHeader(section);
    return section == SteppedRow() ? QStringLiteral("▶") : QString();
}

void RunValuesModel::RetranslateHeadings() {
    const int columns = columnCount(QModelIndex());
    if (columns > 0) emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
}
