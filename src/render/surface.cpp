#include "render/surface.h"

#include <QFontMetrics>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Keeps absurd coordinates (from hand-made files) within what the rasteriser can take.
constexpr double kPixelLimit = 1.0e6;
// Points handed to the painter at a time when drawing a polyline.
constexpr int kPolylineChunk = 64;

double Limit(double v) {
    if (!(v > -kPixelLimit)) return -kPixelLimit;  // also NaN
    if (v > kPixelLimit) return kPixelLimit;
    return v;
}

int Round(double v) { return static_cast<int>(std::floor(Limit(v) + 0.5)); }

QRgb XorBits(QRgb colour) { return colour & 0x00FFFFFFu; }

QPen MakePen(QRgb colour, int width) {
    QPen pen{QColor::fromRgb(colour)};
    pen.setWidth(width);
    if (width > 1) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else {
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
    }
    return pen;
}

// Clips the segment a-b to the rectangle [0, w-1] x [0, h-1] (Liang-Barsky). False when
// nothing of it is inside.
bool ClipSegment(QPointF& a, QPointF& b, int w, int h) {
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x(), (w - 1) - a.x(), a.y(), (h - 1) - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

}  // namespace

Surface::Surface() { Resize(1, 1); }

Surface::~Surface() { Finish(); }

void Surface::Resize(int pixelWidth, int pixelHeight) {
    Finish();
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

void Surface::SetFont(bool bold, bool underline, int points) {
    fontBold_ = bold;
    fontUnderline_ = underline;
    fontSize_ = points;
}

QPainter& Surface::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
    }
    return *painter_;
}

void Surface::Finish() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void Surface::MarkDirty(const QRect& r) { dirty_ |= r.intersected(image_.rect()); }

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

const QImage& Surface::Image() {
    Finish();
    return image_;
}

QRect Surface::TakeDirty() {
    const QRect r = dirty_;
    dirty_ = QRect();
    return r;
}

void Surface::Clear() {
    Finish();
    image_.fill(kWhite);
    dirty_ = image_.rect();
}

void Surface::Line(double x1, double y1, double x2, double y2, QRgb colour) {
    const QPoint a = ToPixelInt(x1, y1), b = ToPixelInt(x2, y2);
    const int grow = drawWidth_ + 1;
    MarkDirty(QRect(a, b).normalized().adjusted(-grow, -grow, grow, grow));
    if (drawMode_ == kDrawModeXor) {
        if (drawWidth_ <= 1) {
            XorLineThin(a, b, XorBits(colour));
        } else {
            const QRect bounds = QRect(a, b).normalized().adjusted(-grow, -grow, grow, grow);
            XorThroughMask(
                bounds,
                [&](QPainter& p) {
                    p.setPen(MakePen(0xFFFFFFFFu, drawWidth_));
                    p.drawLine(a, b);
                },
                XorBits(colour));
        }
        return;
    }
    QPainter& p = Painter();
    p.setPen(MakePen(colour, drawWidth_));
    p.drawLine(a, b);
}

void Surface::Polyline(const UnitPoint* points, int n, QRgb colour) {
    if (n <= 0) return;
    if (drawMode_ == kDrawModeXor || n == 1) {
        for (int i = 1; i < n; ++i)
            Line(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y, colour);
        return;
    }
    QPoint pixels[kPolylineChunk];
    QPainter& p = Painter();
    p.setPen(MakePen(colour, drawWidth_));
    const int grow = drawWidth_ + 1;
    // Long runs go out in chunks that share their end points.
    for (int start = 0; start < n - 1; start += kPolylineChunk - 1) {
        const int count = std::min(kPolylineChunk, n - start);
        int minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
        for (int i = 0; i < count; ++i) {
            pixels[i] = ToPixelInt(points[start + i].X, points[start + i].Y);
            minX = std::min(minX, pixels[i].x());
            maxX = std::max(maxX, pixels[i].x());
            minY = std::min(minY, pixels[i].y());
            maxY = std::max(maxY, pixels[i].y());
        }
        MarkDirty(QRect(QPoint(minX, minY), QPoint(maxX, maxY)).adjusted(-grow, -grow, grow, grow));
        p.drawPolyline(pixels, count);
    }
}

