#pragma once
// Geometry of elements and connections: distances, which element lies under a point, where a
// line towards a point leaves an element's circle, and re-fitting a connection's ends and label
// to its elements and bend points. Nothing here draws.

#include "model/records.h"

#include <cmath>

struct DiagramTables;

inline double Distance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

// The first element (in index order) whose circle strictly contains (x, y), or -1.
int ElementAtPoint(const DiagramTables& d, double x, double y);
// The point on element e's circle facing (px, py). Towards the centre itself the point to the
// right of the centre is returned.
PointRec ElementRimPoint(const DiagramTables& d, int e, double px, double py);
// Recomputes the start point, end point and label position of connection c.
void RefitConnection(DiagramTables& d, int c);
