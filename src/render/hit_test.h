#pragma once
// Finds what lies under a canvas point (element text, element, argument label, bend point or
// segment), for the caller to make it the selection. It draws nothing and shows nothing.

#include "model/selection.h"

struct DiagramTables;
struct SharedState;

// What lies under the point, the first that a search in this order finds: an element's text or
// circle (elements in index order), a connection's label, then the nearest bend point within
// reach, then the nearest segment.
Hit FindHit(const DiagramTables& d, float px, float py);
// Sets SelKind, SelIndex and SelPoint for what is hit; leaves them unchanged when nothing is.
void HitTest(SharedState& st, float px, float py);

// The distance measure of (px, py) from the segment (x1, y1)-(x2, y2): half the perpendicular
// distance along the segment, the distance to the nearer end beyond it.
double PointSegmentDistance(double x1, double y1, double x2, double y2, double px, double py);
