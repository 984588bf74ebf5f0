#include "editor/pointer_tracking.h"

#include "editor/connection_drawing.h"
#include "editor/pick_up.h"
#include "model/element_geometry.h"
#include "model/form_controls.h"
#include "model/grid_snap.h"
#include "model/numeric_text.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "model/translation.h"
#include "render/canvas.h"
#include "render/feedback.h"

namespace {

QString Prefix(Editing editState) {
    switch (editState) {
        case Editing::PlaceCentre:
            return QCoreApplication::translate("Quillrun", " 円中心　座標 (");
        case Editing::PlaceRadius:
            return QCoreApplication::translate("Quillrun", " 半径　座標 (");
        case Editing::ConnectStart:
            return QCoreApplication::translate("Quillrun", " 接続始点要素 座標 (");
        default:
            return QCoreApplication::translate("Quillrun", " 座標 (");
    }
}

QString Readout(const QString& prefix, float x, float y) {
    return prefix + FormatSingle(x) + QStringLiteral(", ") + FormatSingle(y) + u')';
}

void MovePointer(SharedState& st, float x, float y) {
    st.PointerX = SnapToGrid(st, x);
    st.PointerY = SnapToGrid(st, y);
}

// Returns false when the canvas is to be left as it is (pointer still inside the start element).
bool Feedback(Session& s, float x, float y) {
    SharedState& st = s.st;
    Surface& back = s.canvas.Picture2;
    switch (st.EditState) {
        case Editing::PlaceRadius: {
            DrawXorCircle(back, st.AnchorX, st.AnchorY, st.CurR);
            st.CurR = Distance(st.AnchorX, st.AnchorY, SnapToGrid(st, x), SnapToGrid(st, y));
            DrawXorCircle(back, st.AnchorX, st.AnchorY, st.CurR);
            return true;
        }
        case Editing::ConnectInside:
        case Editing::ConnectRubber: {
            const int start = st.Diagram.Connections[st.Diagram.ConnCount].FromElem;
            const bool inside = ElementAtPoint(st.Diagram, x, y) == start;
            if (st.EditState == Editing::ConnectInside) {
                if (inside) return false;
            } else {
                DrawRubberLine(s);
                if (inside) {
                    st.EditState = Editing::ConnectInside;
                    return true;
                }
            }
            const PointRec rim = ElementRimPoint(st.Diagram, start, x, y);
            st.AnchorX = rim.X;
            st.AnchorY = rim.Y;
            MovePointer(st, x, y);
            DrawRubberLine(s);
            st.EditState = Editing::ConnectRubber;
            return true;
        }
        case Editing::ConnectBends:
        case Editing::MovePoint:
            DrawRubberLine(s);
            MovePointer(st, x, y);
            DrawRubberLine(s);
            return true;
        case Editing::MoveElementText:
        case Editing::MoveArgText:
            DrawRubberLine(s);
            DrawXorBox(back, st.PointerX, st.PointerY, st.DragW, st.DragH);
            MovePointer(st, x, y);
            DrawRubberLine(s);
            DrawXorBox(back, st.PointerX, st.PointerY, st.DragW, st.DragH);
            return true;
        case Editing::MoveElement: {
            const int e = st.SelIndex;
            const double r = e >= 0 && e <= kMaxElements ? st.Diagram.Elements[e].R : 0;
            DrawRubberLine(s);
            DrawXorCircle(back, st.PointerX, st.PointerY, r);
            DrawGroupCircles(s);
            MovePointer(st, x, y);
            DrawRubberLine(s);
            DrawXorCircle(back, st.PointerX, st.PointerY, r);
            DrawGroupCircles(s);
            return true;
        }
        case Editing::SelectBox:  // the box follows the pointer itself, not the grid
            DrawSelectionBox(s);
            st.PointerX = x;
            st.PointerY = y;
            DrawSelectionBox(s);
            return true;
        default:
            return true;
    }
}

}  // namespace

QString CoordinateReadout(Editing editState, float x, float y) {
    return Readout(Prefix(editState), x, y);
}

void frmMain::Picture1_MouseMove(Session& s, int /*buttons*/, int /*shift*/, float x, float y) {
    EndLostConnection(s.st);
    SetLabel1(s.frm, Readout(Prefix(Editing::Idle), x, y));
    const Editing state = s.st.EditState;
    if (state == Editing::Idle || state == Editing::PlaceCentre || state == Editing::PlaceRadius ||
        state == Editing::ConnectStart)
        SetLabel1(s.frm, CoordinateReadout(state, x, y));
    if (Feedback(s, x, y)) s.canvas.Publish();
}
