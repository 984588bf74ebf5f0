#pragma once
// Plays a FigureList, the figures the renderer recorded for the canvas, onto a QPainter whose
// coordinates are canvas units: an SVG or PDF writer, a printer or a large picture draws the
// diagram with it. Lines stay lines, circles circles and labels text in the label face, so that
// a vector picture stays sharp and its labels can be searched and copied.
//
// The canvas's pen widths are pixels; here a pixel is unitsPerPixel canvas units (15 at the
// canvas's start-up scale). A label's font is size * 20 canvas units high (a point is 20 units),
// as the canvas's is size * 20 / unitsPerPixel pixels, and its top-left lies at its text
// position, as on the canvas. Every figure is painted over what lies beneath: the exclusive-or
// mode belongs to the canvas's own feedback, which no picture shows.

#include "render/surface.h"

#include <QFont>
#include <QRectF>

class QPainter;

// The label font of a text figure in canvas units, as smooth as the device draws it.
QFont FigureFont(const Figure& text, double unitsPerPixel);

void PaintFigures(QPainter& painter, const FigureList& list, double unitsPerPixel);

// What the figures cover when played, in canvas units: the full width of their strokes and the
// line of each text. Empty for no figures.
QRectF FigureExtent(const FigureList& list, double unitsPerPixel);
