#pragma once
// The window of frmArgNo ("引数番号"): a modal Qt dialog that shows the argument-number
// dialog's logic, passes every click and edit to it, mirrors its fields afterwards and closes
// when the logic says so. Closing it by the title bar or Escape acts as 取消.

#include <QDialog>

class ArgNoDialog;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class ArgNoDialogView : public QDialog {
public:
    ArgNoDialogView(ArgNoDialog& logic, QWidget* parent);

    // Mirrors the logic's fields into the widgets.
    void Sync();

    void reject() override;

private:
    void AfterLogic();

    ArgNoDialog& logic_;
    bool syncing_ = false;

    QListWidget* list1_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* text3_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};
