// The drawing surface writes its figures straight into the pixels. These tests hold it to what
// Qt's own painter draws for the same figures, so that what a person sees stays the same.

#include "render/surface.h"
#include "render/raster.h"
#include "render/text_cache.h"

#include <gtest/gtest.h>
#include <QPainter>

#include <random>
#include <vector>

namespace {

constexpr int kW = 200, kH = 150;

// A surface of kW x kH pixels with one canvas unit to a pixel, or as many as asked.
struct PixelSurface {
    Surface s;
    explicit PixelSurface(double unitsPerPixel = 1) {
        s.Resize(kW, kH);
        s.SetPictureScale(0, 0, kW * unitsPerPixel, kH * unitsPerPixel);
    }
};

QImage Blank() {
    QImage image(kW, kH, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

std::vector<QPoint> PixelsOf(const QImage& image, QRgb colour) {
    std::vector<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == colour) points.emplace_back(x, y);
    return points;
}

// The largest distance (in whole pixels, per axis) from a pixel of one set to the nearest
// pixel of the other, both ways.
int Apart(const std::vector<QPoint>& a, const std::vector<QPoint>& b) {
    auto oneWay = [](const std::vector<QPoint>& from, const std::vector<QPoint>& to) {
        int worst = 0;
        for (const QPoint& p : from) {
            int best = 1 << 30;
            for (const QPoint& q : to)
                best = std::min(best, std::max(std::abs(p.x() - q.x()), std::abs(p.y() - q.y())));
            worst = std::max(worst, best);
        }
        return worst;
    };
    return std::max(oneWay(a, b), oneWay(b, a));
}

QImage PainterLine(QPoint a, QPoint b, int width) {
    QImage image = Blank();
    QPainter p(&image);
    QPen pen(QColor::fromRgb(kBlack));
    pen.setWidth(width);
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    p.setPen(pen);
    p.drawLine(a, b);
    return image;
}

}  // namespace

TEST(Surface, ThinLinesAreExactlyThePaintersPixels) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> x(-30, kW + 30), y(-30, kH + 30), near(-6, 6);
    for (int i = 0; i < 400; ++i) {
        // A point on the far edge itself is drawn on the last pixel, unlike the painter's.
        auto offEdge = [](int v, int size) { return v == size ? size + 1 : v; };
        const QPoint a(offEdge(x(random), kW), offEdge(y(random), kH));
        // Every fourth line short, down to a single point.
        const QPoint c =
            i % 4 == 0 ? a + QPoint(near(random), near(random)) : QPoint(x(random), y(random));
        const QPoint b(offEdge(c.x(), kW), offEdge(c.y(), kH));
        PixelSurface ours;
        ours.s.Line(a.x(), a.y(), b.x(), b.y(), kBlack);
        const QImage painted = PainterLine(a, b, 1);
        const QRect canvas(0, 0, kW, kH);
        // The painter cuts lines at the edge before it steps along them, which may move the
        // pixels of a line leaving the canvas by one.
        if (canvas.contains(a) && canvas.contains(b)) {
            ASSERT_EQ(ours.s.Image(), painted)
                << "(" << a.x() << ", " << a.y() << ") - (" << b.x() << ", " << b.y() << ")";
        } else {
            const auto mine = PixelsOf(ours.s.Image(), kBlack), theirs = PixelsOf(painted, kBlack);
            ASSERT_EQ(mine.empty(), theirs.empty())
                << "(" << a.x() << ", " << a.y() << ") - (" << b.x() << ", " << b.y() << ")";
            if (!mine.empty()) {
                EXPECT_LE(Apart(mine, theirs), 1) << i;
            }
        }
    }
}

