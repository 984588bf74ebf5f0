#include "render/hit_test.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <cmath>
#include <memory>
#include <random>
#include <tuple>

namespace {

struct HitTesting : ::testing::Test {
    std::unique_ptr<SharedState> st = std::make_unique<SharedState>();

    // What a press at (x, y) selects, starting from no selection.
    QString At(double x, double y) {
        st->SelKind.clear();
        HitTest(*st, float(x), float(y));
        return st->SelKind;
    }

    // An element whose text box lies away from its circle unless placed otherwise.
    int Element(double x, double y, double r, const QString& text, double textX, double textY,
                int size = 10) {
        const int i = AddElement(*st, kVariableNumber, text, x, y, r);
        st->Diagram.Elements[i].TextX = textX;
        st->Diagram.Elements[i].TextY = textY;
        st->Diagram.Elements[i].Font.Size = Integer(size);
        return i;
    }

    // A connection between two far-away elements, with its label out of the way.
    int Connection(double x1, double y1, double x2, double y2,
                   std::initializer_list<PointRec> bends = {}, const QString& argNo = QString()) {
        if (st->Diagram.ElemCount == 0) {
            AddElement(*st, kVariableNumber, "", -50000, -50000, 10);
            AddElement(*st, kPlus, "", 50000, 50000, 10);
        }
        const int c = AddConnection(*st, 1, 2, argNo, bends);
        ConnectionRec& rec = st->Diagram.Connections[c];
        rec.X1 = x1, rec.Y1 = y1, rec.X2 = x2, rec.Y2 = y2;
        rec.ArgTextX = 90000, rec.ArgTextY = 90000;
        return c;
    }
};

}  // namespace

TEST_F(HitTesting, TheFirstElementInIndexOrderWins) {
    Element(1000, 1000, 500, "", 0, 0);
    Element(1200, 1000, 500, "abc", 1100, 900);  // its text box covers the point too
    EXPECT_EQ(At(1150, 1000), kSelElement);
    EXPECT_EQ(st->SelIndex, 1);
    EXPECT_EQ(At(1600, 1000), kSelElement);  // outside element 1, inside element 2
    EXPECT_EQ(st->SelIndex, 2);
}

TEST_F(HitTesting, AnElementsTextIsTestedBeforeItsCircle) {
    Element(1000, 1000, 500, "abc", 900, 950);
    EXPECT_EQ(At(1000, 1000), kSelElementText);
    EXPECT_EQ(At(1000, 1300), kSelElement);
    EXPECT_EQ(st->SelIndex, 1);
}

TEST_F(HitTesting, TheCircleIsHitStrictlyInsideItsRadius) {
    Element(1000, 1000, 500, "", 0, 0);
    EXPECT_EQ(At(1499, 1000), kSelElement);
    EXPECT_EQ(At(1500, 1000), "");
    EXPECT_EQ(At(1000, 500), "");
}

TEST_F(HitTesting, TheElementTextBoxIsCharactersTimesSizeTimesTwelveWithItsBounds) {
    // Three characters at size 10: 360 wide and 120 high.
    Element(-9000, -9000, 10, "abc", 1000, 2000, 10);
    for (auto [x, y] :
         {std::pair{1000.0, 2000.0}, {1360.0, 2000.0}, {1000.0, 2120.0}, {1360.0, 2120.0}})
        EXPECT_EQ(At(x, y), kSelElementText) << x << "," << y;
    for (auto [x, y] :
         {std::pair{999.0, 2000.0}, {1361.0, 2000.0}, {1000.0, 2121.0}, {1200.0, 1999.0}})
        EXPECT_EQ(At(x, y), "") << x << "," << y;
    // A double-byte text counts its characters, not its width.
    st->Diagram.Elements[1].Text = QStringLiteral("変数");
    EXPECT_EQ(At(1240, 2000), kSelElementText);
    EXPECT_EQ(At(1241, 2000), "");
}

TEST_F(HitTesting, ALabelBoxIsWidthUnitsTimesSizeTimesEightAndSizeTimesSixteenHigh) {
    const int c = Connection(0, 9000, 100, 9000, {}, "12");
    ConnectionRec& rec = st->Diagram.Connections[c];
    rec.ArgTextX = 1000, rec.ArgTextY = 2000;
    rec.Font.Size = 8;  // two digits: 128 by 128
    EXPECT_EQ(At(1128, 2128), kSelArgText);
    EXPECT_EQ(st->SelIndex, c);
    EXPECT_EQ(At(1000, 2000), kSelArgText);
    EXPECT_EQ(At(1129, 2000), "");
    EXPECT_EQ(At(1000, 2129), "");
    // A full-width label counts two units a character.
    rec.ArgNo = QStringLiteral("１");
    EXPECT_EQ(At(1128, 2000), kSelArgText);
}

