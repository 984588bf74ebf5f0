#include "editor/connection_drawing.h"

#include "dialogs/arg_no_dialog.h"
#include "editor/edit_menu.h"
#include "editor/pick_up.h"
#include "model/diagram_edit.h"
#include "model/element_geometry.h"
#include "model/grid_snap.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/feedback.h"
#include "render/renderer.h"

namespace {

bool IsConstant(const ElementRec& e) {
    return e.Kind == kConstantNumber || e.Kind == kConstantString;
}

// Commits the segment from the anchor to (sx, sy) as a new bend point, which becomes the anchor.
void AddBend(Session& s, ConnectionRec& c, double sx, double sy) {
    SharedState& st = s.st;
    DrawRubberLine(s);
    DrawXorLine(s.canvas.Picture2, st.AnchorX, st.AnchorY, sx, sy);
    ++c.PointCount;
    st.AnchorX = sx;
    st.AnchorY = sy;
    c.Points[c.PointCount] = {sx, sy};
    st.PointerX = sx;
    st.PointerY = sy;
    DrawRubberLine(s);  // the rubber line starts again, of zero length, at the new anchor
    st.EditState = Editing::ConnectBends;
}

// Ends connection c on element e, its last segment starting at (fx, fy).
void Complete(Session& s, int c, int e, double fx, double fy) {
    SharedState& st = s.st;
    ConnectionRec& con = st.Diagram.Connections[c];
    DrawRubberLine(s);
    con.ToElem = static_cast<Integer>(e);
    const PointRec end = ElementRimPoint(st.Diagram, e, fx, fy);
    con.X2 = end.X;
    con.Y2 = end.Y;
    con.ArgTextX = (fx + end.X) / 2;
    con.ArgTextY = (fy + end.Y) / 2;
    con.Font.Size = 8;
    con.Font.Bold = false;
    con.Font.Underline = false;
    DrawArrowSegment(s.canvas.Picture2, fx, fy, end.X, end.Y, kBlack);
    PromptArgumentNumber(s, c);
    RedrawDiagram(s, -1);
    st.EditState = Editing::ConnectStart;
    st.SelKind = kSelLine;
    st.SelIndex = static_cast<Integer>(c);
    st.SelPoint = 0;
}

bool StartConnection(Session& s, float x, float y) {
    SharedState& st = s.st;
    const int e = ElementAtPoint(st.Diagram, x, y);
    if (e < 0) return false;
    if (st.Diagram.ConnCount >= kMaxConnections) {
        s.ui.Message(Tr(kTooManyConnections));
        st.EditState = Editing::Idle;
        return true;
    }
    ++st.Diagram.ConnCount;
    // The slot may hold an earlier connection; a new one starts from a clean record, so that
    // it stays unfinished (ToElem 0) until it is completed.
    st.Diagram.Connections[st.Diagram.ConnCount] = ConnectionRec{};
    st.Diagram.Connections[st.Diagram.ConnCount].FromElem = static_cast<Integer>(e);
    st.EditState = Editing::ConnectInside;
    return true;
}

}  // namespace

bool EndLostConnection(SharedState& st) {
    if (!DrawingConnection(st.EditState)) return false;
    if (st.Diagram.ConnCount >= 1 && st.Diagram.Connections[st.Diagram.ConnCount].ToElem == 0)
        return false;
    st.EditState = Editing::Idle;
    return true;
}

void PromptArgumentNumber(Session& s, int c) {
    SharedState& st = s.st;
    if (c < 1 || c > kMaxConnections) return;
    st.Diagram.Connections[c].ArgNo.clear();
    const int to = st.Diagram.Connections[c].ToElem;
    if (to < 1 || to > kMaxElements) return;
    const ElementRec& target = st.Diagram.Elements[to];
    if (target.Kind <= kVariableString || target.ArgCount <= 1) return;

    st.ArgDialogConn = static_cast<Integer>(c);
    ArgNoDialog dialog(s);
    for (int k = 1; k <= target.ArgCount; ++k) dialog.List1 << QString::number(k);
    const ConnectionRec& conn = st.Diagram.Connections[c];
    // The list shows the entry of the current argument number, and that was just emptied.
    dialog.SetListIndex(-1);
    dialog.Check1 = conn.Font.Bold;
    dialog.Check2 = conn.Font.Underline;
    dialog.Text3Text = QString::number(conn.Font.Size);
    s.ui.ShowArgNoDialog(dialog);

    PrintText(s.canvas.Picture2, conn.ArgTextX, conn.ArgTextY, conn.Font, conn.ArgNo);
}

bool ConnectionLeftPress(Session& s, float x, float y) {
    SharedState& st = s.st;
    if (st.EditState == Editing::ConnectStart) return StartConnection(s, x, y);
    const int c = st.Diagram.ConnCount;
    ConnectionRec& con = st.Diagram.Connections[c];
    const int e = ElementAtPoint(st.Diagram, x, y);
    const double sx = SnapToGrid(st, x), sy = SnapToGrid(st, y);
    if (st.EditState == Editing::ConnectRubber) {
        if (e >= 1 && e == con.FromElem) {
            DrawRubberLine(s);
            st.EditState = Editing::ConnectInside;
        } else if (e < 0) {
            con.X1 = st.AnchorX;
            con.Y1 = st.AnchorY;
            con.PointCount = 0;
            AddBend(s, con, sx, sy);
        } else if (IsConstant(st.Diagram.Elements[e])) {
            s.ui.Message(Tr(kNoInputOnConstants));
        } else {
            con.X1 = st.AnchorX;
            con.Y1 = st.AnchorY;
            con.PointCount = 0;
            Complete(s, c, e, con.X1, con.Y1);
        }
        return true;
    }
    if (st.EditState == Editing::ConnectBends) {
        if (e < 0) {
            if (con.PointCount >= kMaxPoints) return false;
            AddBend(s, con, sx, sy);
        } else if (IsConstant(st.Diagram.Elements[e])) {
            s.ui.Message(Tr(kNoInputOnConstants));
        } else {
            Complete(s, c, e, st.AnchorX, st.AnchorY);
        }
    }
    return true;
}

bool ConnectionRightPress(Session& s, float x, float y) {
    SharedState& st = s.st;
    if (st.EditState == Editing::ConnectRubber) {
        // The person gives the connection up: it goes without a word.
        DrawRubberLine(s);
        DropConnectionBeingDrawn(st);
        st.EditState = Editing::Idle;
    } else if (st.EditState == Editing::ConnectBends) {
        ConnectionRec& con = st.Diagram.Connections[st.Diagram.ConnCount];
        DrawRubberLine(s);
        if (con.PointCount > 0) --con.PointCount;
        if (con.PointCount == 0) {
            st.AnchorX = con.X1;
            st.AnchorY = con.Y1;
            st.EditState = Editing::ConnectRubber;
        } else {
            st.AnchorX = con.Points[con.PointCount].X;
            st.AnchorY = con.Points[con.PointCount].Y;
        }
        st.PointerX = SnapToGrid(st, x);
        st.PointerY = SnapToGrid(st, y);
        RedrawWhileConnecting(s);
        DrawRubberLine(s);
    }
    return true;
}
