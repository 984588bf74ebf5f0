#pragma once
// A drawing surface over a QImage with a logical coordinate system and persistent drawing
// state (pen width, draw mode, fill, text colour and position, font). It draws lines, boxes,
// circles and text; it knows nothing of diagrams. Nothing here is antialiased, and in the
// exclusive-or draw mode every figure touches each of its pixels exactly once, so drawing the
// same figure twice restores the image.
//
// Every figure it draws can also be recorded, in logical units with the drawing state it was
// drawn in, into a FigureList: the display list of the diagram. The renderer records it
// (RecordDiagram), and every picture of the diagram plays that one list: the canvas's pixels
// here, and render/figure_painter onto any Qt paint device (SVG, PDF, the printer, large PNG
// pictures). No picture draws elements and connections by a second renderer of its own: what
// the canvas shows and what is exported cannot drift apart.

#include "model/records.h"
#include "render/backdrop.h"
#include "render/raster.h"
#include "render/rect_list.h"
#include "render/text_cache.h"

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <vector>

constexpr int kDrawModeXor = 7;
constexpr int kDrawModeCopyPen = 13;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kBlue = 0xFF0000FFu;
constexpr QRgb kYellow = 0xFFFFFF00u;
constexpr QRgb kGridColour = 0xFFC8C8FFu;

enum class FillStyle { Solid, Transparent };

// The drawing state that persists between calls, as one value.
struct DrawingState {
    int width = 1;
    int mode = kDrawModeCopyPen;
    FillStyle fill = FillStyle::Transparent;
    QRgb fillColour = kBlack;
    QRgb textColour = kBlack;
    double x = 0, y = 0;  // text position
    bool bold = false, underline = false;
    int size = 9;

    bool operator==(const DrawingState&) const = default;
};

// One figure as it was drawn, with the part of the drawing state it depends on: enough to draw
// it again, and to tell whether two figures draw the same pixels. Its points (a polyline's) and
// its text are kept in the FigureList it belongs to.
struct Figure {
    enum class Kind : std::uint8_t { Line, Polyline, FilledBox, Box, Circle, Text };
    Kind kind = Kind::Line;
    bool solid = false;  // a circle filled with fill
    bool bold = false, underline = false;
    int width = 1;  // pen width of lines, boxes and circles
    int mode = kDrawModeCopyPen;
    int size = 0;  // font size of a text
    // Ends of a line or corners of a box; centre (x1, y1) and radius x2 of a circle; position
    // (x1, y1) of a text.
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QRgb colour = 0;           // of the line, outline, box or text
    QRgb fill = 0;             // inside a solid circle
    int first = 0, count = 0;  // where the points or the text lie in the list
    QRect bounds;              // every pixel the figure may change, within the picture
};

// Figures in the order they were drawn.
struct FigureList {
    std::vector<Figure> figures;
    std::vector<PointRec> points;  // of the polylines
    std::vector<QString> texts;

