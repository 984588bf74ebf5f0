#include "editor/connection_drawing.h"

#include "app/grid.h"
#include "editor/edit_menu.h"
#include "editor/edit_states.h"
#include "editor/element_geometry.h"
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

void XorRubberLine(Session& s) {
    DrawXorLine(s.canvas.Picture2, s.st.AnchorX, s.st.AnchorY, s.st.PointerX, s.st.PointerY);
}

// Commits the segment from the anchor to (sx, sy) as a new bend point, which becomes the anchor.
void AddBend(Session& s, ConnectionRec& c, double sx, double sy) {
    SharedState& st = s.st;
    XorRubberLine(s);
    DrawXorLine(s.canvas.Picture2, st.AnchorX, st.AnchorY, sx, sy);
    ++c.PointCount;
    st.AnchorX = sx;
    st.AnchorY = sy;
    c.Points[c.PointCount] = {sx, sy};
    st.PointerX = sx;
    st.PointerY = sy;
    XorRubberLine(s);  // the rubber line starts again, of zero length, at the new anchor
    st.EditState = kConnectBends;
}

// Ends connection c on element e, its last segment starting at (fx, fy).
void Complete(Session& s, int c, int e, double fx, double fy) {
    SharedState& st = s.st;
    ConnectionRec& con = st.Connections[c];
    XorRubberLine(s);
    con.ToElem = static_cast<Integer>(e);
    const UnitPoint end = ElementRimPoint(st, e, fx, fy);
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
    st.EditState = kConnectStart;
    st.SelKind = kSelLine;
    st.SelIndex = static_cast<Integer>(c);
    st.SelPoint = 0;
}

bool StartConnection(Session& s, float x, float y) {
    SharedState& st = s.st;
    const int e = ElementAtPoint(st, x, y);
    if (e < 0) return false;
    if (st.ConnCount >= kMaxConnections) {
        s.ui.Message(kTooManyConnections);
        st.EditState = kIdle;
        return true;
    }
    ++st.ConnCount;
    // The slot may hold an earlier connection; a new one starts from a clean record, so that
    // it stays unfinished (ToElem 0) until it is completed.
    st.Connections[st.ConnCount] = ConnectionRec{};
    st.Connections[st.ConnCount].FromElem = static_cast<Integer>(e);
    st.EditState = kConnectInside;
    return true;
}

}  // namespace

bool EndLostConnection(SharedState& st) {
    if (st.EditState != kConnectInside && st.EditState != kConnectRubber &&
        st.EditState != kConnectBends)
        return false;
    if (st.ConnCount >= 1 && st.Connections[st.ConnCount].ToElem == 0) return false;
    st.EditState = kIdle;
    return true;
}

bool ConnectionLeftPress(Session& s, float x, float y) {
    SharedState& st = s.st;
    if (st.EditState == kConnectStart) return StartConnection(s, x, y);
    const int c = st.ConnCount;
    ConnectionRec& con = st.Connections[c];
    const int e = ElementAtPoint(st, x, y);
    const double sx = SnapToGrid(st, x), sy = SnapToGrid(st, y);
    if (st.EditState == kConnectRubber) {
        if (e >= 1 && e == con.FromElem) {
            XorRubberLine(s);
            st.EditState = kConnectInside;
        } else if (e < 0) {
            con.X1 = st.AnchorX;
            con.Y1 = st.AnchorY;
            con.PointCount = 0;
            AddBend(s, con, sx, sy);
        } else if (IsConstant(st.Elements[e])) {
            s.ui.Message(kNoInputOnConstants);
        } else {
            con.X1 = st.AnchorX;
            con.Y1 = st.AnchorY;
            con.PointCount = 0;
            Complete(s, c, e, con.X1, con.Y1);
        }
        return true;
    }
    if (st.EditState == kConnectBends) {
        if (e < 0) {
            if (con.PointCount >= kMaxPoints) return false;
            AddBend(s, con, sx, sy);
        } else if (IsConstant(st.Elements[e])) {
            s.ui.Message(kNoInputOnConstants);
        } else {
            Complete(s, c, e, st.AnchorX, st.AnchorY);
        }
    }
    return true;
}

bool ConnectionRightPress(Session& s, float x, float y) {
    SharedState& st = s.st;
    if (st.EditState == kConnectRubber) {
        // The half-made connection stays counted until the next full redraw drops it.
        XorRubberLine(s);
        st.EditState = kIdle;
    } else if (st.EditState == kConnectBends) {
        ConnectionRec& con = st.Connections[st.ConnCount];
        XorRubberLine(s);
        if (con.PointCount > 0) --con.PointCount;
        if (con.PointCount == 0) {
            st.AnchorX = con.X1;
            st.AnchorY = con.Y1;
            st.EditState = kConnectRubber;
        } else {
            st.AnchorX = con.Points[con.PointCount].X;
            st.AnchorY = con.Points[con.PointCount].Y;
        }
        st.PointerX = SnapToGrid(st, x);
        st.PointerY = SnapToGrid(st, y);
        RedrawWhileConnecting(s);
        XorRubberLine(s);
    }
    return true;
}
