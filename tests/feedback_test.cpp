#include "render/feedback.h"
#include "dialogs/arg_no_dialog.h"
#include "editor/connection_drawing.h"
#include "render/renderer.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <cmath>
#include <functional>
#include <memory>

namespace {

struct Feedback : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    int figures = 0;  // counts the figures of a test, to name the one that fails

    Surface& Back() { return p->canvas.Picture2; }
    QImage BackImage() { return Back().Image().copy(); }
    // The colour of the back canvas at a point in canvas units.
    QRgb BackAt(double x, double y) {
        const QImage& image = Back().Image();
        return image.pixel(int(std::lround(x / Back().UnitsPerPixelX())),
                           int(std::lround(y / Back().UnitsPerPixelY()))) |
               0xFF000000u;
    }
    int CountBack(QRgb colour, double x1, double y1, double x2, double y2) {
        const QImage& image = Back().Image();
        const double k = Back().UnitsPerPixelX();
        int n = 0;
        for (int y = int(y1 / k); y <= int(y2 / k); ++y)
            for (int x = int(x1 / k); x <= int(x2 / k); ++x)
                if (x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
                    (image.pixel(x, y) | 0xFF000000u) == colour)
                    ++n;
        return n;
    }

    // A diagram with grid, black lines, texts and circles to draw over.
    void BusyDiagram() {
        AddElement(p->st, kConstantNumber, "12", 1000, 1000, 400);
        AddElement(p->st, kPlus, "+", 3000, 2000, 500);
        AddElement(p->st, kVariableNumber, "x", 5000, 3000, 300);
        AddConnection(p->st, 1, 2, "1", {{2000, 1500}});
        AddConnection(p->st, 2, 3);
        RedrawDiagram(p->s, -1);
    }

    // Draws a figure once (it must change the picture) and again (it must restore it).
    void ExpectTwiceRestores(const std::function<void()>& draw, bool changes = true) {
        SCOPED_TRACE(++figures);
        const QImage before = BackImage();
        draw();
        if (changes) {
            EXPECT_NE(BackImage(), before) << "the figure drew nothing";
        }
        draw();
        EXPECT_EQ(BackImage(), before) << "drawing twice did not restore the picture";
    }
};

}  // namespace

TEST_F(Feedback, EveryExclusiveOrFigureDrawnTwiceLeavesThePictureAsItWas) {
    BusyDiagram();
    Surface& s = Back();
    ExpectTwiceRestores([&] { DrawXorLine(s, 200, 900, 5800, 3100); });
    ExpectTwiceRestores([&] { DrawXorLine(s, 3000, 100, 3000, 4000); });
    ExpectTwiceRestores([&] { DrawXorBox(s, 500, 500, 3000, 2000); });
    ExpectTwiceRestores([&] { DrawXorBox(s, 3500, 2500, -2000, -1500); });
    ExpectTwiceRestores([&] { DrawXorCircle(s, 3000, 2000, 500); });
    ExpectTwiceRestores([&] { DrawXorCircle(s, 1000, 1000, 1234.5); });
    s.SetDrawWidth(3);
    ExpectTwiceRestores([&] { DrawXorLine(s, 200, 900, 5800, 3100); });
    ExpectTwiceRestores([&] { DrawXorBox(s, 500, 500, 3000, 2000); });
    ExpectTwiceRestores([&] { DrawXorCircle(s, 3000, 2000, 700); });
}

TEST_F(Feedback, FiguresReachingBeyondTheCanvasAndOfNoSizeAlsoRestore) {
    BusyDiagram();
    Surface& s = Back();
    ExpectTwiceRestores([&] { DrawXorLine(s, -3000, 500, 90000, 7000); });
    ExpectTwiceRestores([&] { DrawXorLine(s, -500, 100, -500, 4000); }, false);
    ExpectTwiceRestores([&] { DrawXorBox(s, 5000, 3000, 4000, 4000); });
    ExpectTwiceRestores([&] { DrawXorCircle(s, 6000, 4000, 2500); });
    ExpectTwiceRestores([&] { DrawXorCircle(s, 3000, 2000, 50000); }, false);
    ExpectTwiceRestores([&] { DrawXorCircle(s, 2500, 2500, 0); });
    ExpectTwiceRestores([&] { DrawXorLine(s, 2500, 2500, 2500, 2500); });
    ExpectTwiceRestores([&] { DrawXorBox(s, 2500, 2500, 0, 0); });
}

