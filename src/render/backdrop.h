#pragma once
// A picture that a canvas is cleared to again and again (white, or white with grid lines), kept
// as its distinct rows: a grid has only a few, so clearing copies each row of the canvas from
// a row that stays in the processor's cache.

#include <QImage>
#include <QRect>
#include <QRgb>

#include <vector>

class Backdrop {
public:
    Backdrop() = default;
    // The picture must be 32 bits a pixel.
    explicit Backdrop(const QImage& picture);

    bool Empty() const { return rowOf_.empty(); }

    // Copies the pixels of r (within both pictures) into the same place of a picture of the
    // backdrop's size.
    void CopyTo(QImage& picture, const QRect& r) const;

private:
    int width_ = 0;
    std::vector<QRgb> rows_;  // the distinct rows, one after the other
    std::vector<int> rowOf_;  // for each row of the picture, where its pixels start in rows_
};
