#include "editor/pick_up.h"

#include "model/cp932.h"
#include "model/diagram_edit.h"
#include "model/element_geometry.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/feedback.h"

namespace {

void SetAnchorAndPointer(SharedState& st, double x, double y) {
    st.AnchorX = st.PointerX = x;
    st.AnchorY = st.PointerY = y;
}

}  // namespace

void DrawRubberLine(Session& s) {
    DrawXorLine(s.canvas.Picture2, s.st.AnchorX, s.st.AnchorY, s.st.PointerX, s.st.PointerY);
}

void PickUpElement(Session& s) {
    SharedState& st = s.st;
    const ElementRec& e = st.Diagram.Elements[st.SelIndex];
    st.EditState = Editing::MoveElement;
    SetAnchorAndPointer(st, e.X, e.Y);
    DrawRubberLine(s);
    DrawXorCircle(s.canvas.Picture2, st.PointerX, st.PointerY, e.R);
    DrawGroupCircles(s);
}

void DrawGroupCircles(Session& s) {
    const SharedState& st = s.st;
    if (!GroupSelected(st) || !st.SelectedElements[static_cast<std::size_t>(st.SelIndex)]) return;
    const double dx = st.PointerX - st.AnchorX, dy = st.PointerY - st.AnchorY;
    for (int e = 1; e <= st.Diagram.LiveElements(); ++e) {
        if (e == st.SelIndex || !st.SelectedElements[static_cast<std::size_t>(e)]) continue;
        const ElementRec& el = st.Diagram.Elements[e];
        DrawXorCircle(s.canvas.Picture2, el.X + dx, el.Y + dy, el.R);
    }
}

void DrawSelectionBox(Session& s) {
    const SharedState& st = s.st;
    const double w = st.PointerX - st.AnchorX, h = st.PointerY - st.AnchorY;
    if (w == 0 && h == 0) return;
    DrawXorBox(s.canvas.Picture2, st.AnchorX, st.AnchorY, w, h);
}

void PickUpText(Session& s, double x, double y, const QString& text, int size) {
    SharedState& st = s.st;
    Surface& back = s.canvas.Picture2;
    SetAnchorAndPointer(st, x, y);
    st.DragH = size * 16.0;
    st.DragW = 8.0 * size * TextWidthUnits(text);
    DrawXorBox(back, st.PointerX, st.PointerY, st.DragW, st.DragH);
    DrawRubberLine(s);
    DrawXorBox(back, st.PointerX, st.PointerY, st.DragW, st.DragH);
}

void PickUpPoint(Session& s) {
    SharedState& st = s.st;
    const PointRec& p = st.Diagram.Connections[st.SelIndex].Points[st.SelPoint];
    st.EditState = Editing::MovePoint;
    SetAnchorAndPointer(st, p.X, p.Y);
    DrawRubberLine(s);
}

bool PickUpSegment(Session& s, double x, double y) {
    SharedState& st = s.st;
    ConnectionRec& c = st.Diagram.Connections[st.SelIndex];
    const int n = c.PointCount;
    const int seg = st.SelPoint;
    if (seg < 1 || seg > n + 1) return false;
    if (n >= kMaxPoints) {
        int nearest = seg <= n ? seg : n;
        if (seg - 1 >= 1 && seg <= n &&
            Distance(c.Points[seg - 1].X, c.Points[seg - 1].Y, x, y) <
                Distance(c.Points[seg].X, c.Points[seg].Y, x, y))
            nearest = seg - 1;
        st.SelKind = kSelPoint;
        st.SelPoint = static_cast<Integer>(nearest);
        PickUpPoint(s);
        return true;
    }
    const PointRec first = seg - 1 > 0 ? c.Points[seg - 1] : PointRec{c.X1, c.Y1};
    const PointRec second = seg <= n ? c.Points[seg] : PointRec{c.X2, c.Y2};
    InsertBendPoint(c, seg, {(first.X + second.X) * 0.5, (first.Y + second.Y) * 0.5});
    PickUpPoint(s);
    return true;
}
