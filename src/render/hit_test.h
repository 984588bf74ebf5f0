#pragma once
// Finds what lies under a canvas point (element text, element, argument label, bend point or
// segment) and records it as the selection. It draws nothing and shows nothing.

struct SharedState;

// Sets SelKind, SelIndex and SelPoint for what is hit; leaves them unchanged when nothing is.
void HitTest(SharedState& st, float px, float py);

// The distance measure of (px, py) from the segment (x1, y1)-(x2, y2): half the perpendicular
// distance along the segment, the distance to the nearer end beyond it.
double PointSegmentDistance(double x1, double y1, double x2, double y2, double px, double py);
