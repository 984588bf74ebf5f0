#include "render/renderer.h"
#include "app/file_commands.h"
#include "model/diagram_edit.h"
#include "render/hit_test.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <cmath>
#include <memory>

namespace {

struct Renderer : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    const QImage& Shown() const { return p->canvas.Picture1(); }
    QRgb At(double x, double y) const { return p->Pixel(x, y); }
    // Counts the pixels of one colour in a box given in canvas units.
    int Count(QRgb colour, double x1, double y1, double x2, double y2) const {
        int n = 0;
        const double k = p->canvas.Picture2.UnitsPerPixelX();
        for (int y = int(y1 / k); y <= int(y2 / k); ++y)
            for (int x = int(x1 / k); x <= int(x2 / k); ++x)
                if (x >= 0 && y >= 0 && x < Shown().width() && y < Shown().height() &&
                    (Shown().pixel(x, y) | 0xFF000000u) == colour)
                    ++n;
        return n;
    }
};

}  // namespace

TEST_F(Renderer, GridLinesLieAtEveryMultipleOfTheGridSizeWithinTheCanvas) {
    ASSERT_EQ(Shown().width(), 417);
    ASSERT_EQ(Shown().height(), 281);
    // The start-up canvas is 6255 by 4215 units: lines at 0..6200 and 0..4200.
    for (int col = 0; col < Shown().width(); ++col) {
        bool line = false;
        for (int x = 0; x <= 6200; x += 100) line |= std::lround(x / 15.0) == col;
        EXPECT_EQ((Shown().pixel(col, 10) | 0xFF000000u) == kGridColour, line) << "column " << col;
    }
    for (int row = 0; row < Shown().height(); ++row) {
        bool line = false;
        for (int y = 0; y <= 4200; y += 100) line |= std::lround(y / 15.0) == row;
        EXPECT_EQ((Shown().pixel(10, row) | 0xFF000000u) == kGridColour, line) << "row " << row;
    }
}

TEST_F(Renderer, AGridSizeThatDividesTheWidthGetsALineOnTheRightEdge) {
    p->canvas.Resize(400, 200);
    p->st.GridSize = 1500;
    RedrawDiagram(p->s, -1);
    EXPECT_EQ(Shown().pixel(399, 50) | 0xFF000000u, kGridColour);  // 6000 = 4 x 1500
    EXPECT_EQ(Shown().pixel(398, 50) | 0xFF000000u, kWhite);
}

TEST_F(Renderer, NoGridWhenTheGridIsOffOrNegative) {
    for (Integer grid : {Integer(0), Integer(-100)}) {
        p->st.GridSize = grid;
        RedrawDiagram(p->s, -1);
        EXPECT_EQ(Count(kGridColour, 0, 0, 6255, 4215), 0) << grid;
    }
}

TEST_F(Renderer, GridDisplayWithTheGridOffDoesNotEvenPublish) {
    p->canvas.Picture2.Clear();
    p->st.GridSize = 0;
    int publishes = 0;
    p->canvas.OnPublished = [&](const QRect&) { ++publishes; };
    gridDisplay(p->s);
    EXPECT_EQ(publishes, 0);
    p->st.GridSize = 100;
    gridDisplay(p->s);
    EXPECT_EQ(publishes, 1);
}

TEST_F(Renderer, AHighlightedElementIsFilledYellowWithABlackRimEvenWhenSelected) {
    p->st.GridSize = 0;
    const int e = AddElement(p->st, kPlus, "", 2000, 2000, 600);
    p->st.SelKind = kSelElement;
    p->st.SelIndex = Integer(e);
    RedrawDiagram(p->s, e);
    EXPECT_EQ(At(2000, 2000), kYellow);
    EXPECT_GT(Count(kBlack, 1350, 1950, 1450, 2050), 0);
    EXPECT_EQ(Count(kBlue, 1300, 1300, 2700, 2700), 0);
    // Selected but not highlighted: a blue rim and an empty inside.
    RedrawDiagram(p->s, -1);
    EXPECT_EQ(At(2000, 2000), kWhite);
    EXPECT_GT(Count(kBlue, 1350, 1950, 1450, 2050), 0);
}

TEST_F(Renderer, AHighlightOutsideTheTableFillsNothing) {
    AddElement(p->st, kPlus, "", 2000, 2000, 600);
    for (int highlight : {-1, 0, 2, 101, 32767}) {
        RedrawDiagram(p->s, highlight);
        EXPECT_EQ(Count(kYellow, 0, 0, 6255, 4215), 0) << highlight;
    }
}

