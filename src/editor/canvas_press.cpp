#include "editor/canvas_press.h"

#include "editor/canvas_drag.h"
#include "editor/connection_drawing.h"
#include "editor/edit_menu.h"
#include "editor/pick_up.h"
#include "editor/selection_panel.h"
#include "model/cp932.h"
#include "model/diagram_edit.h"
#include "model/element_geometry.h"
#include "model/form_controls.h"
#include "model/grid_snap.h"
#include "model/selection.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/feedback.h"
#include "render/hit_test.h"
#include "render/renderer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kShiftKey = 1;  // in the shift state

// States in which a left press picks something up, fixes a new element's centre or chooses a
// connection's start element.
bool BeginsGesture(Editing state) {
    return state == Editing::Idle || state == Editing::PlaceCentre ||
           state == Editing::ConnectStart;
}

// States that a second press (or a release after a drag) finishes.
bool GestureUnderWay(Editing state) {
    switch (state) {
        case Editing::PlaceRadius:
        case Editing::ConnectInside:
        case Editing::ConnectRubber:
        case Editing::MoveElementText:
        case Editing::MoveArgText:
        case Editing::MoveElement:
        case Editing::MovePoint:
        case Editing::SelectBox:
            return true;
        default:
            return false;
    }
}

bool LiveElement(const SharedState& st, int e) {
    return e >= 1 && e <= st.Diagram.ElemCount;
}
bool LiveConnection(const SharedState& st, int c) {
    return c >= 1 && c <= st.Diagram.ConnCount;
}

// The element's circle, as one of two or more selected together.
bool InGroup(const SharedState& st, const Hit& hit) {
    return hit.kind == kSelElement && GroupSelected(st) &&
           st.SelectedElements[static_cast<std::size_t>(hit.index)];
}

// A Shift press on an element adds it to the selection or takes it out.
void ToggleInSelection(Session& s, int e) {
    ElementSet group = SelectedGroup(s.st);
    group.flip(static_cast<std::size_t>(e));
    SelectElements(s.st, group);
    RedrawDiagram(s, -1);
}

void BeginSelectionBox(SharedState& st, float x, float y) {
    st.EditState = Editing::SelectBox;
    st.AnchorX = st.PointerX = x;
    st.AnchorY = st.PointerY = y;
}

// The second press of a selection box: every element wholly inside it is selected.
void EndSelectionBox(Session& s, float x, float y) {
    SharedState& st = s.st;
    DrawSelectionBox(s);
    const double left = std::min<double>(st.AnchorX, x), right = std::max<double>(st.AnchorX, x);
    const double top = std::min<double>(st.AnchorY, y), bottom = std::max<double>(st.AnchorY, y);
    ElementSet inside;
    for (int e = 1; e <= st.Diagram.LiveElements(); ++e) {
        const ElementRec& el = st.Diagram.Elements[e];
        const double r = std::fabs(el.R);
        if (el.X - r >= left && el.X + r <= right && el.Y - r >= top && el.Y + r <= bottom)
            inside.set(static_cast<std::size_t>(e));
    }
    SelectElements(st, inside);
    st.EditState = Editing::Idle;
    RedrawDiagram(s, -1);
}

