#include "dialogs/views/arg_no_dialog_view.h"

ArgNoDialogView::ArgNoDialogView(ArgNoDialog& logic, QWidget* parent)
    : ListFontDialogView(logic, parent, Tr(kArgNoDialogCaption)) {
    ChainTabOrder({});
    Sync();
}