TEST_F(Renderer, AnActiveConnectionIsRedAndFourPixelsWideEvenWhenSelected) {
    p->st.GridSize = 0;
    AddElement(p->st, kConstantNumber, "", 1000, 2000, 300);
    AddElement(p->st, kVariableNumber, "", 5000, 2000, 300);
    const int c = AddConnection(p->st, 1, 2, "", {{3000, 2000}});
    p->st.Diagram.Connections[c].Active = -1;
    p->st.SelKind = kSelPoint;
    p->st.SelIndex = Integer(c);
    p->st.SelPoint = 1;
    RedrawDiagram(p->s, -1);
    // A vertical cut through the line at x = 2000 meets 4 red pixels.
    EXPECT_EQ(Count(kRed, 2000, 1800, 2000, 2200), 4);
    EXPECT_EQ(Count(kBlue, 0, 0, 6255, 4215), 0);
}

TEST_F(Renderer, ASelectedConnectionIsBlueWithARedMarkerOnItsSelectedPoint) {
    p->st.GridSize = 0;
    AddElement(p->st, kConstantNumber, "", 1000, 2000, 300);
    AddElement(p->st, kVariableNumber, "", 5000, 2000, 300);
    const int c = AddConnection(p->st, 1, 2, "", {{2500, 2000}, {3500, 3000}});
    p->st.SelKind = kSelPoint;
    p->st.SelIndex = Integer(c);
    p->st.SelPoint = 2;
    RedrawDiagram(p->s, -1);
    EXPECT_EQ(At(3500 - 25, 3000 + 25), kRed);
    EXPECT_EQ(At(2500 + 25, 2000 - 25), kWhite);
    EXPECT_GT(Count(kBlue, 1500, 1900, 2200, 2100), 0);
    // On its last segment ("線選択" with PointCount + 1) the line is blue without a marker.
    p->st.SelKind = kSelLine;
    p->st.SelPoint = 3;
    RedrawDiagram(p->s, -1);
    EXPECT_EQ(Count(kRed, 0, 0, 6255, 4215), 0);
    EXPECT_GT(Count(kBlue, 0, 0, 6255, 4215), 0);
}

TEST_F(Renderer, ElementsLieOverConnections) {
    p->st.GridSize = 0;
    AddElement(p->st, kConstantNumber, "", 1000, 2000, 300);
    AddElement(p->st, kVariableNumber, "", 5000, 2000, 300);
    const int c = AddConnection(p->st, 1, 2);
    p->st.Diagram.Connections[c].Active = -1;
    p->st.Diagram.Connections[c].X1 = 1000;  // the line starts inside the circle
    RedrawDiagram(p->s, 1);
    EXPECT_EQ(At(1150, 2000), kYellow);
}

TEST_F(Renderer, LabelsFollowTheTextSelection) {
    p->st.GridSize = 0;
    AddElement(p->st, kConstantNumber, "12345", 2000, 2000, 600);
    RedrawDiagram(p->s, -1);
    const double left = p->st.Diagram.Elements[1].TextX, top = p->st.Diagram.Elements[1].TextY;
    EXPECT_GT(Count(kBlack, left, top, left + 2000, top + 300), 10);
    p->st.SelKind = kSelElementText;
    p->st.SelIndex = 1;
    RedrawDiagram(p->s, -1);
    EXPECT_EQ(Count(kBlack, left, top, left + 600, top + 300), 0);
    EXPECT_GT(Count(kBlue, left, top, left + 600, top + 300), 10);
}

TEST_F(Renderer, UnfinishedConnectionsArePurgedWithOneMessageEach) {
    for (int i = 0; i < 3; ++i) AddElement(p->st, kVariableNumber, "", 1000 + 1500 * i, 2000);
    AddConnection(p->st, 1, 2, "a");
    AddConnection(p->st, 1, 0, "b");
    AddConnection(p->st, 2, 0, "c");
    AddConnection(p->st, 2, 3, "d");
    QStringList canvasDuringMessage;
    p->ui.onMessage = [&](const QString&) {
        canvasDuringMessage << (p->Pixel(1000, 2000 - 300) == kBlack ? "diagram" : "other");
    };
    RedrawDiagram(p->s, -1);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({PurgeMessage(2), PurgeMessage(2)}));
    EXPECT_TRUE(PurgeMessage(2).endsWith("削除します。i=2"));
    ASSERT_EQ(p->st.Diagram.ConnCount, 2);
    EXPECT_EQ(p->st.Diagram.Connections[1].ArgNo, "a");
    EXPECT_EQ(p->st.Diagram.Connections[2].ArgNo, "d");
    // The canvas shows the diagram, without the dropped connections, while the message is up.
    EXPECT_EQ(canvasDuringMessage, QStringList({"diagram", "diagram"}));
}