TEST_F(HitTesting, HugeFontSizesDoNotWrapTheBoxes) {
    Element(-9000, -9000, 10, "abc", 0, 0, 32767);
    EXPECT_EQ(At(1000000, 300000), kSelElementText);
    EXPECT_EQ(At(-1, 0), "");
}

TEST_F(HitTesting, ALabelWinsOverAnEarlierBendPointWithinReach) {
    const int first = Connection(0, 1000, 4000, 1000, {{2000, 2000}});
    const int second = Connection(0, 3000, 4000, 3000, {}, "1");
    st->Diagram.Connections[second].ArgTextX = 2010;
    st->Diagram.Connections[second].ArgTextY = 2010;
    EXPECT_EQ(At(2020, 2020), kSelArgText);
    EXPECT_EQ(st->SelIndex, second);
    EXPECT_EQ(At(1990, 1990), kSelPoint);
    EXPECT_EQ(st->SelIndex, first);
}

TEST_F(HitTesting, ABendPointWithinReachWinsOverANearerSegment) {
    // Bend point 2 at (2000, 1000); the segment from it to bend point 3 runs along y = 1000.
    Connection(0, 1000, 6000, 1000, {{1000, 3000}, {2000, 1000}, {4000, 1000}});
    EXPECT_EQ(At(2040, 1010), kSelPoint);  // 41 from the point, 5 from the segment's line
    EXPECT_EQ(st->SelPoint, 2);
    EXPECT_EQ(At(2300, 1010), kSelLine);
    EXPECT_EQ(st->SelPoint, 3);
}

TEST_F(HitTesting, SixtyUnitsOffTheMiddleOfASegmentIsWithinReachButSixtyBeyondItsEndIsNot) {
    const int c = Connection(1000, 2000, 5000, 2000);
    EXPECT_EQ(At(3000, 2060), kSelLine);
    EXPECT_EQ(st->SelIndex, c);
    EXPECT_EQ(st->SelPoint, 1);
    EXPECT_EQ(At(3000, 2099), kSelLine);
    EXPECT_EQ(At(3000, 2100), "");
    EXPECT_EQ(At(5060, 2000), "");
    EXPECT_EQ(At(5049, 2000), kSelLine);
    EXPECT_EQ(At(940, 2000), "");
}

TEST_F(HitTesting, TheLastSegmentIsNumberedOnePastTheBendPoints) {
    Connection(0, 1000, 4000, 1000, {{1000, 1000}, {2000, 1000}});
    EXPECT_EQ(At(3000, 1020), kSelLine);
    EXPECT_EQ(st->SelPoint, 3);
    EXPECT_EQ(At(500, 1020), kSelLine);
    EXPECT_EQ(st->SelPoint, 1);
}

TEST_F(HitTesting, OnEqualDistancesTheEarlierConnectionKeepsIt) {
    Connection(0, 1000, 4000, 1000);
    const int second = Connection(0, 1040, 4000, 1040);
    EXPECT_EQ(At(2000, 1020), kSelLine);
    EXPECT_EQ(st->SelIndex, 1);
    EXPECT_EQ(At(2000, 1021), kSelLine);
    EXPECT_EQ(st->SelIndex, second);
}

TEST_F(HitTesting, NothingHitLeavesTheSelectionAsItWas) {
    Element(1000, 1000, 300, "", 0, 0);
    Connection(0, 3000, 4000, 3000, {{2000, 3000}});
    st->SelKind = kSelLine;
    st->SelIndex = 7;
    st->SelPoint = 9;
    HitTest(*st, 5000, 200);
    EXPECT_EQ(st->SelKind, kSelLine);
    EXPECT_EQ(st->SelIndex, 7);
    EXPECT_EQ(st->SelPoint, 9);
    // An element hit keeps the old point index.
    HitTest(*st, 1000, 1000);
    EXPECT_EQ(st->SelKind, kSelElement);
    EXPECT_EQ(st->SelPoint, 9);
}

TEST(PointSegmentDistance, IsHalfTheDistanceFromTheLineAlongTheSegment) {
    EXPECT_DOUBLE_EQ(PointSegmentDistance(0, 0, 1000, 0, 500, 60), 30);
    EXPECT_DOUBLE_EQ(PointSegmentDistance(0, 0, 1000, 0, 500, -60), 30);
    EXPECT_DOUBLE_EQ(PointSegmentDistance(0, 0, 0, 1000, 80, 400), 40);
    // Diagonal: the perpendicular distance of (0, 100) from y = x is 100 / sqrt 2.
    EXPECT_NEAR(PointSegmentDistance(0, 0, 1000, 1000, 0, 100), 50 / std::sqrt(2.0), 1e-9);
    // The same whichever way the segment runs.
    EXPECT_DOUBLE_EQ(PointSegmentDistance(1000, 0, 0, 0, 500, 60), 30);
}

