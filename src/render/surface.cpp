#include "render/surface.h"

#include "render/raster.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Keeps absurd coordinates (from hand-made files) within what the rasteriser can take.
constexpr double kPixelLimit = 1.0e6;

double Limit(double v) {
    v = v > -kPixelLimit ? v : -kPixelLimit;  // also NaN
    return v > kPixelLimit ? kPixelLimit : v;
}

// Nearest integer, halves up, of a value within the limit, so that the cast cannot overflow.
int RoundLimited(double v) {
    const double up = v + 0.5;
    const int i = static_cast<int>(up);
    return i > up ? i - 1 : i;
}

int Round(double v) {
    return RoundLimited(Limit(v));
}

QRgb XorBits(QRgb colour) {
    return colour & 0x00FFFFFFu;
}

// Room a figure of the given pen width may take around its end points.
int Grow(int penWidth) {
    return penWidth / 2 + 1;
}

QRect BoundsOf(QPoint a, QPoint b, int grow) {
    return QRect(a, b).normalized().adjusted(-grow, -grow, grow, grow);
}

QRect RectOf(const raster::Clip& c) {
    return QRect(QPoint(c.left, c.top), QPoint(c.right, c.bottom));
}

// A line of the pen's width: one pixel wide, or stroked with the round pen.
template <typename Writer>
void Stroke(const Writer& w, QPoint a, QPoint b, const raster::Pen& pen) {
    if (pen.width <= 1)
        raster::ThinLine(w, a, b);
    else
        raster::ThickLine(w, a, b, pen);
}

// The outline of the rectangle with corners a and b, each pixel once.
template <typename Writer>
void Outline(const Writer& w, QRect r) {
    const QRect c = r.intersected(RectOf(w.clip));
    if (c.isEmpty()) return;
    if (r.top() == c.top()) w.Span(r.top(), c.left(), c.right());
    if (r.bottom() == c.bottom() && r.bottom() != r.top()) w.Span(r.bottom(), c.left(), c.right());
    for (int y = std::max(c.top(), r.top() + 1); y <= std::min(c.bottom(), r.bottom() - 1); ++y) {
        if (r.left() == c.left()) w.Plot(r.left(), y);
        if (r.right() == c.right() && r.right() != r.left()) w.Plot(r.right(), y);
    }
}

// a and b intersected, without a call into the library.
QRect Within(const QRect& a, const QRect& b) {
    return QRect(QPoint(std::max(a.left(), b.left()), std::max(a.top(), b.top())),
                 QPoint(std::min(a.right(), b.right()), std::min(a.bottom(), b.bottom())));
}

// Figures drawn with the pen, whose width they keep.
bool Stroked(Figure::Kind kind) {
    return kind != Figure::Kind::FilledBox && kind != Figure::Kind::Text;
}

// The round pen of each width, made once: a redraw changes width with every active connection.
const raster::Pen& PenOf(int width) {
    static const auto pens = [] {
        std::vector<raster::Pen> all;
        for (int w = 1; w <= 64; ++w) all.emplace_back(w);
        return all;
    }();
    return pens[static_cast<std::size_t>(std::clamp(width, 1, 64) - 1)];
}

}  // namespace

Surface::Surface() : pen_(&PenOf(1)) {
    Resize(1, 1);
}

const QImage& Surface::Image() const {
    CatchUp(0, image_.height() - 1);
    return image_;
}

bool Surface::HandOver(QImage& shown) {
    if (rowsBehind_ > 0 || shown.size() != image_.size() || shown.format() != image_.format())
        return false;
    std::swap(image_, shown);
    handedTo_ = &shown;
    behind_.assign(static_cast<std::size_t>(image_.height()), 1);
    rowsBehind_ = image_.height();
    return true;
}

