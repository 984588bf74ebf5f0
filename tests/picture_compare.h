#pragma once
// Comparing pictures of the diagram drawn by different devices: the canvas's sharp pixels
// against smooth lines and glyphs. A pixel is dark when it is nearly as dark as the red of an
// active connection or darker, and inked when it is clearly not white: a smooth line one pixel
// wide that lies across two rows leaves both only half dark. Two pictures draw the same lines
// when every dark pixel of each has an inked pixel of the other close by.

#include <QImage>
#include <QRect>
#include <QRgb>

#include <algorithm>

inline bool IsDark(QRgb c) {
    return qGray(c) < 110;
}

inline bool IsInked(QRgb c) {
    return qGray(c) < 200;
}

// The dark pixels of a that have no inked pixel of b (a picture of the same size) within radius
// pixels in either direction.
inline int UncoveredDarkPixels(const QImage& a, const QImage& b, int radius) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int uncovered = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            if (!IsDark(x.pixel(col, row))) continue;
            bool found = false;
            for (int v = std::max(0, row - radius);
                 v <= std::min(y.height() - 1, row + radius) && !found; ++v)
                for (int u = std::max(0, col - radius);
                     u <= std::min(y.width() - 1, col + radius) && !found; ++u)
                    found = IsInked(y.pixel(u, v));
            if (!found) ++uncovered;
        }
    }
    return uncovered;
}

inline int DarkPixels(const QImage& image) {
    const QImage x = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) n += IsDark(x.pixel(col, row));
    return n;
}

// Pixels of exactly colour.
inline int PixelsOf(const QImage& image, QRgb colour) {
    const QImage x = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            n += (x.pixel(col, row) | 0xFF000000u) == (colour | 0xFF000000u);
    return n;
}
