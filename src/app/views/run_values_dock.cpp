#include "app/views/run_values_dock.h"

#include "app/views/translated_texts.h"
#include "model/translation.h"

#include <QHeaderView>
#include <QTableView>

namespace {

constexpr int kFrameMilliseconds = 16;

}  // namespace

RunValuesDock::RunValuesDock(const SharedState& st, QWidget* parent)
    : QDockWidget(parent), model_(st, this) {
    setObjectName(QStringLiteral("ValuesPanel"));
    KeepTranslated(this, QT_TRANSLATE_NOOP("Quillrun", "値の一覧"));
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("ValuesTable"));
    view_->setModel(&model_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::NoSelection);
    view_->setFocusPolicy(Qt::NoFocus);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->horizontalHeader()->setStretchLastSection(true);
    // Columns are fitted to their texts when the table is laid out afresh (another diagram), not
    // at every step: the run then repaints only the cells that change.
    connect(&model_, &QAbstractItemModel::modelReset, view_, &QTableView::resizeColumnsToContents);
    setWidget(view_);
    frame_.setSingleShot(true);
    frame_.setInterval(kFrameMilliseconds);
    connect(&frame_, &QTimer::timeout, this, [this] { model_.Refresh(); });
}

void RunValuesDock::ScheduleRefresh() {
    if (isVisible() && !frame_.isActive()) frame_.start();
}

void RunValuesDock::showEvent(QShowEvent* event) {
    model_.Refresh();
    QDockWidget::showEvent(event);
}

void RunValuesDock::changeEvent(QEvent* event) {
    QDockWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) model_.RetranslateHeadings();
}
