#pragma once
// Plain rasterising of lines, thick strokes, rings and discs into 32-bit pixels, without
// antialiasing. It writes through a pixel writer (set a colour, exclusive-or bits, or mark a
// mask) and clips to the writer's size; it knows nothing of units, pens or text.

#include <QImage>
#include <QPoint>
#include <QRgb>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace raster {

// Where the rows of a 32-bit picture lie; taken once per figure.
struct Pixels {
    uchar* bits;
    qsizetype stride;
    int width, height;

    explicit Pixels(QImage& image)
        : bits(image.bits()),
          stride(image.bytesPerLine()),
          width(image.width()),
          height(image.height()) {}
    QRgb* Row(int y) const {
        return reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * stride);
    }
};

// How a figure combines with a pixel: its colour replaces it, or its bits turn it.
struct SetPixel {
    QRgb colour;
    void operator()(QRgb& pixel) const { pixel = colour; }
};
struct XorPixel {
    QRgb bits;
    void operator()(QRgb& pixel) const { pixel ^= bits; }
};

// Writes into a 32-bit picture through one way of combining.
template <typename Combine>
struct PixelWriter {
    Pixels pixels;
    Combine combine;

    PixelWriter(QImage& image, QRgb value) : pixels(image), combine{value} {}
    int Width() const { return pixels.width; }
    int Height() const { return pixels.height; }
    void Span(int y, int x0, int x1) const {
        QRgb* row = pixels.Row(y);
        for (int x = x0; x <= x1; ++x) combine(row[x]);
    }
    void Plot(int x, int y) const { combine(pixels.Row(y)[x]); }
};

using SetWriter = PixelWriter<SetPixel>;  // sets pixels to one colour
using XorWriter = PixelWriter<XorPixel>;  // turns pixels to pixel XOR bits

// Marks pixels in an 8-bit mask whose (0, 0) lies at (left, top) of the picture; the mask
// covers width x height pixels of it.
struct MaskWriter {
    QImage& mask;
    int left, top, width, height;

    int Width() const { return left + width; }
    int Height() const { return top + height; }
    void Span(int y, int x0, int x1) const {
        x0 = std::max(x0, left);
        if (y < top || x0 > x1) return;
        uchar* row = mask.scanLine(y - top);
        std::fill(row + (x0 - left), row + (x1 - left) + 1, uchar{1});
    }
    void Plot(int x, int y) const {
        if (x >= left && y >= top) mask.scanLine(y - top)[x - left] = 1;
    }
};

// Calls plot(x, y) for every pixel of the one-pixel line from a to b, with both ends, that lies
// within [-margin, w - 1 + margin] x [-margin, h - 1 + margin]; each pixel once. The pixels are
// those of Qt's own aliased lines with square caps: one per column (or row) along the longer
// axis, the other coordinate followed in 16.16 fixed point from the ends in 26.6.
template <typename Plot>
void WalkLine(QPoint a, QPoint b, int w, int h, int margin, Plot plot) {
    if (a == b) {
        if (a.x() >= -margin && a.y() >= -margin && a.x() <= w - 1 + margin &&
            a.y() <= h - 1 + margin)
            plot(a.x(), a.y());
        return;
    }
    const bool alongX = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
    // Major and minor coordinates in 26.6, from the end with the smaller major coordinate.
    std::int64_t m1 = (alongX ? a.x() : a.y()) * std::int64_t{64};
    std::int64_t n1 = (alongX ? a.y() : a.x()) * std::int64_t{64};
    std::int64_t m2 = (alongX ? b.x() : b.y()) * std::int64_t{64};
    std::int64_t n2 = (alongX ? b.y() : b.x()) * std::int64_t{64};
    if (m1 > m2) std::swap(m1, m2), std::swap(n1, n2);
    const std::int64_t inc = ((n2 - n1) * 65536) / (m2 - m1);
    std::int64_t n = n1 * 1024 - (inc >> 1);  // the square cap reaches half a pixel back
    m1 -= 32;
    m2 += 32;
    std::int64_t m = (m1 + 32) >> 6;
    const std::int64_t mEnd = (m2 + 32) >> 6;
    n += ((m * 64 + (inc > 0 ? 32 : 0) - m1) * inc) >> 6;

    const int majorMax = (alongX ? w : h) - 1 + margin, minorMax = (alongX ? h : w) - 1 + margin;
    if (m < -margin) {  // straight to the first visible column or row
        n += (-margin - m) * inc;
        m = -margin;
    }
    const std::int64_t last = std::min<std::int64_t>(mEnd - 1, majorMax);
    for (; m <= last; ++m, n += inc) {
        const std::int64_t minor = n >> 16;
        if (minor < -margin || minor > minorMax) continue;
        if (alongX)
            plot(static_cast<int>(m), static_cast<int>(minor));
        else
            plot(static_cast<int>(minor), static_cast<int>(m));
    }
}

