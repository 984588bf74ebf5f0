#include "editor/canvas_press.h"

#include "app/grid.h"
#include "editor/connection_drawing.h"
#include "editor/edit_menu.h"
#include "editor/edit_states.h"
#include "editor/element_geometry.h"
#include "model/cp932.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/feedback.h"
#include "render/hit_test.h"
#include "render/renderer.h"

#include <cmath>

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;

double Distance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

bool LiveElement(const SharedState& st, int e) {
    return e >= 1 && e <= st.ElemCount;
}
bool LiveConnection(const SharedState& st, int c) {
    return c >= 1 && c <= st.ConnCount;
}

void SetAnchorAndPointer(SharedState& st, double x, double y) {
    st.AnchorX = st.PointerX = x;
    st.AnchorY = st.PointerY = y;
}

// The outline box of a text being dragged: 8 units per half-width cell and point, 16 high.
void PickUpText(Session& s, double x, double y, const QString& text, int size) {
    SharedState& st = s.st;
    Surface& back = s.canvas.Picture2;
    SetAnchorAndPointer(st, x, y);
    st.DragH = size * 16.0;
    st.DragW = 8.0 * size * TextWidthUnits(text);
    DrawXorBox(back, st.PointerX, st.PointerY, st.DragW, st.DragH);
    DrawXorLine(back, st.AnchorX, st.AnchorY, st.PointerX, st.PointerY);
    DrawXorBox(back, st.PointerX, st.PointerY, st.DragW, st.DragH);
}

void PickUpPoint(Session& s) {
    SharedState& st = s.st;
    const PointRec& p = st.Connections[st.SelIndex].Points[st.SelPoint];
    st.EditState = kMovePoint;
    SetAnchorAndPointer(st, p.X, p.Y);
    DrawXorLine(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.PointerX, st.PointerY);
}

// Picking up segment s inserts its midpoint as a new bend point, which is then moved. A
// connection that already has every bend point it can hold gets the nearer end of the segment
// picked up instead.
void PickUpSegment(Session& s, float x, float y) {
    SharedState& st = s.st;
    ConnectionRec& c = st.Connections[st.SelIndex];
    const int n = c.PointCount;
    const int seg = st.SelPoint;
    if (seg < 1 || seg > n + 1) return;
    if (n >= kMaxPoints) {
        int nearest = seg <= n ? seg : n;
        if (seg - 1 >= 1 && seg <= n &&
            Distance(c.Points[seg - 1].X, c.Points[seg - 1].Y, x, y) <
                Distance(c.Points[seg].X, c.Points[seg].Y, x, y))
            nearest = seg - 1;
        st.SelKind = kSelPoint;
        st.SelPoint = static_cast<Integer>(nearest);
        PickUpPoint(s);
        return;
    }
    const PointRec first = seg - 1 > 0 ? c.Points[seg - 1] : PointRec{c.X1, c.Y1};
    const PointRec second = seg <= n ? c.Points[seg] : PointRec{c.X2, c.Y2};
    for (int k = n; k >= seg; --k) c.Points[k + 1] = c.Points[k];
    c.Points[seg] = {(first.X + second.X) * 0.5, (first.Y + second.Y) * 0.5};
    c.PointCount = static_cast<Integer>(n + 1);
    PickUpPoint(s);
}

void SelectAndPickUp(Session& s, float x, float y) {
    SharedState& st = s.st;
    st.SelKind.clear();
    HitTest(st, x, y);
    const int i = st.SelIndex;
    if (st.SelKind == kSelElementText) {
        const ElementRec& e = st.Elements[i];
        st.EditState = kMoveElementText;
        PickUpText(s, e.TextX, e.TextY, e.Text, e.Font.Size);
    } else if (st.SelKind == kSelElement) {
        const ElementRec& e = st.Elements[i];
        st.EditState = kMoveElement;
        SetAnchorAndPointer(st, e.X, e.Y);
        DrawXorLine(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.PointerX, st.PointerY);
        DrawXorCircle(s.canvas.Picture2, st.PointerX, st.PointerY, e.R);
    } else if (st.SelKind == kSelArgText) {
        const ConnectionRec& c = st.Connections[i];
        st.EditState = kMoveArgText;
        PickUpText(s, c.ArgTextX, c.ArgTextY, c.ArgNo, c.Font.Size);
    } else if (st.SelKind == kSelLine) {
        PickUpSegment(s, x, y);
    } else if (st.SelKind == kSelPoint) {
        PickUpPoint(s);
    }
}

void SelectAndOpenPanel(Session& s, float x, float y) {
    SharedState& st = s.st;
    FormControls& frm = s.frm;
    st.SelKind.clear();
    HitTest(st, x, y);
    RedrawDiagram(s, -1);
    double left = x, top = y;
    if (x + frm.Frame1.Width > frm.Picture1.Width) left = frm.Picture1.Width - frm.Frame1.Width;
    if (y + frm.Frame1.Height > frm.Picture1.Height) top = frm.Picture1.Height - frm.Frame1.Height;
    frm.Frame1.Left = left;
    frm.Frame1.Top = top;
    frm.Frame1Visible = true;
}

void FixCentre(Session& s, float x, float y) {
    SharedState& st = s.st;
    st.AnchorX = SnapToGrid(st, x);
    st.AnchorY = SnapToGrid(st, y);
    st.CurR = 0;
    DrawXorCircle(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.CurR);
    st.EditState = kPlaceRadius;
}

