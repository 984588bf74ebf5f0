#include "render/surface.h"

#include "render/raster.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Keeps absurd coordinates (from hand-made files) within what the rasteriser can take.
constexpr double kPixelLimit = 1.0e6;

double Limit(double v) {
    if (!(v > -kPixelLimit)) return -kPixelLimit;  // also NaN
    if (v > kPixelLimit) return kPixelLimit;
    return v;
}

// Nearest integer, halves up; v is within the limit, so the cast cannot overflow.
int Round(double v) {
    const double up = Limit(v) + 0.5;
    const int i = static_cast<int>(up);
    return i > up ? i - 1 : i;
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
    const QRect c = r.intersected(QRect(0, 0, w.Width(), w.Height()));
    if (c.isEmpty()) return;
    if (r.top() == c.top()) w.Span(r.top(), c.left(), c.right());
    if (r.bottom() == c.bottom() && r.bottom() != r.top()) w.Span(r.bottom(), c.left(), c.right());
    for (int y = std::max(c.top(), r.top() + 1); y <= std::min(c.bottom(), r.bottom() - 1); ++y) {
        if (r.left() == c.left()) w.Plot(r.left(), y);
        if (r.right() == c.right() && r.right() != r.left()) w.Plot(r.right(), y);
    }
}

}  // namespace

Surface::Surface() {
    Resize(1, 1);
}

void Surface::Resize(int pixelWidth, int pixelHeight) {
    image_ = QImage(std::max(1, pixelWidth), std::max(1, pixelHeight), QImage::Format_RGB32);
    image_.fill(kWhite);
    dirty_ = image_.rect();
}

void Surface::SetPictureScale(double x1, double y1, double x2, double y2) {
    left_ = x1;
    top_ = y1;
    if (x2 != x1) unitsX_ = (x2 - x1) / image_.width();
    if (y2 != y1) unitsY_ = (y2 - y1) / image_.height();
}

void Surface::SetDrawWidth(int pixels) {
    pixels = std::max(pixels, 1);
    if (pixels != drawWidth_) pen_ = raster::Pen(pixels);
    drawWidth_ = pixels;
}

void Surface::SetFont(bool bold, bool underline, int points) {
    fontBold_ = bold;
    fontUnderline_ = underline;
    fontSize_ = points;
}

void Surface::MarkDirty(const QRect& r) {
    dirty_ |= r.intersected(image_.rect());
}

QPointF Surface::ToPixel(double x, double y) const {
    // Coordinates reach the surface in single precision.
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    return {Limit((fx - left_) / unitsX_), Limit((fy - top_) / unitsY_)};
}

QPoint Surface::ToPixelInt(double x, double y) const {
    const QPointF p = ToPixel(x, y);
    // A point on the far edge of the picture is drawn on its last pixel.
    int px = Round(p.x()), py = Round(p.y());
    if (px == image_.width()) --px;
    if (py == image_.height()) --py;
    return {px, py};
}

QRect Surface::TakeDirty() {
    const QRect r = dirty_;
    dirty_ = QRect();
    return r;
}

void Surface::Clear() {
    image_.fill(kWhite);
    dirty_ = image_.rect();
}

void Surface::Line(double x1, double y1, double x2, double y2, QRgb colour) {
    const QPoint a = ToPixelInt(x1, y1), b = ToPixelInt(x2, y2);
    const QRect bounds = BoundsOf(a, b, Grow(drawWidth_));
    MarkDirty(bounds);
    if (drawMode_ != kDrawModeXor) {
        Stroke(raster::SetWriter{image_, colour}, a, b, pen_);
    } else if (drawWidth_ <= 1) {
        raster::ThinLine(raster::XorWriter{image_, XorBits(colour)}, a, b);
    } else {
        XorThroughMask(
            bounds, [&](const raster::MaskWriter& m) { Stroke(m, a, b, pen_); }, XorBits(colour));
    }
}

void Surface::Polyline(const PointRec* points, int n, QRgb colour) {
    if (drawMode_ == kDrawModeXor) {  // each segment erases on its own
        for (int i = 1; i < n; ++i)
            Line(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y, colour);
        return;
    }
    if (n < 2) return;
    const raster::SetWriter w{image_, colour};
    QPoint a = ToPixelInt(points[0].X, points[0].Y);
    int minX = a.x(), maxX = a.x(), minY = a.y(), maxY = a.y();
    for (int i = 1; i < n; ++i) {
        const QPoint b = ToPixelInt(points[i].X, points[i].Y);
        Stroke(w, a, b, pen_);
        minX = std::min(minX, b.x()), maxX = std::max(maxX, b.x());
        minY = std::min(minY, b.y()), maxY = std::max(maxY, b.y());
        a = b;
    }
    MarkDirty(BoundsOf(QPoint(minX, minY), QPoint(maxX, maxY), Grow(drawWidth_)));
}

void Surface::FilledBox(double x1, double y1, double x2, double y2, QRgb colour) {
    const QRect r = QRect(ToPixelInt(x1, y1), ToPixelInt(x2, y2)).normalized();
    MarkDirty(r);
    const QRect c = r.intersected(image_.rect());
    if (c.isEmpty()) return;
    if (drawMode_ == kDrawModeXor) {
        const raster::XorWriter w{image_, XorBits(colour)};
        for (int y = c.top(); y <= c.bottom(); ++y) w.Span(y, c.left(), c.right());
    } else {
        const raster::SetWriter w{image_, colour};
        for (int y = c.top(); y <= c.bottom(); ++y) w.Span(y, c.left(), c.right());
    }
}

