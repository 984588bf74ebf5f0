#pragma once
// Snapping canvas positions to the grid of spacing GridSize.

struct SharedState;

// Rounds v to the nearest multiple of GridSize (halves go up); unchanged when GridSize is 0.
double SnapToGrid(const SharedState& st, double v);