TEST_F(Feedback, TheWhitePenInvertsWhiteToBlackAndBlackToWhite) {
    p->st.GridSize = 0;
    AddElement(p->st, kVariableNumber, "", 3000, 2000, 600);
    RedrawDiagram(p->s, -1);
    ASSERT_EQ(BackAt(2400, 2000), kBlack);
    DrawXorLine(Back(), 1000, 2000, 5000, 2000);
    EXPECT_EQ(BackAt(1500, 2000), kBlack);
    EXPECT_EQ(BackAt(2400, 2000), kWhite);
    // Nothing reaches the visible canvas until the caller publishes.
    EXPECT_EQ(p->Pixel(1500, 2000), kWhite);
}

TEST_F(Feedback, TheDrawModeIsPutBack) {
    Surface& s = Back();
    for (int mode : {kDrawModeCopyPen, kDrawModeXor}) {
        s.SetDrawMode(mode);
        DrawXorLine(s, 0, 0, 100, 100);
        EXPECT_EQ(s.DrawMode(), mode);
        DrawXorBox(s, 0, 0, 100, 100);
        EXPECT_EQ(s.DrawMode(), mode);
        DrawXorCircle(s, 500, 500, 100);
        EXPECT_EQ(s.DrawMode(), mode);
    }
}

TEST_F(Feedback, ABoxOverASolidFillIsAnOutlineOnly) {
    p->st.GridSize = 0;
    AddElement(p->st, kPlus, "", 3000, 2000, 300);
    RedrawDiagram(p->s, 1);  // the highlighted element was drawn last: the fill is solid
    ASSERT_EQ(Back().Fill(), FillStyle::Solid);
    DrawXorBox(Back(), 1000, 1000, 800, 600);
    EXPECT_EQ(BackAt(1000, 1300), kBlack);
    EXPECT_EQ(BackAt(1400, 1300), kWhite);
}

TEST_F(Feedback, APlainElementIsBlackEvenWhenSelectedAndIsNotPublished) {
    p->st.GridSize = 0;
    RedrawDiagram(p->s, -1);
    const int e = AddElement(p->st, kConstantNumber, "123", 3000, 2000, 600);
    p->st.SelKind = kSelElement;
    p->st.SelIndex = Integer(e);
    DrawElementPlain(p->s, e);
    EXPECT_EQ(BackAt(3600, 2000), kBlack);
    const ElementRec& rec = p->st.Diagram.Elements[e];
    EXPECT_GT(CountBack(kBlack, rec.TextX, rec.TextY, rec.TextX + 400, rec.TextY + 250), 5);
    EXPECT_EQ(CountBack(kBlue, 0, 0, 6255, 4215), 0);
    EXPECT_EQ(p->Pixel(3600, 2000), kWhite);
    // An index that names no element draws nothing.
    const QImage before = BackImage();
    DrawElementPlain(p->s, 0);
    DrawElementPlain(p->s, e + 1);
    DrawElementPlain(p->s, 101);
    EXPECT_EQ(BackImage(), before);
}

TEST_F(Feedback, AConnectionToAnOperatorAsksWhichInputWithNothingSelected) {
    p->st.GridSize = 0;
    RedrawDiagram(p->s, -1);
    AddElement(p->st, kConstantNumber, "1", 1000, 2000);
    AddElement(p->st, kPlus, "+", 4000, 2000);
    const int c = AddConnection(p->st, 1, 2, "7");
    ConnectionRec& conn = p->st.Diagram.Connections[c];
    conn.Font.Bold = true;
    conn.Font.Size = 12;
    conn.ArgTextX = 2000;
    conn.ArgTextY = 1000;
    p->ui.argNoScripts.push_back([&](ArgNoDialog& d) {
        EXPECT_EQ(p->st.ArgDialogConn, c);
        EXPECT_EQ(p->st.Diagram.Connections[c].ArgNo, "");
        EXPECT_EQ(d.List1, QStringList({"1", "2"}));
        EXPECT_EQ(d.ListIndex(), -1);
        EXPECT_TRUE(d.Check1);
        EXPECT_FALSE(d.Check2);
        EXPECT_EQ(d.Text3Text, "12");
        d.SetListIndex(1);
        d.Command1_Click();
    });
    PromptArgumentNumber(p->s, c);
    EXPECT_EQ(p->ui.argNoDialogs, 1);
    EXPECT_EQ(conn.ArgNo, "2");
    // The label is printed on the back canvas only.
    EXPECT_GT(CountBack(kBlack, 2000, 1000, 2300, 1300), 3);
    EXPECT_EQ(p->Pixel(2100, 1100), kWhite);
}

