#include "editor/connection_drawing.h"
#include "editor/edit_menu.h"
#include "editor_support.h"
#include "model/diagram_edit.h"
#include "model/edit_state.h"
#include "render/renderer.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct Connecting : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    SharedState& st = p->st;
    int publishes = 0;

    void SetUp() override {
        AddElement(st, kConstantNumber, "3", 1000, 1000, 300);  // 1
        AddElement(st, kVariableNumber, "v", 4000, 1000, 300);  // 2
        AddElement(st, kPlus, "+", 4000, 3000, 300);            // 3
        AddElement(st, kConstantString, "s", 1000, 3000, 300);  // 4
        frmMain::mnuConect_Click(p->s);
        p->canvas.OnPublished = [this](const QRect&) { ++publishes; };
    }
    ConnectionRec& Drawn() { return st.Diagram.Connections[st.Diagram.ConnCount]; }
};

}  // namespace

TEST_F(Connecting, APressOffEveryElementIsIgnoredWithoutRefresh) {
    ASSERT_EQ(st.EditState, Editing::ConnectStart);
    p->canvas.Picture2.Clear();  // something to publish, should the press refresh
    Left(*p, 2500, 2000);
    EXPECT_EQ(st.EditState, Editing::ConnectStart);
    EXPECT_EQ(st.Diagram.ConnCount, 0);
    EXPECT_EQ(publishes, 0);
}

TEST_F(Connecting, AConnectionStartsFromACleanRecord) {
    st.Diagram.Connections[1].ToElem = 2;  // left over from an earlier connection
    st.Diagram.Connections[1].PointCount = 5;
    Left(*p, 1000, 1000);
    EXPECT_EQ(st.EditState, Editing::ConnectInside);
    ASSERT_EQ(st.Diagram.ConnCount, 1);
    EXPECT_EQ(Drawn().FromElem, 1);
    EXPECT_EQ(Drawn().ToElem, 0);
    EXPECT_EQ(Drawn().PointCount, 0);
}

TEST_F(Connecting, LeavingAndReenteringTheStartElementShowsAndHidesTheRubberLine) {
    Left(*p, 1000, 1000);
    const QImage clean = p->canvas.Picture1().copy();
    publishes = 0;
    Move(*p, 1100, 1000);  // still inside: nothing happens on the canvas
    EXPECT_EQ(st.EditState, Editing::ConnectInside);
    EXPECT_EQ(publishes, 0);
    Move(*p, 2000, 1000);
    EXPECT_EQ(st.EditState, Editing::ConnectRubber);
    EXPECT_EQ(st.AnchorX, 1300);
    EXPECT_EQ(st.AnchorY, 1000);
    EXPECT_NE(p->canvas.Picture1(), clean);
    Move(*p, 900, 1000);
    EXPECT_EQ(st.EditState, Editing::ConnectInside);
    EXPECT_EQ(p->canvas.Picture1(), clean);
    Move(*p, 1000, 2000);
    EXPECT_EQ(st.EditState, Editing::ConnectRubber);
    EXPECT_DOUBLE_EQ(st.AnchorX, 1000);
    EXPECT_DOUBLE_EQ(st.AnchorY, 1300);
    Left(*p, 1000, 1000);  // a press on the start element hides the line again
    EXPECT_EQ(st.EditState, Editing::ConnectInside);
    EXPECT_EQ(p->canvas.Picture1(), clean);
}

TEST_F(Connecting, AConstantIsRefusedAsTarget) {
    Left(*p, 1000, 1000);
    Move(*p, 2000, 1000);
    Left(*p, 1000, 3000);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({Tr(kNoInputOnConstants)}));
    EXPECT_EQ(st.EditState, Editing::ConnectRubber);
    Left(*p, 2000, 2000);
    Left(*p, 1000, 3000);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({Tr(kNoInputOnConstants)}));
    EXPECT_EQ(st.EditState, Editing::ConnectBends);
    EXPECT_EQ(Drawn().ToElem, 0);
}

