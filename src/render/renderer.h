#pragma once
// The full redraw of the diagram from the tables onto the back canvas, and the drawing pieces
// it is made of. Drawing only reads the tables; dropping connections that never got an end
// element is the diagram's own business, which the redraw asks for first.

#include "render/surface.h"

#include <QRectF>

struct DiagramFigures;
struct FontAttr;
struct Session;
struct SharedState;
struct ShownRun;

// How the diagram is drawn: as the canvas draws it, with the selection in blue and red the
// connections the tables flag as active; or, for a picture of it, without the selection and red
// the connections a ShownRun names.
struct DiagramLook {
    bool selection = true;
    const ShownRun* run = nullptr;  // null: the tables' flags
};

// Drops unfinished connections (telling the person about each), then repaints everything and
// publishes. highlight is the element shown as being executed (filled yellow), or -1 for none.
// On a canvas whose drawing is suspended only the unfinished connections are dropped.
void RedrawDiagram(Session& s, int highlight);
// The connections and elements of the diagram as they stand, over whatever the surface shows.
void DrawDiagram(Surface& surface, const SharedState& st, int highlight);
// The figures of the diagram, drawn or only recorded into frame.list (with draw false the picture
// does not change), with where each connection's and each element's figures begin. Figures only
// recorded get no bounds. The redraw records with it, and so does every picture of the diagram.
void RecordDiagram(Surface& surface, const SharedState& st, int highlight, DiagramFigures& frame,
                   bool draw, const DiagramLook& look = {});

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
// The grid lines of spacing gridSize that lie within area (surface units), each across the whole
// of it: a picture of part of the canvas shows the canvas's lines there.
void DrawGridLinesOver(Surface& surface, int gridSize, const QRectF& area);

// text at (x, y) in the label font, in the current text colour.
void PrintText(Surface& surface, double x, double y, const FontAttr& font, const QString& text);
void DrawSegment(Surface& surface, double x1, double y1, double x2, double y2, QRgb colour);
// The segment and an open arrowhead at (x2, y2): two strokes of 120 units, 30 degrees to
// either side of the segment, pointing back.
void DrawArrowSegment(Surface& surface, double x1, double y1, double x2, double y2, QRgb colour);
// The direction of (dx, dy) in radians; 0 for a vector of (almost) no length.
double DirectionAngle(double dx, double dy);