TEST_F(Feedback, AFunctionOffersOneEntryPerArgument) {
    AddElement(p->st, kConstantNumber, "1", 1000, 2000);
    const int f = AddElement(p->st, kFunction, "mod", 4000, 2000);
    p->st.Diagram.Elements[f].ArgCount = 4;
    const int c = AddConnection(p->st, 1, f);
    p->ui.argNoScripts.push_back([](ArgNoDialog& d) {
        EXPECT_EQ(d.List1, QStringList({"1", "2", "3", "4"}));
        d.Command2_Click();
    });
    PromptArgumentNumber(p->s, c);
    EXPECT_EQ(p->ui.argNoDialogs, 1);
    EXPECT_EQ(p->st.Diagram.Connections[c].ArgNo, "");
}

TEST_F(Feedback, TargetsWithoutAChoiceOfInputAskNothingAndGetAnEmptyLabel) {
    const int src = AddElement(p->st, kVariableNumber, "a", 1000, 1000);
    const int targets[] = {AddElement(p->st, kConstantNumber, "1", 3000, 1000),
                           AddElement(p->st, kConstantString, "s", 3000, 2000),
                           AddElement(p->st, kVariableNumber, "v", 3000, 3000),
                           AddElement(p->st, kVariableString, "w", 5000, 1000),
                           AddElement(p->st, kFunction, "sin", 5000, 2000)};
    p->st.Diagram.Elements[targets[2]].ArgCount = 5;  // a variable never asks, whatever its count
    for (int t : targets) {
        const int c = AddConnection(p->st, src, t, "3");
        PromptArgumentNumber(p->s, c);
        EXPECT_EQ(p->st.Diagram.Connections[c].ArgNo, "") << t;
    }
    EXPECT_EQ(p->ui.argNoDialogs, 0);
}

TEST_F(Feedback, WhileConnectingTheNewConnectionHasBareSegmentsOnly) {
    p->st.GridSize = 0;
    AddElement(p->st, kConstantNumber, "1", 1000, 1000);
    AddElement(p->st, kPlus, "+", 4000, 1000);
    AddElement(p->st, kVariableNumber, "x", 4000, 3000);
    AddConnection(p->st, 1, 2, "2");
    const int building = AddConnection(p->st, 2, 0, "", {{2000, 3000}});
    p->st.Diagram.Connections[building].X2 = 3000;
    p->st.Diagram.Connections[building].Y2 = 3500;
    p->st.Diagram.Connections[1].Active = -1;
    p->st.SelKind = kSelElement;
    p->st.SelIndex = 1;
    RedrawWhileConnecting(p->s);

    // Published, without purging the unfinished connection or showing a message.
    EXPECT_EQ(p->st.Diagram.ConnCount, 2);
    EXPECT_EQ(p->Pixel(1500, 1000), kBlack);  // connection 1, in black though active
    EXPECT_EQ(CountBack(kRed, 0, 0, 6255, 4215), 0);
    EXPECT_EQ(CountBack(kBlue, 0, 0, 6255, 4215), 0);
    EXPECT_GT(CountBack(kBlack, 3700 - 120, 900, 3700, 1100), 3);  // its arrowhead
    // The new connection: from its start to its bend point, and nothing after it.
    const ConnectionRec& b = p->st.Diagram.Connections[building];
    EXPECT_EQ(p->Pixel((b.X1 + 2000) / 2, (b.Y1 + 3000) / 2), kBlack);
    EXPECT_EQ(CountBack(kBlack, 2100, 3100, 2900, 3500), 0);
}

TEST_F(Feedback, WhileConnectingANewConnectionWithoutBendsDrawsNothing) {
    p->st.GridSize = 0;
    AddElement(p->st, kConstantNumber, "1", 1000, 2000);
    AddElement(p->st, kPlus, "+", 5000, 2000);
    const int c = AddConnection(p->st, 1, 0);
    p->st.Diagram.Connections[c].X2 = 4700;
    p->st.Diagram.Connections[c].Y2 = 2000;
    RedrawWhileConnecting(p->s);
    EXPECT_EQ(CountBack(kBlack, 1400, 1900, 4600, 2100), 0);
    EXPECT_GT(CountBack(kBlack, 1250, 1900, 1350, 2100), 3);  // the rim of element 1
    EXPECT_EQ(p->st.Diagram.ConnCount, 1);
}
