#pragma once
// Plain rasterising of lines, thick strokes, rings and discs into 32-bit pixels, without
// antialiasing. It writes through a pixel writer (set a colour, exclusive-or bits, or mark a
// mask) and clips to the writer's clip; it knows nothing of units, pens or text.

#include <QImage>
#include <QPoint>
#include <QRgb>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace raster {

// Where the rows of a 32-bit picture lie; taken once per figure.
struct Pixels {
    uchar* bits;
    qsizetype stride;

    explicit Pixels(QImage& image) : bits(image.bits()), stride(image.bytesPerLine()) {}
    QRgb* Row(int y) const {
        return reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * stride);
    }
};

// The pixels a figure may write: columns left..right and rows top..bottom, inclusive.
struct Clip {
    int left = 0, top = 0, right = -1, bottom = -1;

    static Clip Of(const QRect& r) { return {r.left(), r.top(), r.right(), r.bottom()}; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
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

// Sets n >= 1 pixels from p on to colour. Most runs of a diagram are a few pixels long: four
// at a time, the last four overlapping those before where n is no multiple of four, and runs
// under four as two or three single pixels (the first and last may be the same).
inline void Fill(QRgb* p, int n, QRgb colour) {
    if (n < 4) {
        p[0] = colour;
        p[n - 1] = colour;
        p[n >> 1] = colour;
        return;
    }
    const QRgb four[4] = {colour, colour, colour, colour};
    QRgb* const last = p + n - 4;
    for (; p < last; p += 4) std::memcpy(p, four, sizeof four);
    std::memcpy(last, four, sizeof four);
}

// Writes into a 32-bit picture through one way of combining.
template <typename Combine>
struct PixelWriter {
    Pixels pixels;
    Combine combine;

    Clip clip;

    // Writes only within clip, which lies within the picture.
    PixelWriter(QImage& image, QRgb value, const Clip& within)
        : pixels(image), combine{value}, clip(within) {}
    // The loops combine through a copy: pixels written through a pointer might otherwise be
    // the colour itself, which would then be read again for every pixel.
    void Span(int y, int x0, int x1) const {
        QRgb* row = pixels.Row(y);
        if constexpr (std::is_same_v<Combine, SetPixel>) {
            Fill(row + x0, x1 - x0 + 1, combine.colour);
        } else {
            const Combine each = combine;
            for (int x = x0; x <= x1; ++x) each(row[x]);
        }
    }
    // The rows y0..y1 of column x.
    void Column(int x, int y0, int y1) const {
        QRgb* p = pixels.Row(y0) + x;
        const qsizetype step = pixels.stride / static_cast<qsizetype>(sizeof(QRgb));
        const Combine each = combine;
        for (int y = y0; y <= y1; ++y, p += step) each(*p);
    }
    void Plot(int x, int y) const { combine(pixels.Row(y)[x]); }
};

using SetWriter = PixelWriter<SetPixel>;  // sets pixels to one colour
using XorWriter = PixelWriter<XorPixel>;  // turns pixels to pixel XOR bits

// Marks pixels in an 8-bit mask whose (0, 0) lies at (clip.left, clip.top) of the picture; the
// mask covers the clip.
struct MaskWriter {
    QImage& mask;
    Clip clip;

    void Span(int y, int x0, int x1) const {
        uchar* row = mask.scanLine(y - clip.top);
        std::fill(row + (x0 - clip.left), row + (x1 - clip.left) + 1, uchar{1});
    }
    void Column(int x, int y0, int y1) const {
        for (int y = y0; y <= y1; ++y) Plot(x, y);
    }
    void Plot(int x, int y) const { mask.scanLine(y - clip.top)[x - clip.left] = 1; }
};

// The steps of a one-pixel line between two different points that lie within the clip grown by
// margin along the line's longer (major) axis: major coordinates m..last, and at each the minor
// coordinate n >> 16, n growing by inc a step.
struct LineSteps {
    bool alongX;
    std::int64_t m, last, n, inc;
    int minorMin, minorMax;  // the clip, grown by margin, across the major axis

    // n at the last step.
    std::int64_t LastN() const { return n + (last - m) * inc; }
    // Whether every step's minor coordinate lies within minorMin..minorMax: it moves one way
    // only, so the first and last step bound it.
    bool MinorWithin() const {
        const std::int64_t nLast = LastN();
        return (std::min(n, nLast) >> 16) >= minorMin && (std::max(n, nLast) >> 16) <= minorMax;
    }
};

// Whether the line from a to b steps along x (its longer axis; x when both are as long).
inline bool AlongX(QPoint a, QPoint b) {
    return std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
}

inline LineSteps StepsOf(QPoint a, QPoint b, const Clip& clip, int margin) {
    LineSteps s;
    s.alongX = AlongX(a, b);
    const bool alongX = s.alongX;
    // Major and minor coordinates in 26.6, from the end with the smaller major coordinate.
    std::int64_t m1 = (alongX ? a.x() : a.y()) * std::int64_t{64};
    std::int64_t n1 = (alongX ? a.y() : a.x()) * std::int64_t{64};
    std::int64_t m2 = (alongX ? b.x() : b.y()) * std::int64_t{64};
    std::int64_t n2 = (alongX ? b.y() : b.x()) * std::int64_t{64};
    if (m1 > m2) std::swap(m1, m2), std::swap(n1, n2);
    s.inc = ((n2 - n1) * 65536) / (m2 - m1);
    s.n = n1 * 1024 - (s.inc >> 1);  // the square cap reaches half a pixel back
    m1 -= 32;
    m2 += 32;
    s.m = (m1 + 32) >> 6;
    const std::int64_t mEnd = (m2 + 32) >> 6;
    s.n += ((s.m * 64 + (s.inc > 0 ? 32 : 0) - m1) * s.inc) >> 6;

    const int majorMin = (alongX ? clip.left : clip.top) - margin;
    const int majorMax = (alongX ? clip.right : clip.bottom) + margin;
    s.minorMin = (alongX ? clip.top : clip.left) - margin;
    s.minorMax = (alongX ? clip.bottom : clip.right) + margin;
    if (s.m < majorMin) {  // straight to the first visible column or row
        s.n += (majorMin - s.m) * s.inc;
        s.m = majorMin;
    }
    s.last = std::min<std::int64_t>(mEnd - 1, majorMax);
    return s;
}

// Calls plot(x, y) for every pixel of the one-pixel line from a to b, with both ends, that lies
// within the clip grown by margin on every side; each pixel once. The pixels are those of Qt's
// own aliased lines with square caps: one per column (or row) along the longer axis, the other
// coordinate followed in 16.16 fixed point from the ends in 26.6. Which pixels a line has does
// not depend on the clip: a clip only leaves some of them out.
template <typename Plot>
void WalkLine(QPoint a, QPoint b, const Clip& clip, int margin, Plot plot) {
    if (a == b) {
        if (a.x() >= clip.left - margin && a.y() >= clip.top - margin &&
            a.x() <= clip.right + margin && a.y() <= clip.bottom + margin)
            plot(a.x(), a.y());
        return;
    }
    LineSteps s = StepsOf(a, b, clip, margin);
    for (; s.m <= s.last; ++s.m, s.n += s.inc) {
        const std::int64_t minor = s.n >> 16;
        if (minor < s.minorMin || minor > s.minorMax) continue;
        if (s.alongX)
            plot(static_cast<int>(s.m), static_cast<int>(minor));
        else
            plot(static_cast<int>(minor), static_cast<int>(s.m));
    }
}

// A one-pixel line along a row or a column (or a single point): the run of pixels between its
// ends. False, and nothing drawn, for any other line.
template <typename Writer>
bool AxisLine(const Writer& w, QPoint a, QPoint b) {
    const Clip& c = w.clip;
    if (a.y() == b.y()) {
        if (a.y() < c.top || a.y() > c.bottom) return true;
        const int x0 = std::max(std::min(a.x(), b.x()), c.left);
        const int x1 = std::min(std::max(a.x(), b.x()), c.right);
        if (x0 <= x1) w.Span(a.y(), x0, x1);
        return true;
    }
    if (a.x() == b.x()) {
        if (a.x() < c.left || a.x() > c.right) return true;
        const int y0 = std::max(std::min(a.y(), b.y()), c.top);
        const int y1 = std::min(std::max(a.y(), b.y()), c.bottom);
        if (y0 <= y1) w.Column(a.x(), y0, y1);
        return true;
    }
    return false;
}

// A one-pixel line; every pixel once. Lines along a row or a column are written as runs.
template <typename Writer>
void ThinLine(const Writer& w, QPoint a, QPoint b) {
    if (AxisLine(w, a, b)) return;
    WalkLine(a, b, w.clip, 0, [&](int x, int y) { w.Plot(x, y); });
}

// The same into a picture. A line whose every step lies within the clip is walked with a
// pointer into the pixels instead of finding each pixel's place anew.
template <typename Combine>
void ThinLine(const PixelWriter<Combine>& w, QPoint a, QPoint b) {
    if (AxisLine(w, a, b)) return;
    const LineSteps s = StepsOf(a, b, w.clip, 0);
    if (s.m > s.last) return;
    if (!s.MinorWithin()) {
        WalkLine(a, b, w.clip, 0, [&](int x, int y) { w.Plot(x, y); });
        return;
    }
    const Combine each = w.combine;
    std::int64_t n = s.n;
    if (s.alongX) {  // a pixel in each column, its row the minor coordinate
        for (std::int64_t x = s.m; x <= s.last; ++x, n += s.inc)
            each(w.pixels.Row(static_cast<int>(n >> 16))[x]);
        return;
    }
    // A pixel in each row. Down a steep line every pixel lies in another cache line: ask for
    // them a few rows ahead.
    const qsizetype rowStep = w.pixels.stride / static_cast<qsizetype>(sizeof(QRgb));
    const qsizetype ahead = 8 * rowStep;
    QRgb* row = w.pixels.Row(static_cast<int>(s.m));
    for (std::int64_t y = s.m; y <= s.last; ++y, row += rowStep, n += s.inc) {
        QRgb* p = row + (n >> 16);
        __builtin_prefetch(p + ahead, 1);
        each(*p);
    }
}

// The round pen of the given width: for each row offset from -width/2, the columns it covers.
// Every such pen up to 64 pixels covers each of its rows, and all its rows share the middle
// column; the strokes below rely on both.
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

// The one-pixel line from a to b as WalkLine finds it, in runs of consecutive pixels: along rows
// (byRow) or along columns. Calls run(other, from, to) for each, with other the run's row (or
// column) and from..to its columns (or rows).
template <typename Run>
void WalkRuns(QPoint a, QPoint b, const Clip& clip, int margin, bool byRow, Run run) {
    bool open = false;
    int other = 0, from = 0, to = 0;
    WalkLine(a, b, clip, margin, [&](int x, int y) {
        const int major = byRow ? x : y, minor = byRow ? y : x;
        if (open && minor == other && major == to + 1) {
            to = major;
            return;
        }
        if (open) run(other, from, to);
        open = true;
        other = minor, from = to = major;
    });
    if (open) run(other, from, to);
}

// The union of the pen put down on every pixel of the line rows first..first + rows - 1, row r
// reaching from column lineLo[r] to lineHi[r] (or nowhere, as kNoLine and -kNoLine): a picture
// row's run is the union of the runs of the pen rows put down on the line rows that reach it.
// rows + pen.rows must not pass kUnionRows.
constexpr int kNoLine = INT32_MAX / 2;
constexpr int kUnionRows = 256 + 64;
template <typename Writer>
void WritePenUnion(const Writer& w, const int* lineLo, const int* lineHi, int first, int rows,
                   const Pen& pen) {
    // Row i of the pen put down on line row r covers picture row first + pen.first + r + i.
    const int total = rows + pen.rows - 1;
    int lo[kUnionRows], hi[kUnionRows];
    for (int r = 0; r < rows; ++r) lo[r] = lineLo[r] + pen.from[0], hi[r] = lineHi[r] + pen.to[0];
    for (int r = rows; r < total; ++r) lo[r] = kNoLine, hi[r] = -kNoLine;
    for (int i = 1; i < pen.rows; ++i) {
        const int from = pen.from[i], to = pen.to[i];
        int* l = lo + i;
        int* h = hi + i;
        for (int r = 0; r < rows; ++r) {
            l[r] = std::min(l[r], lineLo[r] + from);
            h[r] = std::max(h[r], lineHi[r] + to);
        }
    }
    const Clip& c = w.clip;
    const int base = first + pen.first;
    for (int r = std::max(0, c.top - base); r < total && base + r <= c.bottom; ++r) {
        const int x0 = std::max(lo[r], c.left), x1 = std::min(hi[r], c.right);
        if (x0 <= x1) w.Span(base + r, x0, x1);
    }
}

// The stroke of ThickLine below for a line of at most 256 rows whose every step lies within
// the clip grown by the pen's width, so that each row from the first step's to the last step's
// has a pixel of the line. False, and nothing drawn, should the rows not fit.
template <typename Writer>
bool SmallStroke(const Writer& w, const LineSteps& s, const Pen& pen) {
    int lineLo[kUnionRows], lineHi[kUnionRows];  // the first and last column of each line row
    int first, rows;                             // the first line row and how many there are
    std::int64_t n = s.n;
    if (s.alongX) {
        // Along a row the columns only grow: a row's first step is its first column.
        const int y0 = static_cast<int>(s.n >> 16), y1 = static_cast<int>(s.LastN() >> 16);
        first = std::min(y0, y1);
        rows = std::abs(y1 - y0) + 1;
        if (rows + pen.rows > kUnionRows) return false;
        int open = -1;
        for (std::int64_t x = s.m; x <= s.last; ++x, n += s.inc) {
            const int r = static_cast<int>(n >> 16) - first;
            if (r != open) lineLo[r] = static_cast<int>(x), open = r;
            lineHi[r] = static_cast<int>(x);
        }
    } else {
        first = static_cast<int>(s.m);
        rows = static_cast<int>(s.last - s.m) + 1;
        if (rows + pen.rows > kUnionRows) return false;
        for (int r = 0; r < rows; ++r, n += s.inc)
            lineLo[r] = lineHi[r] = static_cast<int>(n >> 16);
    }
    WritePenUnion(w, lineLo, lineHi, first, rows, pen);
    return true;
}

// A stroke of a wide round pen from a to b: the union of the pen put down at every pixel of the
// one-pixel line. The union on any row is one run: consecutive pixels of the line are
// neighbours, and two pens one pixel apart meet on every row they share. Each row's run is found
// from the line's first and last column on the rows whose pens reach it, and written once
// (SmallStroke where the line stays near the clip). A line reaching over more rows than that takes
// is written run of the line by run, the pen's rows at once; the pixels are the same. Exclusive-or
// strokes go through a mask all the same.
template <typename Writer>
void ThickLine(const Writer& w, QPoint a, QPoint b, const Pen& pen) {
    const Clip& c = w.clip;
    constexpr int kRows = 256;
    // The rows of the line that can reach the clip (a row more either way, as room for the
    // rounding at the ends), and the picture rows their pens cover.
    const int yLo = std::max(std::min(a.y(), b.y()) - 1, c.top - pen.width);
    const int yHi = std::min(std::max(a.y(), b.y()) + 1, c.bottom + pen.width);
    const int count = yHi - yLo + pen.rows;  // picture rows the pens cover
    // A single point has no steps to follow (StepsOf divides by the line's length): the way
    // below puts the pen down once.
    if (count <= kRows && a != b) {
        if (count <= 0) return;
        const LineSteps s = StepsOf(a, b, c, pen.width);
        if (s.m > s.last) return;
        if (s.MinorWithin() && SmallStroke(w, s, pen)) return;
        // The first and last column of the line on each of its rows.
        const int lineRows = yHi - yLo + 1;
        if (lineRows <= 0) return;  // the line passes beside the clip
        int lineLo[kRows], lineHi[kRows];
        std::fill_n(lineLo, lineRows, kNoLine);
        std::fill_n(lineHi, lineRows, -kNoLine);
        for (std::int64_t m = s.m, n = s.n; m <= s.last; ++m, n += s.inc) {
            const std::int64_t minor = n >> 16;
            if (minor < s.minorMin || minor > s.minorMax) continue;
            const int x = static_cast<int>(s.alongX ? m : minor);
            const int r = static_cast<int>(s.alongX ? minor : m) - yLo;
            lineLo[r] = std::min(lineLo[r], x);
            lineHi[r] = std::max(lineHi[r], x);
        }
        WritePenUnion(w, lineLo, lineHi, yLo, lineRows, pen);
        return;
    }
    auto row = [&](int y, int x0, int x1) {
        if (y < c.top || y > c.bottom) return;
        x0 = std::max(x0, c.left);
        x1 = std::min(x1, c.right);
        if (x0 <= x1) w.Span(y, x0, x1);
    };
    const bool alongX = AlongX(a, b);
    WalkRuns(a, b, c, pen.width, alongX, [&](int other, int m0, int m1) {
        if (alongX) {
            // The pen put down at (m0, other) .. (m1, other): each pen row's run reaches from
            // the first to the last pen.
            for (int i = 0; i < pen.rows; ++i)
                row(other + pen.first + i, m0 + pen.from[i], m1 + pen.to[i]);
            return;
        }
        // The pen put down at (other, m0) .. (other, m1): a picture row meets the pen rows i
        // with m0 <= row - first - i <= m1, whose runs all share the pen's middle column.
        for (int y = m0 + pen.first; y <= m1 + pen.first + pen.rows - 1; ++y) {
            const int iLo = std::max(0, y - pen.first - m1);
            const int iHi = std::min(pen.rows - 1, y - pen.first - m0);
            int from = INT32_MAX, to = INT32_MIN;
            for (int i = iLo; i <= iHi; ++i) {
                from = std::min(from, pen.from[i]);
                to = std::max(to, pen.to[i]);
            }
            row(y, other + from, other + to);
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
// once, clipped to the writer's clip. With inner <= 0 that is a whole disc.
template <typename Writer>
void Ring(const Writer& w, double cx, double cy, double inner, double outer) {
    if (!(outer > 0)) return;
    const Clip& c = w.clip;
    const int rowLo = std::max(c.top, CeilInt(cy - outer));
    const int rowHi = std::min(c.bottom, FloorInt(cy + outer));
    for (int y = rowLo; y <= rowHi; ++y) {
        const double dy = y - cy;
        const double outer2 = outer * outer - dy * dy;
        if (outer2 <= 0) continue;
        const double xo = std::sqrt(outer2);
        // Pixels with |x - cx| < xo are inside the outer circle.
        const int spanLo = std::max(c.left, FloorInt(cx - xo) + 1);
        const int spanHi = std::min(c.right, CeilInt(cx + xo) - 1);
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