TEST(PointSegmentDistance, BeyondTheEndsIsTheDistanceToTheNearerEnd) {
    EXPECT_DOUBLE_EQ(PointSegmentDistance(0, 0, 1000, 0, 1060, 0), 60);
    EXPECT_DOUBLE_EQ(PointSegmentDistance(0, 0, 1000, 0, -30, 40), 50);
    EXPECT_DOUBLE_EQ(PointSegmentDistance(1000, 0, 0, 0, -30, 40), 50);
    EXPECT_DOUBLE_EQ(PointSegmentDistance(0, 1000, 0, 0, 30, -40), 50);
    // The ends themselves count as within the range.
    EXPECT_DOUBLE_EQ(PointSegmentDistance(0, 0, 1000, 0, 1000, 80), 40);
}

TEST(PointSegmentDistance, ATinySegmentIsMeasuredFromItsSecondEnd) {
    EXPECT_DOUBLE_EQ(PointSegmentDistance(0, 0, 0.01, 0.02, 30.01, 40.02), 50);
    EXPECT_DOUBLE_EQ(PointSegmentDistance(5, 5, 5, 5, 8, 9), 5);
}

// Bend points and segments out of reach are passed by without being measured. Around a dense
// tangle of connections, every point selects what measuring each of them would select.
TEST_F(HitTesting, PassingByWhatIsOutOfReachSelectsWhatMeasuringEverythingWould) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> coordinate(0, 3000), jitter(-120, 120);
    for (int j = 0; j < 40; ++j) {
        std::initializer_list<PointRec> none = {};
        const int c = Connection(coordinate(random), coordinate(random), coordinate(random),
                                 coordinate(random), none);
        ConnectionRec& rec = st->Diagram.Connections[c];
        rec.PointCount = Integer(j % 31);
        for (int k = 1; k <= rec.PointCount; ++k)
            rec.Points[k] = {coordinate(random), coordinate(random)};
        if (j % 5 == 0 && rec.PointCount > 1)
            rec.Points[2] = rec.Points[1];  // a segment of no length
    }
    // Measures every bend point and segment, as the selection rule is written.
    auto reference = [&](double px, double py) -> std::tuple<QString, int, int> {
        double bestPoint = -1, bestSegment = -1;
        int pointAt[2] = {0, 0}, segmentAt[2] = {0, 0};
        for (int i = 1; i <= st->Diagram.ConnCount; ++i) {
            const ConnectionRec& r = st->Diagram.Connections[i];
            double x = r.X1, y = r.Y1;
            for (int k = 1; k <= r.PointCount + 1; ++k) {
                const double bx = k <= r.PointCount ? r.Points[k].X : r.X2;
                const double by = k <= r.PointCount ? r.Points[k].Y : r.Y2;
                if (k <= r.PointCount) {
                    const double d = std::sqrt((px - bx) * (px - bx) + (py - by) * (py - by));
                    if (bestPoint < 0 || d < bestPoint)
                        bestPoint = d, pointAt[0] = i, pointAt[1] = k;
                }
                const double e = PointSegmentDistance(x, y, bx, by, px, py);
                if (bestSegment < 0 || e < bestSegment)
                    bestSegment = e, segmentAt[0] = i, segmentAt[1] = k;
                x = bx, y = by;
            }
        }
        if (bestPoint >= 0 && bestPoint < 50) return {kSelPoint, pointAt[0], pointAt[1]};
        if (bestSegment >= 0 && bestSegment < 50) return {kSelLine, segmentAt[0], segmentAt[1]};
        return {QString(), 0, 0};
    };
    int hits = 0;
    for (int n = 0; n < 20000; ++n) {
        // Most points near a bend point, so that near misses and ties of reach are common.
        const ConnectionRec& r = st->Diagram.Connections[1 + n % st->Diagram.ConnCount];
        const PointRec& near = r.Points[r.PointCount > 0 ? 1 + n % r.PointCount : 0];
        const double px = float(n % 3 ? near.X + jitter(random) : coordinate(random));
        const double py = float(n % 3 ? near.Y + jitter(random) : coordinate(random));
        st->SelKind.clear();
        st->SelIndex = 0;
        st->SelPoint = 0;
        HitTest(*st, float(px), float(py));
        const auto [kind, index, k] = reference(px, py);
        ASSERT_EQ(st->SelKind, kind) << px << ", " << py;
        if (kind.isEmpty()) continue;
        ++hits;
        ASSERT_EQ(st->SelIndex, index) << px << ", " << py;
        ASSERT_EQ(st->SelPoint, k) << px << ", " << py;
    }
    EXPECT_GT(hits, 2000);
}
