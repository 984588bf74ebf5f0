#include "editor/canvas_drag.h"

#include "editor/canvas_press.h"
#include "editor/selection_panel.h"
#include "model/element_geometry.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/hit_test.h"
#include "render/renderer.h"

namespace {

constexpr int kLeft = 1;

// The element whose circle or text lies under (x, y), or 0; the selection is left as it was.
int ElementHit(SharedState& st, float x, float y) {
    const QString kind = st.SelKind;
    const Integer index = st.SelIndex, point = st.SelPoint;
    st.SelKind.clear();
    HitTest(st, x, y);
    const int hit = ElementSelected(st) ? st.SelIndex : 0;
    st.SelKind = kind;
    st.SelIndex = index;
    st.SelPoint = point;
    return hit;
}

}  // namespace

void frmMain::ArmDrag(Session& s, int button, float x, float y, bool beganGesture) {
    SharedState& st = s.st;
    st.DragArmed = button == kLeft && beganGesture;
    st.DragFromX = x;
    st.DragFromY = y;
}

void frmMain::Picture1_MouseUp(Session& s, int button, int shift, float x, float y) {
    SharedState& st = s.st;
    if (button != kLeft || !st.DragArmed) return;
    st.DragArmed = false;
    const double reach = kDragDistancePixels * s.canvas.Picture2.UnitsPerLogicalPixelX();
    if (Distance(st.DragFromX, st.DragFromY, x, y) < reach) return;  // press-move-press
    Picture1_MouseDown(s, button, shift, x, y);
}

void frmMain::Picture1_DblClick(Session& s, int button, int shift, float x, float y) {
    SharedState& st = s.st;
    // The first press of the double click picked the element or its text up.
    const bool pickedUp =
        st.EditState == Editing::MoveElement || st.EditState == Editing::MoveElementText;
    if (button == kLeft && pickedUp && ElementSelected(st) && ElementHit(st, x, y) == st.SelIndex) {
        st.DragArmed = false;
        st.EditState = Editing::Idle;
        RedrawDiagram(s, -1);  // the pick-up's feedback goes
        Command11_Click(s);
        s.canvas.Publish();
        return;
    }
    Picture1_MouseDown(s, button, shift, x, y);
}
