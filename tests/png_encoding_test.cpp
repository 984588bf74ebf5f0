// PNG files of pictures: the palette the canvas's pictures are written with, at every depth and
// width, and the pictures of more colours that go through Qt's writer.

#include "app/png_encoding.h"

#include <gtest/gtest.h>
#include <QImage>

namespace {

// A picture of width × height pixels in colours of the given number, spread so that runs, lone
// pixels and rows alike and unlike the one above all occur.
QImage Picture(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int k = y % 3 == 0 ? 0 : (x * 7 + y * 13 + x / 3) % colours;
            image.setPixel(x, y, qRgb(k * 37 % 256, k * 91 % 256, k));
        }
    return image;
}

}  // namespace

TEST(PngEncoding, EveryPaletteDepthAndAnyWidthDecodeToTheSamePixels) {
    for (const int colours : {1, 2, 3, 5, 16, 17, 256}) {
        for (const int width : {1, 2, 3, 5, 7, 8, 9, 31}) {
            const QImage image = Picture(width, 6, colours);
            const QByteArray png = EncodePng(image);
            ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n")) << colours << " " << width;
            const QImage back = QImage::fromData(png, "PNG");
            ASSERT_FALSE(back.isNull()) << colours << " " << width;
            EXPECT_GT(back.colorCount(), 0) << "a palette: " << colours << " " << width;
            EXPECT_TRUE(back.convertToFormat(QImage::Format_RGB32) == image)
                << colours << " colours, " << width << " wide";
        }
    }
}

TEST(PngEncoding, APictureOfMoreColoursThanAPaletteHoldsKeepsThemAll) {
    const QImage image = Picture(40, 30, 1000);
    const QImage back = QImage::fromData(EncodePng(image), "PNG");
    ASSERT_FALSE(back.isNull());
    EXPECT_TRUE(back.convertToFormat(QImage::Format_RGB32) == image);
    EXPECT_TRUE(EncodePng(QImage()).isEmpty());
}