// A one-pixel line; every pixel once.
template <typename Writer>
void ThinLine(const Writer& w, QPoint a, QPoint b) {
    const int width = w.Width(), height = w.Height();
    WalkLine(a, b, width, height, 0, [&](int x, int y) { w.Plot(x, y); });
}

// The round pen of the given width: for each row offset from -width/2, the columns it covers.
struct Pen {
    int width = 1;
    int rows = 1;
    int first = 0;                   // row offset of the first row
    int from[64] = {}, to[64] = {};  // column offsets, inclusive

    explicit Pen(int w) : width(std::clamp(w, 1, 64)), rows(width), first(-(width / 2)) {
        // Pixel centres lie at half-pixel offsets from the pen's centre when the width is even.
        const double centre = (width % 2 == 0) ? 0.5 : 0.0;
        const double r2 = (width / 2.0) * (width / 2.0) + 0.01;
        for (int i = 0; i < rows; ++i) {
            const double dy = first + i + centre;
            int lo = 0, hi = -1;
            for (int dx = first; dx < first + width; ++dx) {
                const double cx = dx + centre;
                if (cx * cx + dy * dy > r2) continue;
                if (hi < lo) lo = dx;
                hi = dx;
            }
            from[i] = lo;
            to[i] = hi;
        }
    }
};

// A stroke of a wide round pen from a to b. Pixels where the pen passes more than once are
// written more than once, so exclusive-or strokes go through a mask.
template <typename Writer>
void ThickLine(const Writer& w, QPoint a, QPoint b, const Pen& pen) {
    const int width = w.Width(), height = w.Height();
    WalkLine(a, b, width, height, pen.width, [&](int x, int y) {
        for (int i = 0; i < pen.rows; ++i) {
            const int row = y + pen.first + i;
            if (row < 0 || row >= height) continue;
            const int x0 = std::max(x + pen.from[i], 0), x1 = std::min(x + pen.to[i], width - 1);
            if (x0 <= x1) w.Span(row, x0, x1);
        }
    });
}

// floor and ceil to int for values well inside the int range, without the library's rounding.
inline int FloorInt(double v) {
    const int i = static_cast<int>(v);
    return i > v ? i - 1 : i;
}
inline int CeilInt(double v) {
    const int i = static_cast<int>(v);
    return i < v ? i + 1 : i;
}

// The pixels whose centres lie at a distance in [inner, outer) from (cx, cy), row by row, each
// once, clipped to the writer. With inner <= 0 that is a whole disc.
template <typename Writer>
void Ring(const Writer& w, double cx, double cy, double inner, double outer) {
    if (!(outer > 0)) return;
    const int width = w.Width(), height = w.Height();
    const int rowLo = std::max(0, CeilInt(cy - outer));
    const int rowHi = std::min(height - 1, FloorInt(cy + outer));
    for (int y = rowLo; y <= rowHi; ++y) {
        const double dy = y - cy;
        const double outer2 = outer * outer - dy * dy;
        if (outer2 <= 0) continue;
        const double xo = std::sqrt(outer2);
        // Pixels with |x - cx| < xo are inside the outer circle.
        const int spanLo = std::max(0, FloorInt(cx - xo) + 1);
        const int spanHi = std::min(width - 1, CeilInt(cx + xo) - 1);
        if (spanLo > spanHi) continue;
        const double inner2 = inner > 0 ? inner * inner - dy * dy : -1;
        if (inner2 <= 0) {
            w.Span(y, spanLo, spanHi);
            continue;
        }
        // Pixels with |x - cx| >= xi are outside the inner circle.
        const double xi = std::sqrt(inner2);
        const int leftEnd = std::min(spanHi, FloorInt(cx - xi));
        const int rightStart = std::max(spanLo, CeilInt(cx + xi));
        if (leftEnd >= spanLo) w.Span(y, spanLo, leftEnd);
        if (rightStart <= spanHi) w.Span(y, rightStart, spanHi);
    }
}

}  // namespace raster
