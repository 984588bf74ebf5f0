#pragma once
// What a pointer move over the canvas does: the coordinate read-out in the status line and the
// exclusive-or feedback of the current editing state (rubber lines, circles, label boxes), then
// publishing. It changes the tables never; only the anchor, pointer, radius and state 111/112.

#include "model/edit_state.h"

#include <QString>

struct Session;

namespace frmMain {

void Picture1_MouseMove(Session& s, int buttons, int shift, float x, float y);

}  // namespace frmMain

// The read-out " 座標 (x, y)" with the prefix of the state, e.g. " 円中心　座標 (".
QString CoordinateReadout(Editing editState, float x, float y);
