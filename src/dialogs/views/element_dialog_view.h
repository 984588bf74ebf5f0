#pragma once
// The window of frmElement ("Form2"): a modal Qt dialog that shows the element dialog's logic:
// the kinds, the text and argument-count fields with their captions, the label font, 確認 and
// 取消. Closing it by the title bar or Escape acts as 取消.

#include "dialogs/element_dialog.h"
#include "dialogs/views/list_font_dialog_view.h"

class ElementDialogView : public ListFontDialogView<ElementDialog> {
public:
    ElementDialogView(ElementDialog& logic, QWidget* parent);

private:
    void SyncOwnFields() override;

    QLabel* label1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLineEdit* text2_ = nullptr;
};
