#pragma once
// The full redraw of the diagram from the tables onto the back canvas, and the drawing pieces
// it is made of. Drawing only reads the tables; dropping connections that never got an end
// element is the diagram's own business, which the redraw asks for first.

#include "render/surface.h"

struct FontAttr;
struct Session;
struct SharedState;

// Drops unfinished connections (telling the person about each), then repaints everything and
// publishes. highlight is the element shown as being executed (filled yellow), or -1 for none.
// On a canvas whose drawing is suspended only the unfinished connections are dropped.
void RedrawDiagram(Session& s, int highlight);
// The connections and elements of the diagram as they stand, over whatever the surface shows.
void DrawDiagram(Surface& surface, const SharedState& st, int highlight);

// The back canvas's picture in the desktop's pixels, as a snapshot keeps it: the picture itself
// on a screen without scaling, else the diagram drawn again at that size, with the grid, the
// highlight the canvas shows and the connections' flags as they stand.
QImage CanvasPicture(Session& s);

// Draws the grid lines of spacing GridSize on the back canvas and publishes. Does nothing at all
// when GridSize is 0; draws no lines when it is negative.
void gridDisplay(Session& s);
// The grid lines alone, over the whole surface, without publishing. twipsPerPixel gives the
// surface's size in twips, the unit of the grid.
void DrawGridLines(Surface& surface, int gridSize, double twipsPerPixel);

// text at (x, y) in the label font, in the current text colour.
void PrintText(Surface& surface, double x, double y, const FontAttr& font, const QString& text);
void DrawSegment(Surface& surface, double x1, double y1, double x2, double y2, QRgb colour);
// The segment and an open arrowhead at (x2, y2): two strokes of 120 units, 30 degrees to
// either side of the segment, pointing back.
void DrawArrowSegment(Surface& surface, double x1, double y1, double x2, double y2, QRgb colour);
// The direction of (dx, dy) in radians; 0 for a vector of (almost) no length.
double DirectionAngle(double dx, double dy);
