#include "dialogs/arg_no_dialog.h"

#include "dialogs/dialog_fields.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"

ArgNoDialog::ArgNoDialog(Session& s) : s_(s) {}

void ArgNoDialog::SetListIndex(int index) {
    listIndex_ = index >= 0 && index < List1.size() ? index : -1;
}

void ArgNoDialog::Command1_Click() {
    if (closed_ || listIndex_ < 0) return;
    const double size = ReadDialogNumber(Text3Text);
    if (!FitsInt16(size)) {
        s_.ui.Message(Tr(kFontSizeRangeMessage));
        return;
    }
    const int c = s_.st.ArgDialogConn;
    if (c >= 1 && c <= kMaxConnections) {
        ConnectionRec& conn = s_.st.Diagram.Connections[c];
        conn.ArgNo = List1.at(listIndex_);
        conn.Font.Bold = Check1;
        conn.Font.Underline = Check2;
        conn.Font.Size = static_cast<Integer>(size);
    }
    closed_ = true;
}

void ArgNoDialog::Command2_Click() {
    closed_ = true;
}
