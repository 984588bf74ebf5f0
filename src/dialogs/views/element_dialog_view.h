#pragma once
// The window of frmElement ("Form2"): a modal Qt dialog that shows the element dialog's logic,
// passes every click and edit to it, mirrors its fields afterwards and closes when the logic
// says so. Closing it by the title bar or Escape acts as 取消.

#include <QDialog>

class ElementDialog;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class ElementDialogView : public QDialog {
public:
    ElementDialogView(ElementDialog& logic, QWidget* parent);

    // Mirrors the logic's fields into the widgets.
    void Sync();

    void reject() override;

private:
    void AfterLogic();

    ElementDialog& logic_;
    bool syncing_ = false;

    QListWidget* list1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* text3_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};
