#include "dialogs/selection_panel.h"

#include "editor/edit_states.h"
#include "editor/element_geometry.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "model/table_edit.h"
#include "render/canvas.h"
#include "render/feedback.h"
#include "render/renderer.h"

namespace {

void HidePanel(Session& s) {
    s.frm.Frame1Visible = false;
}

// The selection names a connection that exists.
bool ConnectionSelected(const SharedState& st) {
    return PointOrLineSelected(st) && st.SelIndex >= 1 && st.SelIndex <= st.ConnCount;
}

bool LiveElementSelected(const SharedState& st) {
    return ElementSelected(st) && st.SelIndex >= 1 && st.SelIndex <= st.ElemCount;
}

}  // namespace

void Command5_Click(Session& s) {
    SharedState& st = s.st;
    if (ConnectionSelected(st)) {
        ConnectionRec& c = st.Connections[st.SelIndex];
        if (c.PointCount >= 1) {
            --c.PointCount;
            // SelPoint 0 removes the first point; one past the last removes the last.
            for (int i = std::max<int>(st.SelPoint, 0); i <= c.PointCount; ++i)
                c.Points[i] = c.Points[i + 1];
        }
        if (st.SelPoint > c.PointCount) {
            st.SelKind = kSelPoint;
            st.SelPoint = c.PointCount;
        }
        st.EditState = kIdle;
        if (c.PointCount == 0) st.SelKind.clear();
        RefitConnection(st, st.SelIndex);
        RedrawDiagram(s, -1);
    }
    HidePanel(s);
}

void Command6_Click(Session& s) {
    SharedState& st = s.st;
    if (PointOrLineSelected(st)) {
        if (st.ConnCount == 0) return;  // the panel stays open
        RemoveConnectionAt(st, st.SelIndex);
        st.EditState = kIdle;
        st.SelKind.clear();
        RedrawDiagram(s, -1);
    }
    HidePanel(s);
}

void Command7_Click(Session& s) {
    SharedState& st = s.st;
    if (LiveElementSelected(st)) {
        const int e = st.SelIndex;
        int i = 1;
        while (i <= st.ConnCount) {
            if (st.Connections[i].FromElem == e || st.Connections[i].ToElem == e)
                RemoveConnectionAt(st, i);
            else
                ++i;
        }
        RemoveElementAt(st, e);
        for (int j = 1; j <= st.ConnCount; ++j) {
            ConnectionRec& c = st.Connections[j];
            if (c.FromElem > e) --c.FromElem;
            if (c.ToElem > e) --c.ToElem;
        }
        // The selection passes to the element that took the removed one's place.
        st.SelKind = kSelElement;
        if (st.SelIndex > st.ElemCount) st.SelIndex = st.ElemCount;
        if (st.ElemCount == 0) st.SelKind.clear();
        // A move of the removed element or its text ends with it, rather than carrying off the
        // element that took its place.
        if (st.EditState == kMoveElementText || st.EditState == kMoveElement) st.EditState = kIdle;
        RedrawDiagram(s, -1);
    }
    HidePanel(s);
}

void Command8_Click(Session& s) {
    SharedState& st = s.st;
    // A segment selected by its last part of a connection with every bend point it can hold
    // names a point beyond the table: that one cannot be moved.
    if (ConnectionSelected(st) && st.SelPoint >= 0 && st.SelPoint <= kMaxPoints) {
        const PointRec& p = st.Connections[st.SelIndex].Points[st.SelPoint];
        st.EditState = kMovePoint;
        st.AnchorX = st.PointerX = p.X;
        st.AnchorY = st.PointerY = p.Y;
        DrawXorLine(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.PointerX, st.PointerY);
    }
    HidePanel(s);
}

void Command9_Click(Session& s) {
    SharedState& st = s.st;
    if (LiveElementSelected(st)) {
        const ElementRec& e = st.Elements[st.SelIndex];
        st.EditState = kMoveElement;
        st.AnchorX = st.PointerX = e.X;
        st.AnchorY = st.PointerY = e.Y;
        DrawXorLine(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.PointerX, st.PointerY);
        DrawXorCircle(s.canvas.Picture2, st.PointerX, st.PointerY, e.R);
    }
    HidePanel(s);
}

void Command10_Click(Session& s) {
    HidePanel(s);
}
