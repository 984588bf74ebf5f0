#include "editor/selection_panel.h"

#include "dialogs/element_dialog.h"
#include "editor/pick_up.h"
#include "model/diagram_edit.h"
#include "model/element_geometry.h"
#include "model/form_controls.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/renderer.h"

namespace {

void HidePanel(Session& s) {
    s.frm.Frame1Visible = false;
}

// The selection names a connection that exists.
bool ConnectionSelected(const SharedState& st) {
    return PointOrLineSelected(st) && st.SelIndex >= 1 && st.SelIndex <= st.Diagram.ConnCount;
}

bool LiveElementSelected(const SharedState& st) {
    return ElementSelected(st) && st.SelIndex >= 1 && st.SelIndex <= st.Diagram.ElemCount;
}

}  // namespace

bool PanelCommandApplies(const SharedState& st, int command) {
    const auto points = [&st] { return st.Diagram.Connections[st.SelIndex].PointCount; };
    switch (command) {
        case 5:  // 点削除: a connection without bend points has none to lose
            return ConnectionSelected(st) && points() >= 1;
        case 6:
            return ConnectionSelected(st);
        case 8:  // 点移動: a bend point, or a segment ending at one or at the arrow
            return ConnectionSelected(st) && st.SelPoint >= 1 &&
                   (st.SelPoint <= points() ||
                    (st.SelKind == kSelLine && st.SelPoint == points() + 1));
        case 7:
        case 9:
            return GroupSelected(st) || LiveElementSelected(st);
        case 11:
            return LiveElementSelected(st);
        case 10:
            return true;
        default:
            return false;
    }
}

void frmMain::Command5_Click(Session& s) {
    SharedState& st = s.st;
    if (ConnectionSelected(st)) {
        ConnectionRec& c = st.Diagram.Connections[st.SelIndex];
        // SelPoint 0 removes the first point; one past the last removes the last.
        RemoveBendPoint(c, st.SelPoint);
        if (st.SelPoint > c.PointCount) {
            st.SelKind = kSelPoint;
            st.SelPoint = c.PointCount;
        }
        st.EditState = Editing::Idle;
        if (c.PointCount == 0) st.SelKind.clear();
        RefitConnection(st.Diagram, st.SelIndex);
        RedrawDiagram(s, -1);
    }
    HidePanel(s);
}

void frmMain::Command6_Click(Session& s) {
    SharedState& st = s.st;
    if (PointOrLineSelected(st)) {
        if (st.Diagram.ConnCount == 0) return;  // the panel stays open
        RemoveConnection(st, st.SelIndex);
        st.EditState = Editing::Idle;
        st.SelKind.clear();
        RedrawDiagram(s, -1);
    }
    HidePanel(s);
}

void frmMain::Command7_Click(Session& s) {
    SharedState& st = s.st;
    if (GroupSelected(st)) {  // every element selected together goes, with its connections
        RemoveElements(st, st.SelectedElements);
        ClearSelection(st);
        RedrawDiagram(s, -1);
    } else if (LiveElementSelected(st)) {
        RemoveElement(st, st.SelIndex);
        // The selection passes to the element that took the removed one's place.
        st.SelKind = kSelElement;
        if (st.SelIndex > st.Diagram.ElemCount) st.SelIndex = st.Diagram.ElemCount;
        if (st.Diagram.ElemCount == 0) st.SelKind.clear();
        RedrawDiagram(s, -1);
    }
    HidePanel(s);
}

void frmMain::Command8_Click(Session& s) {
    SharedState& st = s.st;
    if (ConnectionSelected(st)) {
        const int n = st.Diagram.Connections[st.SelIndex].PointCount;
        // A bend point, or the point a selected segment ends at; the last segment ends at the
        // arrow, so its midpoint becomes a bend point to move, as a press on it makes one.
        if (st.SelPoint >= 1 && st.SelPoint <= n)
            PickUpPoint(s);
        else if (st.SelKind == kSelLine && st.SelPoint == n + 1)
            PickUpSegment(s, st.PointerX, st.PointerY);
    }
    HidePanel(s);
}

void frmMain::Command9_Click(Session& s) {
    SharedState& st = s.st;
    // Elements selected together by a box move as the first of them is moved.
    if (GroupSelected(st) && !LiveElementSelected(st)) {
        for (int e = 1; e <= st.Diagram.LiveElements() && !ElementSelected(st); ++e)
            if (st.SelectedElements[static_cast<std::size_t>(e)])
                Select(st, {kSelElement, static_cast<Integer>(e)});
    }
    if (LiveElementSelected(st)) PickUpElement(s);
    HidePanel(s);
}

void frmMain::Command10_Click(Session& s) {
    HidePanel(s);
}

void frmMain::Command11_Click(Session& s) {
    SharedState& st = s.st;
    const int e = st.SelIndex;
    if (LiveElementSelected(st)) {
        ElementDialog dialog(s);
        LoadElementDialog(dialog);
        ElementRec& element = st.Diagram.Elements[e];
        dialog.SetListIndex(element.Kind);
        dialog.Text1Text = element.Text;
        dialog.Text1Visible = true;
        dialog.Text2Text = QString::number(element.ArgCount);
        // The dialog shows the element's own label font, so that confirming a new value keeps it.
        dialog.Check1 = element.Font.Bold;
        dialog.Check2 = element.Font.Underline;
        dialog.Text3Text = QString::number(element.Font.Size);
        s.ui.ShowElementDialog(dialog);
        // A dialog that went away without an answer was cancelled.
        if (!dialog.Closed()) dialog.Command2_Click();
        if (st.NewElement.Kind == -1) {
            st.EditState = Editing::Idle;
            return;
        }

        const ElementRec& made = st.NewElement;
        // The dialog sets bold, underline and size; the rest of the font (face, italics and the
        // like, which a file may carry) stays the element's.
        element.Font.Bold = made.Font.Bold;
        element.Font.Underline = made.Font.Underline;
        element.Font.Size = made.Font.Size;
        element.Kind = made.Kind;
        element.ArgCount = made.ArgCount;
        element.DataType = made.DataType;
        element.Value = made.Value;
        element.Text = made.Text;
        // A constant has no inputs.
        if (element.Kind == kConstantNumber || element.Kind == kConstantString)
            RemoveConnectionsInto(st, e);
    }
    RedrawDiagram(s, -1);
    HidePanel(s);
}