TEST(DirectionAngle, AgreesWithAtan2UpToWholeTurns) {
    for (double dx : {-3.0, -1.0, 0.0, 0.5, 2.0})
        for (double dy : {-2.0, -0.5, 0.0, 1.0, 3.0}) {
            if (dx == 0 && dy == 0) continue;
            const double a = DirectionAngle(dx, dy);
            EXPECT_NEAR(std::cos(a), std::cos(std::atan2(dy, dx)), 1e-12);
            EXPECT_NEAR(std::sin(a), std::sin(std::atan2(dy, dx)), 1e-12);
        }
    EXPECT_EQ(DirectionAngle(0, 0), 0);
    EXPECT_EQ(DirectionAngle(5e-8, -5e-8), 0);
}

TEST(DirectionAngle, AZeroLengthSegmentGetsAHeadPointingAlongX) {
    const double theta = DirectionAngle(0, 0);
    const double h = 3.14159265358979 / 6;
    EXPECT_NEAR(-120 * std::cos(theta - h), -103.923, 1e-3);
    EXPECT_NEAR(-120 * std::sin(theta - h), 60, 1e-9);
    EXPECT_NEAR(-120 * std::sin(theta + h), -60, 1e-9);
}

TEST(SharpCanvas, AtADevicePixelRatioOfTwoTheSampleHasDetailFinerThanTwoPixelsAndHitsAsBefore) {
    const auto Loaded = [](double ratio) {
        auto p = std::make_unique<TestProgram>(false);
        p->frm.DevicePixelRatio = ratio;
        p->program.Start();
        EXPECT_TRUE(LoadDiagram(p->s, QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn")));
        return p;
    };
    const auto one = Loaded(1), two = Loaded(2);
    const QImage& sharp = two->canvas.Picture1();
    ASSERT_EQ(sharp.size(), one->canvas.Picture1().size() * 2);
    // Blocks of 2 × 2 device pixels that are not of one colour: the picture is no doubled one.
    const auto MixedBlocks = [&sharp](double x1, double y1, double x2, double y2) {
        int mixed = 0;
        for (int y = int(y1 / 7.5) & ~1; y < int(y2 / 7.5); y += 2)
            for (int x = int(x1 / 7.5) & ~1; x < int(x2 / 7.5); x += 2) {
                const QRgb c = sharp.pixel(x, y);
                mixed += sharp.pixel(x + 1, y) != c || sharp.pixel(x, y + 1) != c ||
                         sharp.pixel(x + 1, y + 1) != c;
            }
        return mixed;
    };
    EXPECT_GT(MixedBlocks(2700, 1150, 3300, 1450), 10) << "the label 合計";
    EXPECT_GT(MixedBlocks(1500, 1000, 2100, 1600), 10) << "the ring of the first +";
    EXPECT_GT(MixedBlocks(850, 1500, 1550, 1900), 4) << "the slanted connection 4 → +";
    // Lines of one pixel of the desktop are two device pixels wide.
    int gridWidth = 0;  // the line at x = 100, in a row of nothing else
    for (int x = 8; x <= 18; ++x) gridWidth += (sharp.pixel(x, 101) | 0xFF000000u) == kGridColour;
    EXPECT_EQ(gridWidth, 2);
    // Hit-testing is in canvas units: the same everywhere.
    for (double y = 0; y < 4200; y += 37)
        for (double x = 0; x < 6200; x += 41) {
            const Hit a = FindHit(one->st.Diagram, float(x), float(y));
            const Hit b = FindHit(two->st.Diagram, float(x), float(y));
            ASSERT_TRUE(a.kind == b.kind && a.index == b.index && a.point == b.point)
                << x << "," << y;
        }
    // A snapshot keeps the canvas's size in the desktop's pixels: the picture of a ratio of 1.
    EXPECT_EQ(CanvasPicture(two->s), one->canvas.Picture2.Image());
}
