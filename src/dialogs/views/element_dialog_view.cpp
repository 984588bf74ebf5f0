#include "dialogs/views/element_dialog_view.h"

#include "dialogs/element_dialog.h"
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

ElementDialogView::ElementDialogView(ElementDialog& logic, QWidget* parent)
    : QDialog(parent), logic_(logic) {
    setWindowTitle(kElementDialogCaption);
    setModal(true);

    list1_ = Named(new QListWidget(this), "List1");
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    label1_ = Named(new QLabel(this), "Label1");
    text1_ = Named(new QLineEdit(this), "Text1");
    label2_ = Named(new QLabel(this), "Label2");
    text2_ = Named(new QLineEdit(this), "Text2");
    frame1_ = Named(new QGroupBox(QStringLiteral("フォント"), this), "Frame1");
    check1_ = Named(new QCheckBox(QStringLiteral("ボールド"), frame1_), "Check1");
    check2_ = Named(new QCheckBox(QStringLiteral("下線"), frame1_), "Check2");
    label3_ = Named(new QLabel(QStringLiteral("サイズ"), frame1_), "Label3");
    text3_ = Named(new QLineEdit(frame1_), "Text3");
    command1_ = Named(new QPushButton(QStringLiteral("確認"), this), "Command1");
    command2_ = Named(new QPushButton(QStringLiteral("取消"), this), "Command2");
    for (QPushButton* b : {command1_, command2_}) b->setAutoDefault(false);
    for (QLabel* l : {label1_, label2_, label3_}) l->setTextFormat(Qt::PlainText);
    // A hidden text box keeps its place, so the fields do not jump when the kind changes.
    for (QLineEdit* edit : {text1_, text2_}) {
        QSizePolicy policy = edit->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        edit->setSizePolicy(policy);
    }

    auto* fields = new QVBoxLayout;
    fields->addWidget(label1_);
    fields->addWidget(text1_);
    fields->addWidget(label2_);
    fields->addWidget(text2_);
    fields->addStretch();
    auto* font = new QGridLayout(frame1_);
    font->addWidget(check1_, 0, 0, 1, 2);
    font->addWidget(check2_, 1, 0, 1, 2);
    font->addWidget(label3_, 2, 0);
    font->addWidget(text3_, 2, 1);
    fields->addWidget(frame1_);
    auto* top = new QHBoxLayout;
    top->addWidget(list1_);
    top->addLayout(fields);
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
    connect(text1_, &QLineEdit::textEdited, this, [this](const QString& t) { logic_.Text1Text = t; });
    connect(text2_, &QLineEdit::textEdited, this, [this](const QString& t) { logic_.Text2Text = t; });
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

void ElementDialogView::Sync() {
    syncing_ = true;
    MirrorList(*list1_, logic_.List1, logic_.ListIndex());
    label1_->setText(logic_.Label1Caption);
    label2_->setText(logic_.Label2Caption);
    MirrorText(*text1_, logic_.Text1Text);
    MirrorText(*text2_, logic_.Text2Text);
    MirrorText(*text3_, logic_.Text3Text);
    text1_->setHidden(!logic_.Text1Visible);
    text2_->setHidden(!logic_.Text2Visible);
    check1_->setChecked(logic_.Check1);
    check2_->setChecked(logic_.Check2);
    syncing_ = false;
}

void ElementDialogView::AfterLogic() {
    Sync();
    if (logic_.Closed()) QDialog::accept();
}

void ElementDialogView::reject() {
    if (!logic_.Closed()) logic_.Command2_Click();
    QDialog::reject();
}
