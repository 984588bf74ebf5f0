#include "editor/edit_menu.h"

#include "dialogs/element_dialog.h"
#include "editor/edit_states.h"
#include "engine/run_control.h"
#include "model/cell_pool.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/renderer.h"

namespace {

// Editing discards the values of a run: the queues, the values and the connection flags.
void ResetRunState(Session& s) {
    InitCellPool(s.st);
    ResetRunValues(s);
    ClearConnectionFlags(s);
}

}  // namespace

void mnuEditAddElement_Click(Session& s) {
    ResetRunState(s);
    RedrawDiagram(s, -1);
    if (s.st.ElemCount >= kMaxElements) {
        s.ui.Message(kTooManyElements);
        s.st.EditState = kIdle;
        return;
    }
    ElementDialog dialog(s);
    LoadElementDialog(dialog);
    dialog.Label1Caption.clear();
    dialog.Text1Text.clear();
    dialog.Text1Visible = false;
    dialog.Label2Caption.clear();
    dialog.Text2Text.clear();
    dialog.Text2Visible = false;
    s.ui.ShowElementDialog(dialog);
    if (!dialog.Closed()) dialog.Command2_Click();  // gone without an answer: cancelled
    s.st.EditState = s.st.NewElement.Kind >= 0 ? kPlaceCentre : kIdle;
}

void mnuConect_Click(Session& s) {
    ResetRunState(s);
    RedrawDiagram(s, -1);
    if (s.st.ConnCount < kMaxConnections) {
        s.st.EditState = kConnectStart;
    } else {
        s.ui.Message(kTooManyConnections);
        s.st.EditState = kIdle;
    }
}

void mnuEditRelease_Click(Session& s) {
    ResetRunState(s);
    s.st.EditState = kIdle;
    s.st.SelKind.clear();
    RedrawDiagram(s, -1);
}