TEST(Surface, LinesAlongARowOrAColumnAreExactlyThePaintersPixels) {
    // Such lines are written as runs of pixels rather than stepped along.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> x(0, kW - 1), y(0, kH - 1);
    for (int i = 0; i < 100; ++i) {
        const QPoint a(x(random), y(random));
        const QPoint b = i % 2 ? QPoint(x(random), a.y()) : QPoint(a.x(), y(random));
        PixelSurface ours;
        ours.s.Line(a.x(), a.y(), b.x(), b.y(), kBlack);
        ASSERT_EQ(ours.s.Image(), PainterLine(a, b, 1))
            << "(" << a.x() << ", " << a.y() << ") - (" << b.x() << ", " << b.y() << ")";
    }
}

TEST(Surface, WideLinesLieWhereThePainterDrawsThemWithinAPixel) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(0, kW - 1), y(0, kH - 1);
    for (int width : {2, 4}) {
        for (int i = 0; i < 40; ++i) {
            const QPoint a(x(random), y(random)), b(x(random), y(random));
            PixelSurface ours;
            ours.s.SetDrawWidth(width);
            ours.s.Line(a.x(), a.y(), b.x(), b.y(), kBlack);
            const auto mine = PixelsOf(ours.s.Image(), kBlack);
            const auto theirs = PixelsOf(PainterLine(a, b, width), kBlack);
            ASSERT_EQ(mine.empty(), theirs.empty()) << i;
            if (!mine.empty()) {
                EXPECT_LE(Apart(mine, theirs), 1) << "width " << width << " line " << i;
            }
            // About as many pixels: no gaps and no blobs.
            EXPECT_NEAR(double(mine.size()), double(theirs.size()), theirs.size() * 0.25 + 4) << i;
        }
    }
}

TEST(Surface, AWideStrokeIsAsWideAsThePen) {
    PixelSurface ours;
    ours.s.SetDrawWidth(4);
    ours.s.Line(20, 50, 180, 50, kRed);
    ours.s.Line(100, 10, 100, 40, kRed);
    int across = 0, down = 0;
    for (int y = 0; y < kH; ++y) across += (ours.s.Image().pixel(60, y) | 0xFF000000u) == kRed;
    for (int x = 0; x < kW; ++x) down += (ours.s.Image().pixel(x, 25) | 0xFF000000u) == kRed;
    EXPECT_EQ(across, 4);
    EXPECT_EQ(down, 4);
}

// A wide stroke is the round pen put down at every pixel of the one-pixel line, however it is
// written, and a clip only leaves some of those pixels out.
TEST(Surface, WideStrokesAreThePenAtEveryPixelOfTheLine) {
    std::mt19937 random(16);
    std::uniform_int_distribution<int> coordinate(-40, 240), width(2, 12), edge(0, kW - 1);
    for (int i = 0; i < 3000; ++i) {
        const QPoint a(coordinate(random), coordinate(random) * 3 / 4);
        const QPoint b = i % 3 == 0 ? a + QPoint(coordinate(random) % 9, coordinate(random) % 9)
                                    : QPoint(coordinate(random), coordinate(random) * 3 / 4);
        const raster::Pen pen(width(random));
        const int x0 = edge(random), x1 = edge(random), y0 = edge(random) % kH,
                  y1 = edge(random) % kH;
        const raster::Clip clip = i % 4 == 0 ? raster::Clip{0, 0, kW - 1, kH - 1}
                                             : raster::Clip{std::min(x0, x1), std::min(y0, y1),
                                                            std::max(x0, x1), std::max(y0, y1)};
        QImage drawn = Blank();
        raster::ThickLine(raster::SetWriter{drawn, kRed, clip}, a, b, pen);
        QImage stamped = Blank();
        raster::WalkLine(a, b, raster::Clip{-1000, -1000, 1000, 1000}, 0, [&](int x, int y) {
            for (int r = 0; r < pen.rows; ++r)
                for (int dx = pen.from[r]; dx <= pen.to[r]; ++dx)
                    if (clip.Contains(x + dx, y + pen.first + r))
                        stamped.setPixel(x + dx, y + pen.first + r, kRed);
        });
        ASSERT_EQ(drawn, stamped) << i << " width " << pen.width << " from " << a.x() << ","
                                  << a.y() << " to " << b.x() << "," << b.y();
    }
}