void Surface::CatchUp(int top, int bottom) const {
    if (rowsBehind_ == 0) return;
    top = std::max(top, 0);
    bottom = std::min(bottom, image_.height() - 1);
    // The surface is never const itself: a picture that is looked at is brought up to date.
    QImage& image = const_cast<QImage&>(image_);
    for (int y = top; y <= bottom; ++y) {
        if (!behind_[static_cast<std::size_t>(y)]) continue;
        std::memcpy(image.scanLine(y), handedTo_->constScanLine(y),
                    static_cast<std::size_t>(image.bytesPerLine()));
        behind_[static_cast<std::size_t>(y)] = 0;
        --rowsBehind_;
    }
}

void Surface::ForgetHandOver() {
    behind_.clear();
    rowsBehind_ = 0;
    handedTo_ = nullptr;
}

void Surface::Resize(int pixelWidth, int pixelHeight) {
    ForgetHandOver();
    image_ = QImage(std::max(1, pixelWidth), std::max(1, pixelHeight), QImage::Format_RGB32);
    image_.fill(kWhite);
    picture_ = image_.rect();
    clip_ = raster::Clip::Of(picture_);
    MarkAll();
}

void Surface::SetPictureScale(double x1, double y1, double x2, double y2) {
    left_ = x1;
    top_ = y1;
    if (x2 != x1) unitsX_ = (x2 - x1) / image_.width();
    if (y2 != y1) unitsY_ = (y2 - y1) / image_.height();
}

void Surface::SetDrawWidth(int pixels) {
    drawWidth_ = std::max(pixels, 1);
    penPixels_ = DevicePixels(drawWidth_);
    pen_ = &PenOf(penPixels_);
}

int Surface::DevicePixels(int width) const {
    if (deviceScale_ == 1) return width;
    return std::max(1, static_cast<int>(std::lround(width * deviceScale_)));
}

void Surface::SetDeviceScale(double scale) {
    if (!(scale > 0)) scale = 1;
    unitsX_ *= deviceScale_ / scale;
    unitsY_ *= deviceScale_ / scale;
    deviceScale_ = scale;
    SetDrawWidth(drawWidth_);
}

void Surface::SetFont(bool bold, bool underline, int points) {
    fontBold_ = bold;
    fontUnderline_ = underline;
    fontSize_ = points;
}

DrawingState Surface::State() const {
    return {drawWidth_, drawMode_, fillStyle_, fillColour_,    textColour_,
            currentX_,  currentY_, fontBold_,  fontUnderline_, fontSize_};
}

void Surface::SetState(const DrawingState& state) {
    SetDrawWidth(state.width);
    drawMode_ = state.mode;
    fillStyle_ = state.fill;
    fillColour_ = state.fillColour;
    textColour_ = state.textColour;
    currentX_ = state.x;
    currentY_ = state.y;
    SetFont(state.bold, state.underline, state.size);
}

void Surface::MarkAll() {
    dirty_.SetWhole(picture_);
    drawnOn_.SetWhole(picture_);
}

bool Surface::Touch(const QRect& bounds) {
    if (measuring_) {
        measured_ |= bounds;
        return false;
    }
    if (repairing_) return bounds.intersects(RectOf(clip_));
    CatchUp(bounds.top(), bounds.bottom());
    if (!dirty_.Whole() || !drawnOn_.Whole()) {
        const QRect r = Within(bounds, picture_);
        dirty_.Add(r);
        drawnOn_.Add(r);
    }
    return true;
}

Figure& Surface::Record(Figure::Kind kind, double x1, double y1, double x2, double y2, QRgb colour,
                        const QRect& bounds) {
    Figure& f = figures_->figures.emplace_back();
    f.kind = kind;
    f.x1 = x1, f.y1 = y1, f.x2 = x2, f.y2 = y2;
    f.colour = colour;
    f.mode = drawMode_;
    f.bounds = Within(bounds, picture_);
    if (Stroked(kind)) f.width = drawWidth_;
    if (kind == Figure::Kind::Circle) {
        // An exclusive-or circle is only its rim.
        f.solid = fillStyle_ == FillStyle::Solid && drawMode_ != kDrawModeXor;
        f.fill = f.solid ? fillColour_ : 0;
    }
    return f;
}