void Surface::FilledBox(double x1, double y1, double x2, double y2, QRgb colour) {
    const QRect r = QRect(ToPixelInt(x1, y1), ToPixelInt(x2, y2)).normalized();
    MarkDirty(r);
    if (drawMode_ == kDrawModeXor) {
        const QRect clipped = r.intersected(image_.rect());
        for (int y = clipped.top(); y <= clipped.bottom(); ++y)
            XorSpan(y, clipped.left(), clipped.right(), XorBits(colour));
        return;
    }
    Painter().fillRect(r, QColor::fromRgb(colour));
}

void Surface::Box(double x1, double y1, double x2, double y2, QRgb colour) {
    const QRect r = QRect(ToPixelInt(x1, y1), ToPixelInt(x2, y2)).normalized();
    const int grow = drawWidth_ + 1;
    MarkDirty(r.adjusted(-grow, -grow, grow, grow));
    if (drawMode_ == kDrawModeXor && drawWidth_ <= 1) {
        const QRgb bits = XorBits(colour);
        XorSpan(r.top(), r.left(), r.right(), bits);
        if (r.bottom() != r.top()) XorSpan(r.bottom(), r.left(), r.right(), bits);
        for (int y = r.top() + 1; y < r.bottom(); ++y) {
            if (y < 0 || y >= image_.height()) continue;
            XorSpan(y, r.left(), r.left(), bits);
            if (r.right() != r.left()) XorSpan(y, r.right(), r.right(), bits);
        }
        return;
    }
    auto paint = [&](QPainter& p, QRgb c) {
        p.setPen(MakePen(c, drawWidth_));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    };
    if (drawMode_ == kDrawModeXor) {
        XorThroughMask(
            r.adjusted(-grow, -grow, grow, grow), [&](QPainter& p) { paint(p, 0xFFFFFFFFu); },
            XorBits(colour));
        return;
    }
    paint(Painter(), colour);
}

void Surface::Circle(double x, double y, double r, QRgb colour) {
    const QPointF c = ToPixel(x, y);
    const double radius = Limit(std::fabs(ToPixelLength(r)));
    const int grow = drawWidth_ + 2;
    const QRect bounds = QRect(QPoint(Round(c.x() - radius), Round(c.y() - radius)),
                               QPoint(Round(c.x() + radius), Round(c.y() + radius)))
                             .adjusted(-grow, -grow, grow, grow);
    MarkDirty(bounds);
    if (drawMode_ == kDrawModeXor) {
        if (drawWidth_ <= 1) {
            XorRing(c, radius, XorBits(colour));
        } else {
            XorThroughMask(
                bounds,
                [&](QPainter& p) {
                    p.setPen(MakePen(0xFFFFFFFFu, drawWidth_));
                    p.setBrush(Qt::NoBrush);
                    p.drawEllipse(c, radius, radius);
                },
                XorBits(colour));
        }
        return;
    }
    QPainter& p = Painter();
    p.setPen(MakePen(colour, drawWidth_));
    if (fillStyle_ == FillStyle::Solid) p.setBrush(QColor::fromRgb(fillColour_));
    else p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius, radius);
}

const Surface::FontEntry& Surface::CurrentFont() {
    // Points to pixels: a point is 20 twips.
    const double pixels = std::clamp(std::round(fontSize_ * 20.0 / unitsY_), 1.0, 2000.0);
    const auto key = std::make_tuple(fontBold_, fontUnderline_, static_cast<int>(pixels));
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        FontEntry entry;
        entry.font = QFont(QStringLiteral("IPAGothic"));
        entry.font.setStyleHint(QFont::SansSerif);
        entry.font.setStyleStrategy(QFont::NoAntialias);
        entry.font.setPixelSize(static_cast<int>(pixels));
        entry.font.setBold(fontBold_);
        entry.font.setUnderline(fontUnderline_);
        entry.ascent = QFontMetrics(entry.font).ascent();
        it = fonts_.emplace(key, std::move(entry)).first;
    }
    return it->second;
}