void FixRadiusAndCreate(Session& s, float x, float y) {
    SharedState& st = s.st;
    DrawXorCircle(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.CurR);
    st.CurR = Distance(SnapToGrid(st, x), SnapToGrid(st, y), st.AnchorX, st.AnchorY);
    if (st.ElemCount >= kMaxElements) {  // the add-element command refuses this beforehand
        st.EditState = kIdle;
        return;
    }
    ElementRec& t = st.NewElement;
    t.X = st.AnchorX;
    t.Y = st.AnchorY;
    t.R = st.CurR;
    t.TextX = t.X - 4.0 * t.Font.Size * TextWidthUnits(t.Text);
    t.TextY = t.Y - 8.0 * t.Font.Size;
    ++st.ElemCount;
    st.Elements[st.ElemCount] = t;
    DrawElementPlain(s, st.ElemCount);
    st.SelKind = kSelElement;
    st.SelIndex = st.ElemCount;
    st.SelPoint = 0;
    mnuEditAddElement_Click(s);
}

void CancelRadius(Session& s) {
    SharedState& st = s.st;
    DrawXorCircle(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.CurR);
    st.EditState = kPlaceCentre;
}

// Drops what was picked up, when the selection still names something that exists.
void DropText(Session& s, float x, float y) {
    SharedState& st = s.st;
    const double sx = SnapToGrid(st, x), sy = SnapToGrid(st, y);
    if (st.EditState == kMoveElementText && LiveElement(st, st.SelIndex)) {
        st.Elements[st.SelIndex].TextX = sx;
        st.Elements[st.SelIndex].TextY = sy;
    } else if (st.EditState == kMoveArgText && LiveConnection(st, st.SelIndex)) {
        st.Connections[st.SelIndex].ArgTextX = sx;
        st.Connections[st.SelIndex].ArgTextY = sy;
    }
    RedrawDiagram(s, -1);
    st.EditState = kIdle;
}

void DropElement(Session& s, float x, float y) {
    SharedState& st = s.st;
    const int e = st.SelIndex;
    if (LiveElement(st, e)) {
        const double nx = SnapToGrid(st, x), ny = SnapToGrid(st, y);
        ElementRec& el = st.Elements[e];
        const double r = el.R;
        el.X = nx;
        el.Y = ny;
        el.TextX = nx - 4.0 * el.Font.Size * TextWidthUnits(el.Text);
        el.TextY = ny - 8.0 * el.Font.Size;
        for (int j = 1; j <= st.ConnCount; ++j) {
            ConnectionRec& c = st.Connections[j];
            if (c.FromElem == e) {
                // Bend points now inside the circle are dropped while they follow its own end.
                while (c.PointCount >= 1 && Distance(c.Points[1].X, c.Points[1].Y, nx, ny) < r) {
                    for (int k = 1; k < c.PointCount; ++k) c.Points[k] = c.Points[k + 1];
                    --c.PointCount;
                }
            }
            if (c.ToElem == e) {
                while (c.PointCount >= 1 &&
                       Distance(c.Points[c.PointCount].X, c.Points[c.PointCount].Y, nx, ny) < r)
                    --c.PointCount;
            }
            RefitConnection(st, j);
        }
    }
    RedrawDiagram(s, -1);
    st.EditState = kIdle;
}

void DropPoint(Session& s, float x, float y) {
    SharedState& st = s.st;
    const int c = st.SelIndex, p = st.SelPoint;
    if (LiveConnection(st, c) && p >= 0 && p <= kMaxPoints) {
        st.Connections[c].Points[p] = {SnapToGrid(st, x), SnapToGrid(st, y)};
        RefitConnection(st, c);
    }
    RedrawDiagram(s, -1);
    st.EditState = kIdle;
}

// Returns false when the press is ignored.
bool LeftPress(Session& s, float x, float y) {
    switch (s.st.EditState) {
        case kIdle:
            SelectAndPickUp(s, x, y);
            return true;
        case kPlaceCentre:
            FixCentre(s, x, y);
            return true;
        case kPlaceRadius:
            FixRadiusAndCreate(s, x, y);
            return true;
        case kConnectStart:
        case kConnectRubber:
        case kConnectBends:
            return ConnectionLeftPress(s, x, y);
        case kMoveElementText:
        case kMoveArgText:
            DropText(s, x, y);
            return true;
        case kMoveElement:
            DropElement(s, x, y);
            return true;
        case kMovePoint:
            DropPoint(s, x, y);
            return true;
        default:
            return true;
    }
}

bool RightPress(Session& s, float x, float y) {
    switch (s.st.EditState) {
        case kIdle:
            SelectAndOpenPanel(s, x, y);
            return true;
        case kPlaceRadius:
            CancelRadius(s);
            return true;
        case kConnectRubber:
        case kConnectBends:
            return ConnectionRightPress(s, x, y);
        default:
            return true;
    }
}

}  // namespace

void Picture1_MouseDown(Session& s, int button, int /*shift*/, float x, float y) {
    bool refresh = true;
    // Once the connection being drawn is gone, a press only ends the drawing.
    if (!EndLostConnection(s.st)) {
        if (button == kLeft)
            refresh = LeftPress(s, x, y);
        else if (button == kRight)
            refresh = RightPress(s, x, y);
    }
    if (refresh) s.canvas.Publish();
}
