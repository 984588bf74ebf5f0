#pragma once
// A picture of the diagram to share: the figures the renderer records for the canvas, as the
// canvas showed them at its last full redraw (that step's highlight and red connections, from
// Canvas::Shown) but without the selection, the exclusive-or feedback or the panel; trimmed to
// the diagram with a small margin, with the grid lines beneath when asked. The one picture
// becomes a PNG picture, an SVG or PDF document, the clipboard's picture and the printed page.

#include "render/surface.h"

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

class Canvas;
class QPainter;
struct SharedState;

// Room around the diagram, in pixels of the canvas.
constexpr int kPictureMargin = 8;
// No side of a PNG picture is longer, in pixels.
constexpr int kLargestPictureSide = 16384;

struct DiagramPicture {
    FigureList grid;  // painted first
    FigureList diagram;
    // What the picture shows, in canvas units: whole pixels of the canvas, so that a picture at
    // the canvas's scale lies on the canvas's pixels.
    QRectF area;
    double unitsX = 15, unitsY = 15;  // the size of the canvas's pixel

    // The picture's size in pixels of the canvas.
    QSize PixelSize() const;
    // The centre of its top-left pixel (the canvas's pixels are centred on whole multiples of
    // the pixel's size from its origin, a painter's on halves).
    QPointF FirstPixel() const;
};

DiagramPicture TakeDiagramPicture(const SharedState& st, const Canvas& canvas, bool grid);

// The picture as pixels, scale of them to each pixel of the canvas, on white. At scale 1 it is
// drawn as the canvas draws, pixel for pixel; larger ones are painted smooth. A null image when
// a side would be longer than kLargestPictureSide.
QImage PictureImage(const DiagramPicture& picture, int scale);
// The picture as an SVG document whose coordinates are canvas units, on white.
QByteArray PictureSvg(const DiagramPicture& picture, const QString& title);
// The picture as a PDF document of one page its own size (a twip, the canvas's unit, being a
// twentieth of a point).
QByteArray PicturePdf(const DiagramPicture& picture, const QString& title);

// Paints the picture with painter into target (the painter's coordinates) as large as it fits,
// centred, over whatever lies there.
void PaintPictureFitted(QPainter& painter, const DiagramPicture& picture, const QRectF& target);
