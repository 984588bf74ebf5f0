#pragma once
// The window of frmArgNo ("引数番号"): a modal Qt dialog that shows the argument-number
// dialog's logic: the list of input numbers, the label font, 確認 and 取消. Closing it by the
// title bar or Escape acts as 取消.

#include "dialogs/arg_no_dialog.h"
#include "dialogs/views/list_font_dialog_view.h"

class ArgNoDialogView : public ListFontDialogView<ArgNoDialog> {
public:
    ArgNoDialogView(ArgNoDialog& logic, QWidget* parent);
};
