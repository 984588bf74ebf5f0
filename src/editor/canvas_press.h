#pragma once
// The press handler of the canvas: what a press means in each editing state (select and pick
// up, open the panel, place an element, drop what was picked up; connection presses are handed
// to connection drawing). Every handled press ends by publishing the back canvas.

struct Session;

namespace frmMain {

// button: 1 left, 2 right; shift: 1 when Shift is held (a Shift press on an element adds it to
// the selection or takes it out); x, y in canvas units.
void Picture1_MouseDown(Session& s, int button, int shift, float x, float y);

}  // namespace frmMain