void Surface::RecordText(const QString& text, const QRect& bounds) {
    Figure& f = Record(Figure::Kind::Text, currentX_, currentY_, 0, 0, textColour_, bounds);
    f.bold = fontBold_;
    f.underline = fontUnderline_;
    f.size = fontSize_;
    f.first = static_cast<int>(figures_->texts.size());
    f.count = 1;
    figures_->texts.push_back(text);
}

void Surface::RecordPolyline(const PointRec* points, int n, QRgb colour, const QRect& bounds) {
    Figure& f = Record(Figure::Kind::Polyline, 0, 0, 0, 0, colour, bounds);
    f.first = static_cast<int>(figures_->points.size());
    f.count = n;
    figures_->points.insert(figures_->points.end(), points, points + n);
}

bool FigureList::Same(const Figure& a, const FigureList& other, const Figure& b) const {
    if (a.kind != b.kind || a.solid != b.solid || a.bold != b.bold || a.underline != b.underline ||
        a.width != b.width || a.mode != b.mode || a.size != b.size || a.x1 != b.x1 ||
        a.y1 != b.y1 || a.x2 != b.x2 || a.y2 != b.y2 || a.colour != b.colour || a.fill != b.fill ||
        a.count != b.count)
        return false;
    if (a.kind == Figure::Kind::Polyline)
        return std::equal(points.begin() + a.first, points.begin() + a.first + a.count,
                          other.points.begin() + b.first);
    if (a.kind == Figure::Kind::Text)
        return texts[static_cast<std::size_t>(a.first)] ==
               other.texts[static_cast<std::size_t>(b.first)];
    return true;
}

void Surface::RecordFigures(FigureList* figures, bool draw) {
    figures_ = figures;
    drawFigures_ = figures == nullptr || draw;
}

QRect Surface::FigureBounds(const FigureList& list, const Figure& f) {
    const DrawingState state = State();
    FigureList* const figures = figures_;
    const bool draw = drawFigures_;
    figures_ = nullptr;
    drawFigures_ = true;
    measuring_ = true;
    measured_ = QRect();
    DrawFigure(list, f);
    measuring_ = false;
    figures_ = figures;
    drawFigures_ = draw;
    SetState(state);
    return Within(measured_, picture_);
}

void Surface::AddFigureDamage(const FigureList& list, const Figure& f, RectList& damage) {
    if (f.kind != Figure::Kind::Polyline || f.mode == kDrawModeXor) {
        damage.Add(f.bounds);
        return;
    }
    // Segment by segment: a long polyline's box takes in much it never touches.
    const PointRec* points = list.points.data() + f.first;
    const int grow = Grow(DevicePixels(f.width));
    QPoint a = ToPixelInt(points[0].X, points[0].Y);
    for (int i = 1; i < f.count; ++i) {
        const QPoint b = ToPixelInt(points[i].X, points[i].Y);
        damage.Add(Within(BoundsOf(a, b, grow), picture_));
        a = b;
    }
}

void Surface::DrawFigure(const FigureList& list, const Figure& f) {
    drawMode_ = f.mode;
    if (Stroked(f.kind)) SetDrawWidth(f.width);
    switch (f.kind) {
        case Figure::Kind::Line:
            Line(f.x1, f.y1, f.x2, f.y2, f.colour);
            break;
        case Figure::Kind::Polyline:
            Polyline(list.points.data() + f.first, f.count, f.colour);
            break;
        case Figure::Kind::FilledBox:
            FilledBox(f.x1, f.y1, f.x2, f.y2, f.colour);
            break;
        case Figure::Kind::Box:
            Box(f.x1, f.y1, f.x2, f.y2, f.colour);
            break;
        case Figure::Kind::Circle:
            fillStyle_ = f.solid ? FillStyle::Solid : FillStyle::Transparent;
            if (f.solid) fillColour_ = f.fill;
            Circle(f.x1, f.y1, f.x2, f.colour);
            break;
        case Figure::Kind::Text:
            textColour_ = f.colour;
            SetTextPosition(f.x1, f.y1);
            SetFont(f.bold, f.underline, f.size);
            Print(list.texts[static_cast<std::size_t>(f.first)]);
            break;
    }
}

