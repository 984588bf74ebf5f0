#include "editor/edit_menu.h"

#include "dialogs/element_dialog.h"
#include "engine/run_control.h"
#include "model/cell_pool.h"
#include "model/diagram_edit.h"
#include "model/edit_state.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/renderer.h"

// Editing discards the values of a run: the queues, the values and the connection flags. A
// connection being drawn is given up with the command that interrupts it, without a message.
void ResetRunForEdit(Session& s) {
    DropConnectionBeingDrawn(s.st);
    InitCellPool(s.st);
    ResetRunValues(s);
    ClearConnectionFlags(s);
}

void frmMain::mnuEditAddElement_Click(Session& s) {
    ResetRunForEdit(s);
    RedrawDiagram(s, -1);
    if (s.st.Diagram.ElemCount >= kMaxElements) {
        s.ui.Message(Tr(kTooManyElements));
        s.st.EditState = Editing::Idle;
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
    s.st.EditState = s.st.NewElement.Kind >= 0 ? Editing::PlaceCentre : Editing::Idle;
}

void frmMain::mnuConect_Click(Session& s) {
    ResetRunForEdit(s);
    RedrawDiagram(s, -1);
    if (s.st.Diagram.ConnCount < kMaxConnections) {
        s.st.EditState = Editing::ConnectStart;
    } else {
        s.ui.Message(Tr(kTooManyConnections));
        s.st.EditState = Editing::Idle;
    }
}

void frmMain::mnuEditRelease_Click(Session& s) {
    ResetRunForEdit(s);
    s.st.EditState = Editing::Idle;
    ClearSelection(s.st);
    RedrawDiagram(s, -1);
}

void frmMain::mnuEditSelectAll_Click(Session& s) {
    ResetRunForEdit(s);
    s.st.EditState = Editing::Idle;
    ElementSet all;
    for (int e = 1; e <= s.st.Diagram.LiveElements(); ++e) all.set(static_cast<std::size_t>(e));
    SelectElements(s.st, all);
    RedrawDiagram(s, -1);
}
