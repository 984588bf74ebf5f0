#pragma once
// What a pointer move over the canvas does: the coordinate read-out in the status line and the
// exclusive-or feedback of the current editing state (rubber lines, circles, label boxes), then
// publishing. It changes the tables never; only the anchor, pointer, radius and state 111/112.

#include <QString>

struct Session;

void Picture1_MouseMove(Session& s, int buttons, int shift, float x, float y);

// The read-out " 座標 (x, y)" with the prefix of the state, e.g. " 円中心　座標 (".
QString CoordinateReadout(int editState, float x, float y);
