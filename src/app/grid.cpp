#include "app/grid.h"

#include "model/numeric_text.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/renderer.h"

GridDialog::GridDialog(Session& s) : s_(s) {}

void GridDialog::Command1_Click() {
    if (closed_) return;
    const double size = RoundHalfEven(ReadNumber(Text1Text));
    if (!FitsInt16(size)) {
        // A grid size is a 16-bit number; the dialog stays open for another try.
        s_.ui.Message(Tr(kGridSizeRangeMessage));
        return;
    }
    s_.st.GridSize = static_cast<Integer>(size);
    RedrawDiagram(s_, -1);
    if (s_.st.GridSize != 0) closed_ = true;
}

void GridDialog::Command2_Click() {
    if (closed_) return;
    s_.st.GridSize = 0;
    RedrawDiagram(s_, -1);
    closed_ = true;
}

void GridDialog::Command3_Click() {
    closed_ = true;
}
