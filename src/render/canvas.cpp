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
    Picture2.TakeDirty(published_);
    if (published_.Empty()) return;
    // Only rows drawn on since they were handed over are changed: no need to bring all up to date.
    const QImage& back = Picture2.image_;
    const uchar* from = back.constBits();
    uchar* to = picture1_.bits();
    const qsizetype stride = back.bytesPerLine();
    const int width = back.width();
    for (const QRect& r : published_) {
        const auto offset = static_cast<qsizetype>(r.left()) * static_cast<qsizetype>(sizeof(QRgb));
        const auto bytes = static_cast<std::size_t>(r.width()) * sizeof(QRgb);
        if (r.left() == 0 && r.width() == width && stride == static_cast<qsizetype>(bytes)) {
            // Whole rows lie one after the other: one copy.
            const qsizetype start = static_cast<qsizetype>(r.top()) * stride;
            std::memcpy(to + start, from + start, bytes * static_cast<std::size_t>(r.height()));
            continue;
        }
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const qsizetype row = static_cast<qsizetype>(y) * stride + offset;
            std::memcpy(to + row, from + row, bytes);
        }
    }
    if (OnPublished) OnPublished(published_.Bounds());
}

void Canvas::PublishAll() {
    if (!Picture2.HandOver(picture1_)) {
        Publish();
        return;
    }
    Picture2.TakeDirty(published_);  // all of it is in Picture1 now
    if (OnPublished) OnPublished(picture1_.rect());
}