void Surface::BeginRepair(const Backdrop& backdrop, const QRect& r) {
    const QRect c = r.intersected(picture_);
    CatchUp(c.top(), c.bottom());
    backdrop.CopyTo(image_, c);
    dirty_.Add(c);
    clip_ = raster::Clip::Of(c);
    repairing_ = true;
}

void Surface::EndRepair() {
    clip_ = raster::Clip::Of(picture_);
    repairing_ = false;
}

inline QPointF Surface::ToPixel(double x, double y) const {
    // Coordinates reach the surface in single precision.
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return {Limit((fx - left_) / unitsX_), Limit((fy - top_) / unitsY_)};
}

inline QPoint Surface::ToPixelInt(double x, double y) const {
    const QPointF p = ToPixel(x, y);
    // A point on the far edge of the picture is drawn on its last pixel.
    int px = RoundLimited(p.x()), py = RoundLimited(p.y());
    if (px == picture_.width()) --px;
    if (py == picture_.height()) --py;
    return {px, py};
}

void Surface::TakeDirty(RectList& into) {
    into = dirty_;
    dirty_.Clear();
}

void Surface::Clear() {
    ForgetHandOver();
    image_.fill(kWhite);
    MarkAll();
}

void Surface::ClearTo(const Backdrop& backdrop) {
    ForgetHandOver();
    backdrop.CopyTo(image_, picture_);
    MarkAll();
}

void Surface::Line(double x1, double y1, double x2, double y2, QRgb colour) {
    if (OnlyRecording()) {
        Record(Figure::Kind::Line, x1, y1, x2, y2, colour, QRect());
        return;
    }
    const QPoint a = ToPixelInt(x1, y1), b = ToPixelInt(x2, y2);
    const QRect bounds = BoundsOf(a, b, Grow(penPixels_));
    if (figures_) Record(Figure::Kind::Line, x1, y1, x2, y2, colour, bounds);
    if (!Touch(bounds)) return;
    if (drawMode_ != kDrawModeXor) {
        Stroke(raster::SetWriter{image_, colour, clip_}, a, b, *pen_);
    } else if (penPixels_ <= 1) {
        raster::ThinLine(raster::XorWriter{image_, XorBits(colour), clip_}, a, b);
    } else {
        XorThroughMask(
            bounds, [&](const raster::MaskWriter& m) { Stroke(m, a, b, *pen_); }, XorBits(colour));
    }
}

void Surface::Polyline(const PointRec* points, int n, QRgb colour) {
    if (drawMode_ == kDrawModeXor) {  // each segment erases on its own
        for (int i = 1; i < n; ++i)
            Line(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y, colour);
        return;
    }
    if (n < 2) return;
    if (OnlyRecording()) {
        RecordPolyline(points, n, colour, QRect());
        return;
    }
    QPoint pixels[kMaxPoints + 2];
    const int kept = std::min(n, static_cast<int>(std::size(pixels)));
    QPoint a = ToPixelInt(points[0].X, points[0].Y);
    int minX = a.x(), maxX = a.x(), minY = a.y(), maxY = a.y();
    for (int i = 0; i < n; ++i) {
        const QPoint b = i == 0 ? a : ToPixelInt(points[i].X, points[i].Y);
        if (i < kept) pixels[i] = b;
        minX = std::min(minX, b.x()), maxX = std::max(maxX, b.x());
        minY = std::min(minY, b.y()), maxY = std::max(maxY, b.y());
    }
    const QRect bounds = BoundsOf(QPoint(minX, minY), QPoint(maxX, maxY), Grow(penPixels_));
    if (figures_) RecordPolyline(points, n, colour, bounds);
    if (!Touch(bounds)) return;
    const raster::SetWriter w{image_, colour, clip_};
    const QRect clip = RectOf(clip_);
    const int grow = Grow(penPixels_);
    for (int i = 1; i < n; ++i) {
        const QPoint from =
            i - 1 < kept ? pixels[i - 1] : ToPixelInt(points[i - 1].X, points[i - 1].Y);
        const QPoint to = i < kept ? pixels[i] : ToPixelInt(points[i].X, points[i].Y);
        if (repairing_ && !BoundsOf(from, to, grow).intersects(clip)) continue;
        Stroke(w, from, to, *pen_);
    }
}

