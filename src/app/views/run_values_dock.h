#pragma once
// 値の一覧: the values panel beside the canvas, a table of every element's value and waiting
// inputs during a run. It draws nothing on the canvas, and repaints at most once a frame, and
// then only the cells that changed.

#include "app/run_values_model.h"

#include <QDockWidget>
#include <QTimer>

class QTableView;

class RunValuesDock : public QDockWidget {
public:
    RunValuesDock(const SharedState& st, QWidget* parent);

    // The state changed: the table follows within a frame, while the panel is open.
    void ScheduleRefresh();
    RunValuesModel& Model() { return model_; }
    QTableView* View() const { return view_; }

protected:
    void showEvent(QShowEvent* event) override;
    // The headings follow a change of language.
    void changeEvent(QEvent* event) override;

private:
    RunValuesModel model_;
    QTableView* view_;
    QTimer frame_;
};
