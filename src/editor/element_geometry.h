#pragma once
// Geometry of elements and connections used while editing: which element lies under a point,
// where a line towards a point leaves an element's circle, and re-fitting a connection's ends
// and label to its elements and bend points. Nothing here draws.

#include "render/surface.h"

struct SharedState;

// The first element (in index order) whose circle strictly contains (x, y), or -1.
int ElementAtPoint(const SharedState& st, double x, double y);
// The point on element e's circle facing (px, py). Towards the centre itself the point to the
// right of the centre is returned.
UnitPoint ElementRimPoint(const SharedState& st, int e, double px, double py);
// Recomputes the start point, end point and label position of connection c.
void RefitConnection(SharedState& st, int c);