void Surface::FilledBox(double x1, double y1, double x2, double y2, QRgb colour) {
    if (OnlyRecording()) {
        Record(Figure::Kind::FilledBox, x1, y1, x2, y2, colour, QRect());
        return;
    }
    const QRect r = QRect(ToPixelInt(x1, y1), ToPixelInt(x2, y2)).normalized();
    if (figures_) Record(Figure::Kind::FilledBox, x1, y1, x2, y2, colour, r);
    if (!Touch(r)) return;
    const QRect c = r.intersected(RectOf(clip_));
    if (c.isEmpty()) return;
    if (drawMode_ == kDrawModeXor) {
        const raster::XorWriter w{image_, XorBits(colour), clip_};
        for (int y = c.top(); y <= c.bottom(); ++y) w.Span(y, c.left(), c.right());
    } else {
        const raster::SetWriter w{image_, colour, clip_};
        for (int y = c.top(); y <= c.bottom(); ++y) w.Span(y, c.left(), c.right());
    }
}

void Surface::Box(double x1, double y1, double x2, double y2, QRgb colour) {
    if (OnlyRecording()) {
        Record(Figure::Kind::Box, x1, y1, x2, y2, colour, QRect());
        return;
    }
    const QRect r = QRect(ToPixelInt(x1, y1), ToPixelInt(x2, y2)).normalized();
    const QRect bounds =
        r.adjusted(-Grow(penPixels_), -Grow(penPixels_), Grow(penPixels_), Grow(penPixels_));
    if (figures_) Record(Figure::Kind::Box, x1, y1, x2, y2, colour, bounds);
    if (!Touch(bounds)) return;
    auto strokeSides = [&](const auto& w) {
        const QPoint tl = r.topLeft(), tr = r.topRight(), bl = r.bottomLeft(), br = r.bottomRight();
        Stroke(w, tl, tr, *pen_);
        Stroke(w, tr, br, *pen_);
        Stroke(w, br, bl, *pen_);
        Stroke(w, bl, tl, *pen_);
    };
    if (penPixels_ <= 1) {
        if (drawMode_ == kDrawModeXor)
            Outline(raster::XorWriter{image_, XorBits(colour), clip_}, r);
        else
            Outline(raster::SetWriter{image_, colour, clip_}, r);
    } else if (drawMode_ == kDrawModeXor) {
        XorThroughMask(bounds, strokeSides, XorBits(colour));
    } else {
        strokeSides(raster::SetWriter{image_, colour, clip_});
    }
}