void SelectAndPickUp(Session& s, float x, float y, bool shift) {
    SharedState& st = s.st;
    const Hit hit = FindHit(st.Diagram, x, y);
    if (shift && (hit.kind == kSelElement || hit.kind == kSelElementText)) {
        ToggleInSelection(s, hit.index);
        return;
    }
    if (!hit.Hits()) {
        BeginSelectionBox(st, x, y);
        return;
    }
    // A press on one of the elements selected together picks them all up; any other press
    // selects what it hit alone.
    if (!InGroup(st, hit)) st.SelectedElements.reset();
    st.SelKind.clear();
    Select(st, hit);
    const int i = st.SelIndex;
    if (st.SelKind == kSelElementText) {
        const ElementRec& e = st.Diagram.Elements[i];
        st.EditState = Editing::MoveElementText;
        PickUpText(s, e.TextX, e.TextY, e.Text, e.Font.Size);
    } else if (st.SelKind == kSelElement) {
        PickUpElement(s);
    } else if (st.SelKind == kSelArgText) {
        const ConnectionRec& c = st.Diagram.Connections[i];
        st.EditState = Editing::MoveArgText;
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
    const Hit hit = FindHit(st.Diagram, x, y);
    if (!InGroup(st, hit)) st.SelectedElements.reset();
    st.SelKind.clear();
    Select(st, hit);
    RedrawDiagram(s, -1);
    // Beside the pressed point, so that it does not hide what was pressed: to its right, or to its
    // left where the right has no room; pulled up where it would pass the bottom.
    const double gap = kPanelGapPixels * s.canvas.Picture2.UnitsPerLogicalPixelX();
    const double width = frm.Frame1.Width, height = frm.Frame1.Height;
    double left = x + gap;
    if (left + width > frm.Picture1.Width) left = x - gap - width;
    left = std::max(0.0, std::min(left, frm.Picture1.Width - width));
    double top = y;
    if (top + height > frm.Picture1.Height) top = frm.Picture1.Height - height;
    frm.Frame1.Left = left;
    frm.Frame1.Top = std::max(0.0, top);
    frm.Frame1Visible = true;
}

void FixCentre(Session& s, float x, float y) {
    SharedState& st = s.st;
    st.AnchorX = SnapToGrid(st, x);
    st.AnchorY = SnapToGrid(st, y);
    st.CurR = 0;
    DrawXorCircle(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.CurR);
    st.EditState = Editing::PlaceRadius;
}

void FixRadiusAndCreate(Session& s, float x, float y) {
    SharedState& st = s.st;
    DiagramTables& d = st.Diagram;
    DrawXorCircle(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.CurR);
    st.CurR = Distance(st.AnchorX, st.AnchorY, SnapToGrid(st, x), SnapToGrid(st, y));
    if (d.ElemCount >= kMaxElements) {  // the add-element command refuses this beforehand
        st.EditState = Editing::Idle;
        return;
    }
    ElementRec& t = st.NewElement;
    t.X = st.AnchorX;
    t.Y = st.AnchorY;
    t.R = st.CurR;
    t.TextX = t.X - 4.0 * t.Font.Size * TextWidthUnits(t.Text);
    t.TextY = t.Y - 8.0 * t.Font.Size;
    ++d.ElemCount;
    d.Elements[d.ElemCount] = t;
    DrawElementPlain(s, d.ElemCount);
    st.SelKind = kSelElement;
    st.SelIndex = d.ElemCount;
    st.SelPoint = 0;
    frmMain::mnuEditAddElement_Click(s);
}

void CancelRadius(Session& s) {
    SharedState& st = s.st;
    DrawXorCircle(s.canvas.Picture2, st.AnchorX, st.AnchorY, st.CurR);
    st.EditState = Editing::PlaceCentre;
}

// Drops what was picked up, when the selection still names something that exists.
void DropText(Session& s, float x, float y) {
    SharedState& st = s.st;
    DiagramTables& d = st.Diagram;
    const double sx = SnapToGrid(st, x), sy = SnapToGrid(st, y);
    if (st.EditState == Editing::MoveElementText && LiveElement(st, st.SelIndex)) {
        d.Elements[st.SelIndex].TextX = sx;
        d.Elements[st.SelIndex].TextY = sy;
    } else if (st.EditState == Editing::MoveArgText && LiveConnection(st, st.SelIndex)) {
        d.Connections[st.SelIndex].ArgTextX = sx;
        d.Connections[st.SelIndex].ArgTextY = sy;
    }
    RedrawDiagram(s, -1);
    st.EditState = Editing::Idle;
}

void DropElement(Session& s, float x, float y) {
    SharedState& st = s.st;
    DiagramTables& d = st.Diagram;
    const int e = st.SelIndex;
    if (LiveElement(st, e) && GroupSelected(st) &&
        st.SelectedElements[static_cast<std::size_t>(e)]) {
        // The whole group moves by the offset that puts the element picked up where it is
        // dropped.
        const ElementRec& el = d.Elements[e];
        MoveElements(d, st.SelectedElements, SnapToGrid(st, x) - el.X, SnapToGrid(st, y) - el.Y);
    } else if (LiveElement(st, e)) {
        const double nx = SnapToGrid(st, x), ny = SnapToGrid(st, y);
        ElementRec& el = d.Elements[e];
        const double r = el.R;
        el.X = nx;
        el.Y = ny;
        el.TextX = nx - 4.0 * el.Font.Size * TextWidthUnits(el.Text);
        el.TextY = ny - 8.0 * el.Font.Size;
        for (int j = 1; j <= d.ConnCount; ++j) {
            ConnectionRec& c = d.Connections[j];
            // Bend points now inside the circle are dropped while they follow its own end.
            if (c.FromElem == e) {
                while (c.PointCount >= 1 && Distance(c.Points[1].X, c.Points[1].Y, nx, ny) < r)
                    RemoveBendPoint(c, 1);
            }
            if (c.ToElem == e) {
                while (c.PointCount >= 1 &&
                       Distance(c.Points[c.PointCount].X, c.Points[c.PointCount].Y, nx, ny) < r)
                    RemoveBendPoint(c, c.PointCount);
            }
            RefitConnection(d, j);
        }
    }
    RedrawDiagram(s, -1);
    st.EditState = Editing::Idle;
}

void DropPoint(Session& s, float x, float y) {
    SharedState& st = s.st;
    const int c = st.SelIndex, p = st.SelPoint;
    if (LiveConnection(st, c) && p >= 0 && p <= kMaxPoints) {
        st.Diagram.Connections[c].Points[p] = {SnapToGrid(st, x), SnapToGrid(st, y)};
        RefitConnection(st.Diagram, c);
    }
    RedrawDiagram(s, -1);
    st.EditState = Editing::Idle;
}

// Returns false when the press is ignored.
bool LeftPress(Session& s, float x, float y, bool shift) {
    switch (s.st.EditState) {
        case Editing::Idle:
            SelectAndPickUp(s, x, y, shift);
            return true;
        case Editing::SelectBox:
            EndSelectionBox(s, x, y);
            return true;
        case Editing::PlaceCentre:
            FixCentre(s, x, y);
            return true;
        case Editing::PlaceRadius:
            FixRadiusAndCreate(s, x, y);
            return true;
        case Editing::ConnectStart:
        case Editing::ConnectRubber:
        case Editing::ConnectBends:
            return ConnectionLeftPress(s, x, y);
        case Editing::MoveElementText:
        case Editing::MoveArgText:
            DropText(s, x, y);
            return true;
        case Editing::MoveElement:
            DropElement(s, x, y);
            return true;
        case Editing::MovePoint:
            DropPoint(s, x, y);
            return true;
        default:
            return true;
    }
}

bool RightPress(Session& s, float x, float y) {
    switch (s.st.EditState) {
        case Editing::Idle:
            SelectAndOpenPanel(s, x, y);
            return true;
        case Editing::PlaceRadius:
            CancelRadius(s);
            return true;
        case Editing::ConnectRubber:
        case Editing::ConnectBends:
            return ConnectionRightPress(s, x, y);
        default:
            return true;
    }
}

}  // namespace

void frmMain::Picture1_MouseDown(Session& s, int button, int shift, float x, float y) {
    // The panel is a pop-up: a press anywhere on the canvas closes it, then acts as it would
    // without it (a right press opens it again where it was made).
    s.frm.Frame1Visible = false;
    const Editing before = s.st.EditState;
    bool refresh = true;
    // Once the connection being drawn is gone, a press only ends the drawing.
    if (!EndLostConnection(s.st)) {
        if (button == kLeft)
            refresh = LeftPress(s, x, y, (shift & kShiftKey) != 0);
        else if (button == kRight)
            refresh = RightPress(s, x, y);
    }
    ArmDrag(s, button, x, y, BeginsGesture(before) && GestureUnderWay(s.st.EditState));
    if (refresh) s.canvas.Publish();
}
