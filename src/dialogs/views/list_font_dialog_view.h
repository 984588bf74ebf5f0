#pragma once
// What the element and the argument-number windows share: the list List1, the label font in
// Frame1 (ボールド, 下線, サイズ) and the buttons 確認 and 取消. It passes clicks and edits to the
// dialog's logic, mirrors the logic's fields afterwards and closes when the logic says so;
// closing by the title bar or Escape acts as 取消, Return as 確認. While no entry is selected, the
// first Down, Up or Home selects the first entry. The fields of one dialog alone are its own.

#include "dialogs/views/list_mirror.h"
#include "model/translation.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Logic has List1, ListIndex() and SetListIndex(), Check1, Check2, Text3Text, Command1_Click(),
// Command2_Click() and Closed().
template <typename Logic>
class ListFontDialogView : public QDialog {
public:
    // Mirrors the logic's fields into the widgets.
    void Sync() {
        syncing_ = true;
        MirrorList(*list1_, logic_.List1, logic_.ListIndex());
        MirrorText(*text3_, logic_.Text3Text);
        check1_->setChecked(logic_.Check1);
        check2_->setChecked(logic_.Check2);
        SyncOwnFields();
        syncing_ = false;
    }

    void reject() override {
        if (!logic_.Closed()) logic_.Command2_Click();
        QDialog::reject();
    }

protected:
    // The shared widgets, wired and laid out: the list on the left, beside it a column that ends
    // with the font frame (a dialog puts its own fields above it), the buttons below.
    ListFontDialogView(Logic& logic, QWidget* parent, const QString& caption)
        : QDialog(parent), logic_(logic) {
        setWindowTitle(caption);
        setModal(true);

        list1_ = Named(new QListWidget(this), "List1");
        list1_->setSelectionMode(QAbstractItemView::SingleSelection);
        frame1_ = Named(new QGroupBox(QCoreApplication::translate("Quillrun", "フォント"), this),
                        "Frame1");
        check1_ = Named(new QCheckBox(QCoreApplication::translate("Quillrun", "ボールド"), frame1_),
                        "Check1");
        check2_ = Named(new QCheckBox(QCoreApplication::translate("Quillrun", "下線"), frame1_),
                        "Check2");
        label3_ =
            Named(new QLabel(QCoreApplication::translate("Quillrun", "サイズ"), frame1_), "Label3");
        label3_->setTextFormat(Qt::PlainText);
        text3_ = Named(new QLineEdit(frame1_), "Text3");
        command1_ = Named(new QPushButton(QCoreApplication::translate("Quillrun", "確認"), this),
                          "Command1");
        command2_ = Named(new QPushButton(QCoreApplication::translate("Quillrun", "取消"), this),
                          "Command2");
        // Return presses 確認, or the button that has the focus.
        command1_->setDefault(true);

        auto* font = new QGridLayout(frame1_);
        font->addWidget(check1_, 0, 0, 1, 2);
        font->addWidget(check2_, 1, 0, 1, 2);
        font->addWidget(label3_, 2, 0);
        font->addWidget(text3_, 2, 1);
        column_ = new QVBoxLayout;
        column_->addWidget(frame1_);
        auto* top = new QHBoxLayout;
        top->addWidget(list1_);
        top->addLayout(column_);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(command1_);
        buttons->addWidget(command2_);
        auto* all = new QVBoxLayout(this);
        all->addLayout(top);
        all->addLayout(buttons);

        list1_->installEventFilter(this);
        QObject::connect(list1_, &QListWidget::itemSelectionChanged, this, [this] {
            if (syncing_) return;
            logic_.SetListIndex(SelectedRow(*list1_));
            AfterLogic();
        });
        QObject::connect(text3_, &QLineEdit::textEdited, this,
                         [this](const QString& t) { logic_.Text3Text = t; });
        QObject::connect(check1_, &QCheckBox::toggled, this, [this](bool on) {
            if (!syncing_) logic_.Check1 = on;
        });
        QObject::connect(check2_, &QCheckBox::toggled, this, [this](bool on) {
            if (!syncing_) logic_.Check2 = on;
        });
        QObject::connect(command1_, &QPushButton::clicked, this, [this] {
            logic_.Command1_Click();
            AfterLogic();
        });
        QObject::connect(command2_, &QPushButton::clicked, this, [this] {
            logic_.Command2_Click();
            AfterLogic();
        });
    }

    // A list that makes its first row current when it takes the focus would otherwise let the
    // first Down select the second entry.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list1_ && event->type() == QEvent::KeyPress && list1_->count() > 0 &&
            SelectedRow(*list1_) < 0) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_Home) {
                list1_->setCurrentRow(0);
                return true;
            }
        }
        return QDialog::eventFilter(watched, event);
    }

    // Mirrors the fields that only this dialog has.
    virtual void SyncOwnFields() {}

    // The keyboard's order: the list (first, so it has the keyboard when the dialog opens), then
    // the dialog's own fields, the font, 確認 and 取消.
    void ChainTabOrder(std::initializer_list<QWidget*> ownFields) {
        QWidget* previous = list1_;
        for (QWidget* w : ownFields) QWidget::setTabOrder(std::exchange(previous, w), w);
        for (QWidget* w : {static_cast<QWidget*>(check1_), static_cast<QWidget*>(check2_),
                           static_cast<QWidget*>(text3_), static_cast<QWidget*>(command1_),
                           static_cast<QWidget*>(command2_)})
            QWidget::setTabOrder(std::exchange(previous, w), w);
    }

    // Above the font frame, in the column beside the list.
    QVBoxLayout* Column() const { return column_; }

    Logic& logic_;

private:
    void AfterLogic() {
        Sync();
        if (logic_.Closed()) QDialog::accept();
    }

    bool syncing_ = false;
    QListWidget* list1_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* text3_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QVBoxLayout* column_ = nullptr;
};
