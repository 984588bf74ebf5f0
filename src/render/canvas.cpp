#include "render/canvas.h"

#include <cstring>

Canvas::Canvas() {
    Resize(1, 1);
}

void Canvas::Resize(int pixelWidth, int pixelHeight) {
    Picture2.Resize(pixelWidth, pixelHeight);
    picture1_ = QImage(Picture2.PixelWidth(), Picture2.PixelHeight(), QImage::Format_RGB32);
    picture1_.fill(kWhite);
}

void Canvas::Publish() {
    const QImage& back = Picture2.Image();
    const QRect dirty = Picture2.TakeDirty().intersected(back.rect());
    if (dirty.isEmpty()) return;
    const auto bytes = static_cast<std::size_t>(dirty.width()) * sizeof(QRgb);
    const qsizetype offset =
        static_cast<qsizetype>(dirty.left()) * static_cast<qsizetype>(sizeof(QRgb));
    for (int y = dirty.top(); y <= dirty.bottom(); ++y)
        std::memcpy(picture1_.scanLine(y) + offset, back.constScanLine(y) + offset, bytes);
    if (OnPublished) OnPublished(dirty);
}
