#pragma once
// The grid that positions snap to, and the logic of the modeless grid dialog frmGrid.

#include <QString>

struct Session;
struct SharedState;

// Rounds v to the nearest multiple of GridSize (halves go up); unchanged when GridSize is 0.
double SnapToGrid(const SharedState& st, double v);
