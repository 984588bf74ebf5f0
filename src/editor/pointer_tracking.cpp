#include "editor/pointer_tracking.h"

#include "app/grid.h"
#include "editor/connection_drawing.h"
#include "editor/edit_states.h"
#include "editor/element_geometry.h"
#include "model/form_controls.h"
#include "model/numeric_text.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/feedback.h"

#include <cmath>

namespace {

QString Prefix(int editState) {
    switch (editState) {
        case kPlaceCentre:
            return QStringLiteral(" 円中心　座標 (");
        case kPlaceRadius:
            return QStringLiteral(" 半径　座標 (");
        case kConnectStart:
            return QStringLiteral(" 接続始点要素 座標 (");
        default:
            return QStringLiteral(" 座標 (");
    }
}

QString Readout(const QString& prefix, float x, float y) {
    return prefix + FormatSingle(x) + QStringLiteral(", ") + FormatSingle(y) + u')';
}

void XorRubberLine(Session& s) {
    DrawXorLine(s.canvas.Picture2, s.st.AnchorX, s.st.AnchorY, s.st.PointerX, s.st.PointerY);
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
        case kPlaceRadius: {
            DrawXorCircle(back, st.AnchorX, st.AnchorY, st.CurR);
            const double dx = st.AnchorX - SnapToGrid(st, x), dy = st.AnchorY - SnapToGrid(st, y);
            st.CurR = std::sqrt(dx * dx + dy * dy);
            DrawXorCircle(back, st.AnchorX, st.AnchorY, st.CurR);
            return true;
        }
        case kConnectInside:
        case kConnectRubber: {
            const int start = st.Connections[st.ConnCount].FromElem;
            const bool inside = ElementAtPoint(st, x, y) == start;
            if (st.EditState == kConnectInside) {
                if (inside) return false;
            } else {
                XorRubberLine(s);
                if (inside) {
                    st.EditState = kConnectInside;
                    return true;
                }
            }
            const UnitPoint rim = ElementRimPoint(st, start, x, y);
            st.AnchorX = rim.X;
            st.AnchorY = rim.Y;
            MovePointer(st, x, y);
            XorRubberLine(s);
            st.EditState = kConnectRubber;
            return true;
        }
        case kConnectBends:
        case kMovePoint:
            XorRubberLine(s);
            MovePointer(st, x, y);
            XorRubberLine(s);
            return true;
        case kMoveElementText:
        case kMoveArgText:
            XorRubberLine(s);
            DrawXorBox(back, st.PointerX, st.PointerY, st.DragW, st.DragH);
            MovePointer(st, x, y);
            XorRubberLine(s);
            DrawXorBox(back, st.PointerX, st.PointerY, st.DragW, st.DragH);
            return true;
        case kMoveElement: {
            const int e = st.SelIndex;
            const double r = e >= 0 && e <= kMaxElements ? st.Elements[e].R : 0;
            XorRubberLine(s);
            DrawXorCircle(back, st.PointerX, st.PointerY, r);
            MovePointer(st, x, y);
            XorRubberLine(s);
            DrawXorCircle(back, st.PointerX, st.PointerY, r);
            return true;
        }
        default:
            return true;
    }
}

}  // namespace

QString CoordinateReadout(int editState, float x, float y) {
    return Readout(Prefix(editState), x, y);
}

void Picture1_MouseMove(Session& s, int /*buttons*/, int /*shift*/, float x, float y) {
    EndLostConnection(s.st);
    SetLabel1(s.frm, Readout(Prefix(kIdle), x, y));
    const int state = s.st.EditState;
    if (state == kIdle || state == kPlaceCentre || state == kPlaceRadius || state == kConnectStart)
        SetLabel1(s.frm, CoordinateReadout(state, x, y));
    if (Feedback(s, x, y)) s.canvas.Publish();
}