void Surface::Print(const QString& text) {
    if (text.isEmpty()) return;
    const FontEntry& entry = CurrentFont();
    const QPoint at = ToPixelInt(currentX_, currentY_);
    const int height = entry.font.pixelSize() * 2 + 2;
    MarkDirty(QRect(at.x() - 2, at.y() - 2, image_.width() - at.x() + 4, height));
    QPainter& p = Painter();
    p.setFont(entry.font);
    p.setPen(QColor::fromRgb(textColour_));
    if (drawMode_ == kDrawModeXor) p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawText(QPoint(at.x(), at.y() + entry.ascent), text);
    if (drawMode_ == kDrawModeXor) p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Surface::XorSpan(int y, int x0, int x1, QRgb bits) {
    if (y < 0 || y >= image_.height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image_.width() - 1);
    if (x0 > x1) return;
    Finish();
    QRgb* row = reinterpret_cast<QRgb*>(image_.bits() + static_cast<qsizetype>(y) * image_.bytesPerLine());
    for (int x = x0; x <= x1; ++x) row[x] ^= bits;
}

void Surface::XorLineThin(QPointF a, QPointF b, QRgb bits) {
    if (!ClipSegment(a, b, image_.width(), image_.height())) return;
    Finish();
    int x0 = Round(a.x()), y0 = Round(a.y());
    const int x1 = Round(b.x()), y1 = Round(b.y());
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    uchar* base = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    while (true) {
        reinterpret_cast<QRgb*>(base + static_cast<qsizetype>(y0) * stride)[x0] ^= bits;
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

void Surface::XorRing(QPointF centre, double radius, QRgb bits) {
    // The pixels whose centres lie at a distance in [radius - 0.5, radius + 0.5) from the
    // centre, row by row; each pixel is visited once however the ring is cut by the image.
    const double outer = radius + 0.5;
    const double inner = radius - 0.5;
    const int rowLo = std::max(0, static_cast<int>(std::ceil(centre.y() - outer)));
    const int rowHi = std::min(image_.height() - 1, static_cast<int>(std::floor(centre.y() + outer)));
    const double cx = centre.x();
    for (int y = rowLo; y <= rowHi; ++y) {
        const double dy = y - centre.y();
        const double outer2 = outer * outer - dy * dy;
        if (outer2 <= 0) continue;
        const double xo = std::sqrt(outer2);
        // Pixels with |x - cx| < xo are inside the outer circle.
        const int spanLo = static_cast<int>(std::floor(cx - xo)) + 1;
        const int spanHi = static_cast<int>(std::ceil(cx + xo)) - 1;
        const double inner2 = inner > 0 ? inner * inner - dy * dy : -1;
        if (inner2 <= 0) {
            XorSpan(y, spanLo, spanHi, bits);
            continue;
        }
        // Pixels with |x - cx| >= xi are outside the inner circle.
        const double xi = std::sqrt(inner2);
        XorSpan(y, spanLo, static_cast<int>(std::floor(cx - xi)), bits);
        XorSpan(y, static_cast<int>(std::ceil(cx + xi)), spanHi, bits);
    }
}

template <typename Paint>
void Surface::XorThroughMask(QRect bounds, Paint paint, QRgb bits) {
    const QRect clipped = bounds.intersected(image_.rect());
    if (clipped.isEmpty()) return;
    if (mask_.width() < clipped.width() || mask_.height() < clipped.height())
        mask_ = QImage(std::max(mask_.width(), clipped.width()),
                       std::max(mask_.height(), clipped.height()), QImage::Format_Grayscale8);
    mask_.fill(0);
    {
        QPainter m(&mask_);
        m.setRenderHint(QPainter::Antialiasing, false);
        m.translate(-clipped.left(), -clipped.top());
        paint(m);
    }
    Finish();
    for (int y = 0; y < clipped.height(); ++y) {
        const uchar* in = mask_.constScanLine(y);
        QRgb* row = reinterpret_cast<QRgb*>(image_.bits() +
                                            static_cast<qsizetype>(clipped.top() + y) * image_.bytesPerLine());
        for (int x = 0; x < clipped.width(); ++x)
            if (in[x]) row[clipped.left() + x] ^= bits;
    }
}