    void Clear() {
        figures.clear();
        points.clear();
        texts.clear();
    }
    // True when a of this list changes the same pixels in the same way as b of other, on the
    // same surface (their bounds are not compared).
    bool Same(const Figure& a, const FigureList& other, const Figure& b) const;
};

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
    // (left, top) becomes the top-left corner, and a pixel is unitsX by unitsY units.
    void SetPixelScale(double left, double top, double unitsX, double unitsY) {
        left_ = left, top_ = top, unitsX_ = unitsX, unitsY_ = unitsY;
    }
    QPointF Origin() const { return {left_, top_}; }
    // Device pixels to a pixel of the desktop (the screen's device pixel ratio, 1 on most
    // screens). Pen widths are given in the desktop's pixels and drawn this many times as wide;
    // the coordinate system keeps its units, each device pixel becoming smaller.
    void SetDeviceScale(double scale);
    double DeviceScale() const { return deviceScale_; }
    // Canvas units to a pixel of the desktop.
    double UnitsPerLogicalPixelX() const { return unitsX_ * deviceScale_; }
    double UnitsPerLogicalPixelY() const { return unitsY_ * deviceScale_; }

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
    void SetFont(bool bold, bool underline, int points);
    bool FontBold() const { return fontBold_; }
    bool FontUnderline() const { return fontUnderline_; }
    int FontSize() const { return fontSize_; }
    DrawingState State() const;
    void SetState(const DrawingState& state);

    // Figures, in logical units.
    void Clear();
    void Line(double x1, double y1, double x2, double y2, QRgb colour);
    // The segments through n points, each as Line draws it; every point is converted once.
    void Polyline(const PointRec* points, int n, QRgb colour);
    void FilledBox(double x1, double y1, double x2, double y2, QRgb colour);
    void Box(double x1, double y1, double x2, double y2, QRgb colour);
    void Circle(double x, double y, double r, QRgb colour);
    void Print(const QString& text);

    // Clear, to a backdrop of the picture's size instead of white.
    void ClearTo(const Backdrop& backdrop);

    // While figures is set, every figure drawn is also appended to it; with draw false it is
    // only appended, and the picture does not change (the drawing state does).
    void RecordFigures(FigureList* figures, bool draw);
    // Draws a figure of the list again; the drawing state becomes the one it was drawn in.
    void DrawFigure(const FigureList& list, const Figure& f);
    // The pixels the figure may change, drawn now (figures only recorded get empty bounds).
    QRect FigureBounds(const FigureList& list, const Figure& f);
    // Adds the pixels the figure, with its bounds found, may change: its bounds, or for a
    // polyline those of each segment.
    void AddFigureDamage(const FigureList& list, const Figure& f, RectList& damage);

    // Puts the backdrop back in r (within the picture) and keeps every figure drawn until
    // EndRepair within r, which counts as changed. A figure drawn again there changes exactly
    // the pixels of r that it changed the first time.
    void BeginRepair(const Backdrop& backdrop, const QRect& r);
    void EndRepair();

    // The picture, brought up to date first should rows of it still lie in the picture it was
    // handed over to.
    const QImage& Image() const;
    // Swaps the picture with shown, a picture of the same size, when every row of it is up to
    // date (false, and nothing changed, otherwise). The surface's pixels then lie in shown, and
    // each row of its own picture is copied back from shown only when that row is next drawn on
    // or looked at; until then shown may change only by what is published to it.
    bool HandOver(QImage& shown);
    // The pixels changed since the last call, rectangle by rectangle, then forgets them.
    void TakeDirty(RectList& into);
    // The pixels drawn on (cleared, resized, any figure) since the last ForgetDrawnOn, leaving
    // out what was drawn between BeginRepair and EndRepair.
    const RectList& DrawnOn() const { return drawnOn_; }
    void ForgetDrawnOn() { drawnOn_.Clear(); }

private:
    friend class Canvas;  // publishes the pixels as they are

    // Notes a figure that may change the pixels of bounds: marks them changed and tells whether
    // the figure is to be drawn (not while bounds are only measured, nor wholly outside a repair).
    bool Touch(const QRect& bounds);
    bool OnlyRecording() const { return figures_ && !drawFigures_; }
    void RecordText(const QString& text, const QRect& bounds);
    void RecordPolyline(const PointRec* points, int n, QRgb colour, const QRect& bounds);
    Figure& Record(Figure::Kind kind, double x1, double y1, double x2, double y2, QRgb colour,
                   const QRect& bounds);
    void MarkAll();
    QPointF ToPixel(double x, double y) const;
    QPoint ToPixelInt(double x, double y) const;
    double ToPixelLength(double units) const { return units / unitsX_; }
    int FontPixels() const;

    // Draws a figure through a fresh mask over bounds, then turns every marked pixel once.
    template <typename Mark>
    void XorThroughMask(QRect bounds, Mark mark, QRgb bits);
    // A text too large for the cache, drawn with a painter.
    void PrintDirectly(const QString& text, QPoint at);

    // Copies back the rows top..bottom that still lie in the picture handed over to.
    void CatchUp(int top, int bottom) const;
    void ForgetHandOver();

    QImage image_;
    const QImage* handedTo_ = nullptr;          // where rows marked behind really are
    mutable std::vector<std::uint8_t> behind_;  // for each row: 1 while it lies there
    mutable int rowsBehind_ = 0;
    QRect picture_;  // the picture's rectangle, kept at hand
    RectList dirty_;
    RectList drawnOn_;
    raster::Clip clip_;  // the whole picture, or the rectangle under repair
    bool repairing_ = false;
    FigureList* figures_ = nullptr;
    bool drawFigures_ = true;
    bool measuring_ = false;  // figures only add their bounds to measured_
    QRect measured_;
    double left_ = 0, top_ = 0;
    double unitsX_ = 15, unitsY_ = 15;

    int drawWidth_ = 1;
    double deviceScale_ = 1;
    int penPixels_ = 1;       // drawWidth_ in device pixels
    const raster::Pen* pen_;  // of penPixels_
    int DevicePixels(int width) const;
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