void Surface::Circle(double x, double y, double r, QRgb colour) {
    if (OnlyRecording()) {
        Record(Figure::Kind::Circle, x, y, r, 0, colour, QRect());
        return;
    }
    const QPointF c = ToPixel(x, y);
    const double radius = Limit(std::fabs(ToPixelLength(r)));
    // The rim is the pen's width, centred on the circle.
    const double half = penPixels_ / 2.0;
    const double outer = radius + half;
    const int grow = penPixels_ + 2;
    const QRect bounds = QRect(QPoint(Round(c.x() - radius), Round(c.y() - radius)),
                               QPoint(Round(c.x() + radius), Round(c.y() + radius)))
                             .adjusted(-grow, -grow, grow, grow);
    if (figures_) Record(Figure::Kind::Circle, x, y, r, 0, colour, bounds);
    if (!Touch(bounds)) return;
    if (drawMode_ == kDrawModeXor) {
        raster::Ring(raster::XorWriter{image_, XorBits(colour), clip_}, c.x(), c.y(), radius - half,
                     outer);
        return;
    }
    if (fillStyle_ == FillStyle::Solid)
        raster::Ring(raster::SetWriter{image_, fillColour_, clip_}, c.x(), c.y(), 0, radius - half);
    raster::Ring(raster::SetWriter{image_, colour, clip_}, c.x(), c.y(), radius - half, outer);
}

int Surface::FontPixels() const {
    // Points to pixels: a point is 20 twips.
    return static_cast<int>(std::clamp(std::round(fontSize_ * 20.0 / unitsY_), 1.0, 2000.0));
}

void Surface::Print(const QString& text) {
    if (OnlyRecording()) {
        RecordText(text, QRect());
        return;
    }
    const TextRuns* runs = nullptr;
    QPoint at;
    QRect bounds;
    if (!text.isEmpty()) {
        at = ToPixelInt(currentX_, currentY_);
        runs = texts_.Runs(text, fontBold_, fontUnderline_, FontPixels());
        if (!runs)
            bounds = picture_;  // drawn by the painter, which may reach anywhere
        else if (!runs->box.isEmpty())
            bounds = runs->box.translated(at);
    }
    if (figures_) RecordText(text, bounds);
    if (bounds.isEmpty() || !Touch(bounds)) return;
    if (!runs) {
        PrintDirectly(text, at);
        return;
    }
    if (!bounds.intersects(RectOf(clip_))) return;
    auto fill = [&](const auto& w) {
        for (const TextRun& run : runs->runs) {
            const int y = at.y() + run.dy;
            if (y < clip_.top || y > clip_.bottom) continue;
            const int x0 = std::max(at.x() + run.x0, clip_.left);
            const int x1 = std::min(at.x() + run.x1, clip_.right);
            if (x0 <= x1) w.Span(y, x0, x1);
        }
    };
    if (drawMode_ == kDrawModeXor)
        fill(raster::XorWriter{image_, XorBits(textColour_), clip_});
    else
        fill(raster::SetWriter{image_, textColour_, clip_});
}

void Surface::PrintDirectly(const QString& text, QPoint at) {
    const int pixels = FontPixels();
    QPainter p(&image_);
    p.setClipRect(RectOf(clip_));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(TextCache::LabelFont(fontBold_, fontUnderline_, pixels));
    p.setPen(QColor::fromRgb(textColour_));
    if (drawMode_ == kDrawModeXor) p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawText(QPoint(at.x(), at.y() + texts_.Ascent(fontBold_, fontUnderline_, pixels)), text);
}

template <typename Mark>
void Surface::XorThroughMask(QRect bounds, Mark mark, QRgb bits) {
    const QRect clipped = bounds.intersected(RectOf(clip_));
    if (clipped.isEmpty()) return;
    if (mask_.width() < clipped.width() || mask_.height() < clipped.height())
        mask_ = QImage(std::max(mask_.width(), clipped.width()),
                       std::max(mask_.height(), clipped.height()), QImage::Format_Grayscale8);
    for (int y = 0; y < clipped.height(); ++y)
        std::fill_n(mask_.scanLine(y), clipped.width(), uchar{0});
    mark(raster::MaskWriter{mask_, raster::Clip::Of(clipped)});
    const raster::XorWriter w{image_, bits, clip_};
    for (int y = 0; y < clipped.height(); ++y) {
        const uchar* in = mask_.constScanLine(y);
        for (int x = 0; x < clipped.width(); ++x)
            if (in[x]) w.Plot(clipped.left() + x, clipped.top() + y);
    }
}