TEST_F(Connecting, AStraightConnectionToAnOperatorAsksItsArgumentAndIsSelected) {
    Left(*p, 1000, 1000);
    Move(*p, 2000, 2000);
    p->ui.argNoScripts.push_back([](ArgNoDialog& d) {
        EXPECT_EQ(d.List1, QStringList({"1", "2"}));
        EXPECT_EQ(d.ListIndex(), -1);
        d.SetListIndex(1);
        d.Command1_Click();
    });
    Left(*p, 4000, 3000);
    EXPECT_EQ(p->ui.argNoDialogs, 1);
    ASSERT_EQ(st.Diagram.ConnCount, 1);
    const ConnectionRec& c = st.Diagram.Connections[1];
    EXPECT_EQ(c.ToElem, 3);
    EXPECT_EQ(c.ArgNo, "2");
    EXPECT_EQ(c.PointCount, 0);
    EXPECT_EQ(c.Font.Size, 8);
    // The label lies halfway between the start and the end point.
    EXPECT_DOUBLE_EQ(c.ArgTextX, (c.X1 + c.X2) / 2);
    EXPECT_DOUBLE_EQ(c.ArgTextY, (c.Y1 + c.Y2) / 2);
    EXPECT_NEAR(std::hypot(c.X1 - 1000, c.Y1 - 1000), 300, 1e-9);
    EXPECT_NEAR(std::hypot(c.X2 - 4000, c.Y2 - 3000), 300, 1e-9);
    EXPECT_EQ(st.EditState, Editing::ConnectStart);
    EXPECT_EQ(st.SelKind, kSelLine);
    EXPECT_EQ(st.SelIndex, 1);
    EXPECT_EQ(st.SelPoint, 0);
}

TEST_F(Connecting, ATargetWithOneInputGetsNoQuestionAndAnEmptyLabel) {
    Left(*p, 1000, 1000);
    Move(*p, 2000, 1000);
    Left(*p, 2000, 1000);  // bend at (2000, 1000)
    Left(*p, 4000, 1000);
    const ConnectionRec& c = st.Diagram.Connections[1];
    EXPECT_EQ(c.ToElem, 2);
    EXPECT_EQ(c.ArgNo, "");
    EXPECT_EQ(c.X1, 1300);
    EXPECT_EQ(c.X2, 3700);
    EXPECT_EQ(c.ArgTextX, 2850);  // halfway along the last segment
    EXPECT_EQ(p->ui.argNoDialogs, 0);
}

TEST_F(Connecting, RightPressesTakeBackBendsThenReturnToTheRubberLine) {
    Left(*p, 1000, 1000);
    Move(*p, 2000, 1000);
    Left(*p, 2000, 1000);
    Move(*p, 2000, 2000);
    Left(*p, 2000, 2000);
    ASSERT_EQ(Drawn().PointCount, 2);
    Right(*p, 2500, 2500);
    EXPECT_EQ(Drawn().PointCount, 1);
    EXPECT_EQ(st.EditState, Editing::ConnectBends);
    EXPECT_EQ(st.AnchorX, 2000);
    EXPECT_EQ(st.AnchorY, 1000);
    EXPECT_EQ(st.PointerX, 2500);
    Right(*p, 2500, 2500);
    EXPECT_EQ(Drawn().PointCount, 0);
    EXPECT_EQ(st.EditState, Editing::ConnectRubber);
    EXPECT_EQ(st.AnchorX, 1300);  // the start point on the rim
    // Moving again draws the rubber line from the rim facing the pointer.
    Move(*p, 1000, 2000);
    EXPECT_DOUBLE_EQ(st.AnchorY, 1300);
    Right(*p, 1000, 2000);  // abandon: the connection goes at once, without a word
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_EQ(st.Diagram.ConnCount, 0);
    frmMain::mnuEditRelease_Click(p->s);
    EXPECT_TRUE(p->ui.TakeMessages().isEmpty());
}

