#pragma once
// A drawing surface over a QImage with a logical coordinate system and persistent drawing
// state (pen width, draw mode, fill, text colour and position, font). It draws lines, boxes,
// circles and text; it knows nothing of diagrams. Nothing here is antialiased, and in the
// exclusive-or draw mode every figure touches each of its pixels exactly once, so drawing the
// same figure twice restores the image.

#include "model/records.h"
#include "render/raster.h"
#include "render/text_cache.h"

#include <QImage>
#include <QRect>
#include <QRgb>

constexpr int kDrawModeXor = 7;
constexpr int kDrawModeCopyPen = 13;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kBlue = 0xFF0000FFu;
constexpr QRgb kYellow = 0xFFFFFF00u;
constexpr QRgb kGridColour = 0xFFC8C8FFu;

enum class FillStyle { Solid, Transparent };

class Surface {
public:
    Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Gives the surface a new size in pixels; the picture is cleared to white. The logical
    // coordinate system keeps its origin and the size of its unit.
    void Resize(int pixelWidth, int pixelHeight);
    // (x1, y1) becomes the top-left corner and (x2, y2) the bottom-right corner.
    void SetPictureScale(double x1, double y1, double x2, double y2);

    int PixelWidth() const { return image_.width(); }
    int PixelHeight() const { return image_.height(); }
    double UnitsPerPixelX() const { return unitsX_; }
    double UnitsPerPixelY() const { return unitsY_; }
    // The surface's size in logical units.
    double ScaleWidth() const { return image_.width() * unitsX_; }
    double ScaleHeight() const { return image_.height() * unitsY_; }

    // Drawing state; it persists between calls.
    int DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(int pixels);
    int DrawMode() const { return drawMode_; }
    void SetDrawMode(int mode) { drawMode_ = mode; }
    FillStyle Fill() const { return fillStyle_; }
    void SetFillStyle(FillStyle style) { fillStyle_ = style; }
    QRgb FillColour() const { return fillColour_; }
    void SetFillColour(QRgb c) { fillColour_ = c; }
    QRgb TextColour() const { return textColour_; }
    void SetTextColour(QRgb c) { textColour_ = c; }
    void SetTextPosition(double x, double y) { currentX_ = x, currentY_ = y; }
    PointRec TextPosition() const { return {currentX_, currentY_}; }
    void SetFont(bool bold, bool underline, int points);
    bool FontBold() const { return fontBold_; }
    bool FontUnderline() const { return fontUnderline_; }
    int FontSize() const { return fontSize_; }

    // Figures, in logical units.
    void Clear();
    void Line(double x1, double y1, double x2, double y2, QRgb colour);
    // The segments through n points, each as Line draws it; every point is converted once.
    void Polyline(const PointRec* points, int n, QRgb colour);
    void FilledBox(double x1, double y1, double x2, double y2, QRgb colour);
    void Box(double x1, double y1, double x2, double y2, QRgb colour);
    void Circle(double x, double y, double r, QRgb colour);
    void Print(const QString& text);

    // The picture.
    const QImage& Image() const { return image_; }
    // The pixels changed since the last call, then forgets them.
    QRect TakeDirty();

private:
    void MarkDirty(const QRect& r);
    QPointF ToPixel(double x, double y) const;
    QPoint ToPixelInt(double x, double y) const;
    double ToPixelLength(double units) const { return units / unitsX_; }
    int FontPixels() const;

    // Draws a figure through a fresh mask over bounds, then turns every marked pixel once.
    template <typename Mark>
    void XorThroughMask(QRect bounds, Mark mark, QRgb bits);
    // A text too large for the cache, drawn with a painter.
    void PrintDirectly(const QString& text, QPoint at);

    QImage image_;
    QRect dirty_;
    double left_ = 0, top_ = 0;
    double unitsX_ = 15, unitsY_ = 15;

    int drawWidth_ = 1;
    raster::Pen pen_{1};
    int drawMode_ = kDrawModeCopyPen;
    FillStyle fillStyle_ = FillStyle::Transparent;
    QRgb fillColour_ = kBlack;
    QRgb textColour_ = kBlack;
    double currentX_ = 0, currentY_ = 0;
    bool fontBold_ = false;
    bool fontUnderline_ = false;
    int fontSize_ = 9;
    TextCache texts_;
    QImage mask_;
};