TEST(Surface, CirclesMatchThePainterWithinAPixelAndFillInside) {
    for (double r : {3.0, 10.5, 40.0, 90.0}) {
        PixelSurface ours;
        ours.s.SetFillStyle(FillStyle::Solid);
        ours.s.SetFillColour(kYellow);
        ours.s.Circle(100, 75, r, kBlack);
        QImage painted = Blank();
        {
            QPainter p(&painted);
            p.setPen(QColor::fromRgb(kBlack));
            p.drawEllipse(QPointF(100, 75), r, r);
        }
        EXPECT_LE(Apart(PixelsOf(ours.s.Image(), kBlack), PixelsOf(painted, kBlack)), 1) << r;
        EXPECT_EQ(ours.s.Image().pixel(100, 75) | 0xFF000000u, r > 2 ? kYellow : kBlack) << r;
        // Nothing yellow outside the rim.
        for (const QPoint& p : PixelsOf(ours.s.Image(), kYellow))
            ASSERT_LT(std::hypot(p.x() - 100.0, p.y() - 75.0), r) << r;
    }
}

TEST(Surface, PrintedTextsAreExactlyThePaintersPixels) {
    const QString texts[] = {QStringLiteral("12.5"), QStringLiteral("合計は"),
                             QStringLiteral("ｶﾀｶﾅ mod"), QStringLiteral("Wg_|")};
    for (const QString& text : texts) {
        for (bool bold : {false, true}) {
            for (bool underline : {false, true}) {
                PixelSurface ours(15);  // a point is 20 units: 12 points are 16 pixels
                ours.s.SetFont(bold, underline, 12);
                ours.s.SetTextColour(kBlue);
                ours.s.SetTextPosition(-45, 300);  // pixel (-3, 20), partly off the left edge
                ours.s.Print(text);
                // Printed twice at the same place: the cache's second use.
                ours.s.Print(text);

                QImage painted = Blank();
                {
                    const QFont font = TextCache::LabelFont(bold, underline, 16);  // 12 points
                    QPainter p(&painted);
                    p.setRenderHint(QPainter::TextAntialiasing, false);
                    p.setFont(font);
                    p.setPen(QColor::fromRgb(kBlue));
                    p.drawText(QPoint(-3, 20 + QFontMetrics(font).ascent()), text);
                }
                EXPECT_EQ(ours.s.Image(), painted) << text.toStdString() << bold << underline;
                EXPECT_FALSE(PixelsOf(painted, kBlue).empty());
            }
        }
    }
}

TEST(Surface, ExclusiveOrTextAndWideFiguresRestoreWhenDrawnTwice) {
    PixelSurface ours;
    ours.s.SetDrawWidth(4);
    ours.s.Line(0, 0, kW, kH, kBlack);
    ours.s.Circle(60, 60, 30, kRed);
    const QImage before = ours.s.Image().copy();
    ours.s.SetDrawMode(kDrawModeXor);
    auto figures = [&] {
        ours.s.Line(10, 140, 190, 12, kWhite);
        ours.s.Polyline(std::vector<PointRec>{{5, 5}, {100, 30}, {30, 120}}.data(), 3, kWhite);
        ours.s.Box(20, 20, 120, 90, kWhite);
        ours.s.Circle(100, 70, 50, kWhite);
        ours.s.SetFont(false, true, 1);  // a point is 20 pixels here
        ours.s.SetTextPosition(30, 40);
        ours.s.Print(QStringLiteral("文字 text"));
    };
    figures();
    EXPECT_NE(ours.s.Image(), before);
    figures();
    EXPECT_EQ(ours.s.Image(), before);
}