TEST_F(Connecting, AConnectionGivenUpByACommandGoesWithoutAMessageAndTheDiagramStays) {
    const int done = AddConnection(st, 2, 3, "1");
    RedrawDiagram(p->s, -1);
    const QImage drawn = p->canvas.Picture1();
    for (void (*command)(Session&) :
         {frmMain::mnuEditRelease_Click, frmMain::mnuConect_Click, frmMain::mnuEditRelease_Click}) {
        frmMain::mnuConect_Click(p->s);
        Left(*p, 1000, 1000);
        Move(*p, 1000, 2000);
        Left(*p, 1500, 2500);  // a bend
        ASSERT_EQ(st.Diagram.ConnCount, done + 1);
        command(p->s);
        EXPECT_TRUE(p->ui.TakeMessages().isEmpty());
        EXPECT_EQ(st.Diagram.ConnCount, done);
        EXPECT_EQ(p->canvas.Picture1(), drawn) << "the diagram as it was, nothing half drawn";
    }
    // A file's unfinished connection is still told of, over the diagram drawn without it.
    AddConnection(st, 1, 0);
    int blackDuringMessage = 0;
    p->ui.onMessage = [&](const QString&) {
        const QImage& shown = p->canvas.Picture1();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                blackDuringMessage += shown.pixel(x, y) == kBlack;
    };
    RedrawDiagram(p->s, -1);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({PurgeMessage(done + 1)}));
    EXPECT_GT(blackDuringMessage, 100) << "the diagram is drawn behind the message";
    EXPECT_EQ(p->canvas.Picture1(), drawn);
}

TEST_F(Connecting, ThirtyBendsAndNoThirtyFirst) {
    Left(*p, 1000, 1000);
    Move(*p, 1000, 1500);
    for (int k = 0; k < 30; ++k) Left(*p, 1500 + 100 * (k % 10), 2000 + 100 * (k / 10));
    ASSERT_EQ(Drawn().PointCount, 30);
    publishes = 0;
    Left(*p, 3000, 2500);
    EXPECT_EQ(Drawn().PointCount, 30);
    EXPECT_EQ(publishes, 0);
    Left(*p, 4000, 1000);  // an element still completes it
    EXPECT_EQ(st.Diagram.Connections[1].ToElem, 2);
    EXPECT_EQ(st.Diagram.Connections[1].PointCount, 30);
}

TEST_F(Connecting, AStartWithTheTableFullIsRefused) {
    for (int i = 0; i < kMaxConnections; ++i) AddConnection(st, 1, 2);
    st.EditState = Editing::ConnectStart;  // re-entered after the last completion
    Left(*p, 1000, 1000);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({Tr(kTooManyConnections)}));
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_EQ(st.Diagram.ConnCount, kMaxConnections);
}

TEST_F(Connecting, TheMenuCommandRefusesAFullTable) {
    for (int i = 0; i < kMaxConnections - 1; ++i) AddConnection(st, 1, 2);
    frmMain::mnuConect_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::ConnectStart);
    AddConnection(st, 1, 2);
    frmMain::mnuConect_Click(p->s);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({Tr(kTooManyConnections)}));
    EXPECT_EQ(st.EditState, Editing::Idle);
}

TEST_F(Connecting, AConnectionWithBendsMayEndOnItsOwnStart) {
    st.Diagram.Elements[1].Kind = kVariableNumber;
    Left(*p, 1000, 1000);
    Move(*p, 2000, 1000);
    Left(*p, 2000, 1000);
    Left(*p, 1000, 1000);
    EXPECT_EQ(st.Diagram.Connections[1].FromElem, 1);
    EXPECT_EQ(st.Diagram.Connections[1].ToElem, 1);
    EXPECT_EQ(st.EditState, Editing::ConnectStart);
}

TEST_F(Connecting, DrawingEndsWhenARedrawHasDroppedTheUnfinishedConnection) {
    const int done = AddConnection(st, 2, 3, "1", {{3000, 2000}});
    const ConnectionRec before = st.Diagram.Connections[done];
    Left(*p, 4000, 1000);
    Move(*p, 4000, 2000);
    Left(*p, 4500, 2000);  // a bend
    ASSERT_EQ(st.EditState, Editing::ConnectBends);
    RedrawDiagram(p->s, -1);  // as a run step does: the unfinished connection is dropped
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({PurgeMessage(2)}));
    Left(*p, 4500, 2500);
    EXPECT_EQ(st.EditState, Editing::Idle);
    ASSERT_EQ(st.Diagram.ConnCount, 1);
    EXPECT_EQ(st.Diagram.Connections[done], before);  // the finished connection is left alone
    // The same when the pointer moves first.
    frmMain::mnuConect_Click(p->s);
    Left(*p, 4000, 1000);
    Move(*p, 4000, 2000);
    ASSERT_EQ(st.EditState, Editing::ConnectRubber);
    RedrawDiagram(p->s, -1);
    p->ui.TakeMessages();
    Move(*p, 4500, 2000);
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_EQ(st.Diagram.Connections[done], before);
}
