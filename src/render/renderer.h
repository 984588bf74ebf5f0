#pragma once
// The full redraw of the diagram from the tables onto the back canvas, and the drawing pieces
// it is made of. The redraw also drops connections that never got a destination element.

#include "render/surface.h"

struct Session;

// Repaints everything and publishes. highlight is the element shown as being executed (filled
// yellow), or -1 for none.
void RedrawDiagram(Session& s, int highlight);

// Draws the grid lines of spacing GridSize on the back canvas and publishes. Does nothing at all
// when GridSize is 0; draws no lines when it is negative.
void gridDisplay(Session& s);
// The grid lines alone, without publishing.
void DrawGridLines(Session& s);

void DrawSegment(Surface& surface, double x1, double y1, double x2, double y2, QRgb colour);
// The segment and an open arrowhead at (x2, y2): two strokes of 120 units, 30 degrees to
// either side of the segment, pointing back.
void DrawArrowSegment(Surface& surface, double x1, double y1, double x2, double y2, QRgb colour);
// The direction of (dx, dy) in radians; 0 for a vector of (almost) no length.
double DirectionAngle(double dx, double dy);

// The text of the message shown when an unfinished connection is dropped.
QString PurgeMessage(int index);
