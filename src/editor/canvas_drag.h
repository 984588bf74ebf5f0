#pragma once
// Dragging and double-clicking on the canvas, beside press-move-press. A left press that picks
// something up, fixes a new element's centre or chooses a connection's start element can be
// finished by releasing the button elsewhere, as a second press there would; a release in place
// leaves the gesture to the next press. A double click on an element opens the element dialog
// for it, as 要素属性変更 does.

struct Session;

// How far, in pixels, a release must lie from its press to finish the gesture.
constexpr int kDragDistancePixels = 4;

namespace frmMain {

// Called by the press handler after every press: arms a drag when the press began a gesture.
void ArmDrag(Session& s, int button, float x, float y, bool beganGesture);

// button: 1 left, 2 right; x, y in canvas units.
void Picture1_MouseUp(Session& s, int button, int shift, float x, float y);
// The second press of a double click.
void Picture1_DblClick(Session& s, int button, int shift, float x, float y);

}  // namespace frmMain
