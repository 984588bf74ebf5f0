#pragma once
// The values panel's table: one row per element (number, kind, text, type, value, then the
// values waiting at each input), over the shared state, which it only reads. Refresh brings it
// up to date and reports only the cells whose text changed; those stand out until the next
// change, and the row of the element stepped last is marked.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

struct SharedState;

class RunValuesModel : public QAbstractTableModel {
public:
    explicit RunValuesModel(const SharedState& st, QObject* parent = nullptr);

    void Refresh();
    // The headings are shown afresh, in the language now in use.
    void RetranslateHeadings();

    // Whether the cell's text changed at the last change; the row stepped last.
    bool Changed(int row, int column) const;
    int SteppedRow() const { return stepped_ - 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void ReportRow(int row);

    const SharedState& st_;
    std::vector<QStringList> rows_;
    std::vector<std::vector<bool>> changed_;
    int columns_;
    int stepped_ = 0;
};