void Surface::Box(double x1, double y1, double x2, double y2, QRgb colour) {
    const QRect r = QRect(ToPixelInt(x1, y1), ToPixelInt(x2, y2)).normalized();
    const QRect bounds =
        r.adjusted(-Grow(drawWidth_), -Grow(drawWidth_), Grow(drawWidth_), Grow(drawWidth_));
    MarkDirty(bounds);
    auto strokeSides = [&](const auto& w) {
        const QPoint tl = r.topLeft(), tr = r.topRight(), bl = r.bottomLeft(), br = r.bottomRight();
        Stroke(w, tl, tr, pen_);
        Stroke(w, tr, br, pen_);
        Stroke(w, br, bl, pen_);
        Stroke(w, bl, tl, pen_);
    };
    if (drawWidth_ <= 1) {
        if (drawMode_ == kDrawModeXor)
            Outline(raster::XorWriter{image_, XorBits(colour)}, r);
        else
            Outline(raster::SetWriter{image_, colour}, r);
    } else if (drawMode_ == kDrawModeXor) {
        XorThroughMask(bounds, strokeSides, XorBits(colour));
    } else {
        strokeSides(raster::SetWriter{image_, colour});
    }
}

void Surface::Circle(double x, double y, double r, QRgb colour) {
    const QPointF c = ToPixel(x, y);
    const double radius = Limit(std::fabs(ToPixelLength(r)));
    // The rim is the pen's width, centred on the circle.
    const double half = drawWidth_ / 2.0;
    const double outer = radius + half;
    const int grow = drawWidth_ + 2;
    MarkDirty(QRect(QPoint(Round(c.x() - radius), Round(c.y() - radius)),
                    QPoint(Round(c.x() + radius), Round(c.y() + radius)))
                  .adjusted(-grow, -grow, grow, grow));
    if (drawMode_ == kDrawModeXor) {
        raster::Ring(raster::XorWriter{image_, XorBits(colour)}, c.x(), c.y(), radius - half,
                     outer);
        return;
    }
    if (fillStyle_ == FillStyle::Solid)
        raster::Ring(raster::SetWriter{image_, fillColour_}, c.x(), c.y(), 0, radius - half);
    raster::Ring(raster::SetWriter{image_, colour}, c.x(), c.y(), radius - half, outer);
}

int Surface::FontPixels() const {
    // Points to pixels: a point is 20 twips.
    return static_cast<int>(std::clamp(std::round(fontSize_ * 20.0 / unitsY_), 1.0, 2000.0));
}

void Surface::Print(const QString& text) {
    if (text.isEmpty()) return;
    const int pixels = FontPixels();
    const QPoint at = ToPixelInt(currentX_, currentY_);
    const std::vector<TextRun>* runs = texts_.Runs(text, fontBold_, fontUnderline_, pixels);
    if (!runs) {
        PrintDirectly(text, at);
        return;
    }
    if (runs->empty()) return;
    int top = INT32_MAX, bottom = INT32_MIN, left = INT32_MAX, right = INT32_MIN;
    for (const TextRun& run : *runs) {
        top = std::min(top, run.dy), bottom = std::max(bottom, run.dy);
        left = std::min(left, run.x0), right = std::max(right, run.x1);
    }
    const QRect bounds(QPoint(at.x() + left, at.y() + top),
                       QPoint(at.x() + right, at.y() + bottom));
    MarkDirty(bounds);
    if (!bounds.intersects(image_.rect())) return;
    auto fill = [&](const auto& w) {
        for (const TextRun& run : *runs) {
            const int y = at.y() + run.dy;
            if (y < 0 || y >= image_.height()) continue;
            const int x0 = std::max(at.x() + run.x0, 0);
            const int x1 = std::min(at.x() + run.x1, image_.width() - 1);
            if (x0 <= x1) w.Span(y, x0, x1);
        }
    };
    if (drawMode_ == kDrawModeXor)
        fill(raster::XorWriter{image_, XorBits(textColour_)});
    else
        fill(raster::SetWriter{image_, textColour_});
}

void Surface::PrintDirectly(const QString& text, QPoint at) {
    const int pixels = FontPixels();
    MarkDirty(QRect(at.x() - 2, at.y() - 2, image_.width() - at.x() + 4, pixels * 2 + 2));
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(TextCache::LabelFont(fontBold_, fontUnderline_, pixels));
    p.setPen(QColor::fromRgb(textColour_));
    if (drawMode_ == kDrawModeXor) p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawText(QPoint(at.x(), at.y() + texts_.Ascent(fontBold_, fontUnderline_, pixels)), text);
}

template <typename Mark>
void Surface::XorThroughMask(QRect bounds, Mark mark, QRgb bits) {
    const QRect clipped = bounds.intersected(image_.rect());
    if (clipped.isEmpty()) return;
    if (mask_.width() < clipped.width() || mask_.height() < clipped.height())
        mask_ = QImage(std::max(mask_.width(), clipped.width()),
                       std::max(mask_.height(), clipped.height()), QImage::Format_Grayscale8);
    for (int y = 0; y < clipped.height(); ++y)
        std::fill_n(mask_.scanLine(y), clipped.width(), uchar{0});
    mark(raster::MaskWriter{mask_, clipped.left(), clipped.top(), clipped.width(),
                            clipped.height()});
    const raster::XorWriter w{image_, bits};
    for (int y = 0; y < clipped.height(); ++y) {
        const uchar* in = mask_.constScanLine(y);
        for (int x = 0; x < clipped.width(); ++x)
            if (in[x]) w.Plot(clipped.left() + x, clipped.top() + y);
    }
}
