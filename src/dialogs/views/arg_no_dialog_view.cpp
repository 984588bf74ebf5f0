#include "dialogs/views/arg_no_dialog_view.h"

#include "dialogs/arg_no_dialog.h"
#include "dialogs/views/list_mirror.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

ArgNoDialogView::ArgNoDialogView(ArgNoDialog& logic, QWidget* parent)
    : QDialog(parent), logic_(logic) {
    setWindowTitle(kArgNoDialogCaption);
    setModal(true);

    list1_ = Named(new QListWidget(this), "List1");
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    frame1_ = Named(new QGroupBox(QStringLiteral("フォント"), this), "Frame1");
    check1_ = Named(new QCheckBox(QStringLiteral("ボールド"), frame1_), "Check1");
    check2_ = Named(new QCheckBox(QStringLiteral("下線"), frame1_), "Check2");
    label3_ = Named(new QLabel(QStringLiteral("サイズ"), frame1_), "Label3");
    text3_ = Named(new QLineEdit(frame1_), "Text3");
    command1_ = Named(new QPushButton(QStringLiteral("確認"), this), "Command1");
    command2_ = Named(new QPushButton(QStringLiteral("取消"), this), "Command2");
    for (QPushButton* b : {command1_, command2_}) b->setAutoDefault(false);

    auto* font = new QGridLayout(frame1_);
    font->addWidget(check1_, 0, 0, 1, 2);
    font->addWidget(check2_, 1, 0, 1, 2);
    font->addWidget(label3_, 2, 0);
    font->addWidget(text3_, 2, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(list1_);
    top->addWidget(frame1_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1_);
    buttons->addWidget(command2_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);

    connect(list1_, &QListWidget::itemSelectionChanged, this, [this] {
        if (syncing_) return;
        logic_.SetListIndex(SelectedRow(*list1_));
        AfterLogic();
    });
    connect(text3_, &QLineEdit::textEdited, this, [this](const QString& t) { logic_.Text3Text = t; });
    connect(check1_, &QCheckBox::toggled, this, [this](bool on) {
        if (!syncing_) logic_.Check1 = on;
    });
    connect(check2_, &QCheckBox::toggled, this, [this](bool on) {
        if (!syncing_) logic_.Check2 = on;
    });
    connect(command1_, &QPushButton::clicked, this, [this] {
        logic_.Command1_Click();
        AfterLogic();
    });
    connect(command2_, &QPushButton::clicked, this, [this] {
        logic_.Command2_Click();
        AfterLogic();
    });

    Sync();
}

void ArgNoDialogView::Sync() {
    syncing_ = true;
    MirrorList(*list1_, logic_.List1, logic_.ListIndex());
    MirrorText(*text3_, logic_.Text3Text);
    check1_->setChecked(logic_.Check1);
    check2_->setChecked(logic_.Check2);
    syncing_ = false;
}

void ArgNoDialogView::AfterLogic() {
    Sync();
    if (logic_.Closed()) QDialog::accept();
}

void ArgNoDialogView::reject() {
    if (!logic_.Closed()) logic_.Command2_Click();
    QDialog::reject();
}
