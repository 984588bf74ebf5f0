#include "dialogs/views/element_dialog_view.h"

ElementDialogView::ElementDialogView(ElementDialog& logic, QWidget* parent)
    : ListFontDialogView(logic, parent, kElementDialogCaption) {
    label1_ = Named(new QLabel(this), "Label1");
    text1_ = Named(new QLineEdit(this), "Text1");
    label2_ = Named(new QLabel(this), "Label2");
    text2_ = Named(new QLineEdit(this), "Text2");
    for (QLabel* l : {label1_, label2_}) l->setTextFormat(Qt::PlainText);
    // A hidden text box keeps its place, so the fields do not jump when the kind changes.
    for (QLineEdit* edit : {text1_, text2_}) {
        QSizePolicy policy = edit->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        edit->setSizePolicy(policy);
    }
    // Above the font frame: the two fields with their captions.
    int at = 0;
    for (QWidget* w : {static_cast<QWidget*>(label1_), static_cast<QWidget*>(text1_),
                       static_cast<QWidget*>(label2_), static_cast<QWidget*>(text2_)})
        Column()->insertWidget(at++, w);
    Column()->insertStretch(at);

    // The keyboard goes through the fields in the order they are filled in.
    ChainTabOrder({text1_, text2_});

    connect(text1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { logic_.Text1Text = t; });
    connect(text2_, &QLineEdit::textEdited, this,
            [this](const QString& t) { logic_.Text2Text = t; });
    Sync();
}

void ElementDialogView::SyncOwnFields() {
    label1_->setText(logic_.Label1Caption);
    label2_->setText(logic_.Label2Caption);
    MirrorText(*text1_, logic_.Text1Text);
    MirrorText(*text2_, logic_.Text2Text);
    text1_->setHidden(!logic_.Text1Visible);
    text2_->setHidden(!logic_.Text2Visible);
    text2_->setReadOnly(logic_.Text2ReadOnly);
}
