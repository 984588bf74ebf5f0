#pragma once
// Drawing between full redraws while the user edits: exclusive-or rubber bands (drawing the same
// figure twice removes it), the plain drawing of a new element and of a label, and the redraw
// while a connection is being built.

#include <QString>

class Surface;
struct FontAttr;
struct Session;

// Each reads the draw mode, switches to exclusive-or, draws in white with the current pen width
// and puts the draw mode back.
void DrawXorLine(Surface& surface, double x1, double y1, double x2, double y2);
void DrawXorBox(Surface& surface, double x, double y, double w, double h);
void DrawXorCircle(Surface& surface, double x, double y, double r);

// Element i on the back canvas: its circle in black, then its text. No publish.
void DrawElementPlain(Session& s, int i);
// The whole diagram with the last connection unfinished (bare segments, no arrow or label);
// no purge, highlight or selection. Publishes.
void RedrawWhileConnecting(Session& s);
