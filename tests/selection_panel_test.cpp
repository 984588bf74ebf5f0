#include "dialogs/selection_panel.h"
#include "editor/edit_states.h"
#include "editor_support.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct Panel : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    SharedState& st = p->st;
    void SetUp() override {
        AddElement(st, kConstantNumber, "1", 1000, 1000, 300);  // 1
        AddElement(st, kVariableNumber, "v", 3000, 1000, 300);  // 2
        AddElement(st, kVariableNumber, "w", 5000, 1000, 300);  // 3
        p->frm.Frame1Visible = true;
    }
    void Select(const QString& kind, int index, int point = 0) {
        st.SelKind = kind;
        st.SelIndex = Integer(index);
        st.SelPoint = Integer(point);
    }
};

}  // namespace

TEST_F(Panel, DeletingAnElementRenumbersTheConnectionsAndSelectsItsSuccessor) {
    AddConnection(st, 1, 3);
    AddConnection(st, 1, 2);
    AddConnection(st, 2, 3);
    Select(kSelElementText, 2);
    Command7_Click(p->s);
    ASSERT_EQ(st.ElemCount, 2);
    EXPECT_EQ(st.Elements[2].Text, "w");
    ASSERT_EQ(st.ConnCount, 1);
    EXPECT_EQ(st.Connections[1].FromElem, 1);
    EXPECT_EQ(st.Connections[1].ToElem, 2);
    EXPECT_EQ(st.SelKind, kSelElement);
    EXPECT_EQ(st.SelIndex, 2);
    EXPECT_FALSE(p->frm.Frame1Visible);
}

TEST_F(Panel, DeletingTheLastElementSelectsTheNewLastAndTheOnlyOneClearsTheSelection) {
    Select(kSelElement, 3);
    Command7_Click(p->s);
    EXPECT_EQ(st.SelIndex, 2);
    Command7_Click(p->s);
    Command7_Click(p->s);
    EXPECT_EQ(st.ElemCount, 0);
    EXPECT_EQ(st.SelKind, "");
}

TEST_F(Panel, DeletingTheLastBendPointStraightensTheConnectionAndClearsTheSelection) {
    const int c = AddConnection(st, 1, 2, "", {{2000, 2000}});
    Select(kSelPoint, c, 1);
    st.EditState = kMovePoint;
    Command5_Click(p->s);
    const ConnectionRec& con = st.Connections[c];
    EXPECT_EQ(con.PointCount, 0);
    EXPECT_EQ(st.SelKind, "");
    EXPECT_EQ(st.EditState, kIdle);
    EXPECT_DOUBLE_EQ(con.X1, 1300);
    EXPECT_DOUBLE_EQ(con.X2, 2700);
    // The label goes halfway between the source's centre and the arrow end.
    EXPECT_DOUBLE_EQ(con.ArgTextX, (1000 + 2700) * 0.5);
    EXPECT_FALSE(p->frm.Frame1Visible);
}

TEST_F(Panel, DeletingTheLastOfThreeBendPointsSelectsTheSecond) {
    const int c = AddConnection(st, 1, 3, "", {{2000, 2000}, {3000, 2500}, {4000, 2000}});
    Select(kSelPoint, c, 3);
    Command5_Click(p->s);
    EXPECT_EQ(st.Connections[c].PointCount, 2);
    EXPECT_EQ(st.SelKind, kSelPoint);
    EXPECT_EQ(st.SelPoint, 2);
}

TEST_F(Panel, DeletingAMiddleBendPointClosesUpTheOthers) {
    const int c = AddConnection(st, 1, 3, "", {{2000, 2000}, {3000, 2500}, {4000, 2000}});
    Select(kSelPoint, c, 2);
    Command5_Click(p->s);
    EXPECT_EQ(st.Connections[c].PointCount, 2);
    EXPECT_EQ(st.Connections[c].Points[2], (PointRec{4000, 2000}));
    EXPECT_EQ(st.SelPoint, 2);
    EXPECT_EQ(st.SelKind, kSelPoint);
}

TEST_F(Panel, DeletingAConnectionMovesTheLaterOnesDown) {
    AddConnection(st, 1, 2, "a");
    AddConnection(st, 2, 3, "b");
    AddConnection(st, 1, 3, "c");
    Select(kSelLine, 2, 1);
    Command6_Click(p->s);
    ASSERT_EQ(st.ConnCount, 2);
    EXPECT_EQ(st.Connections[2].ArgNo, "c");
    EXPECT_EQ(st.SelKind, "");
    EXPECT_EQ(st.ElemCount, 3);
}

TEST_F(Panel, DeletingAConnectionWhenThereIsNoneLeavesThePanelOpen) {
    Select(kSelLine, 1, 1);
    Command6_Click(p->s);
    EXPECT_TRUE(p->frm.Frame1Visible);
}

TEST_F(Panel, MoveCommandsStartTheirMoveOnlyForTheirKindOfSelection) {
    const int c = AddConnection(st, 1, 2, "", {{2000, 2000}});
    Select(kSelLine, c, 1);
    Command9_Click(p->s);
    EXPECT_EQ(st.EditState, kIdle);
    EXPECT_FALSE(p->frm.Frame1Visible);
    Command8_Click(p->s);
    EXPECT_EQ(st.EditState, kMovePoint);
    EXPECT_EQ(st.AnchorX, 2000);
    EXPECT_EQ(st.PointerY, 2000);
    st.EditState = kIdle;
    Select(kSelElement, 2);
    Command8_Click(p->s);
    EXPECT_EQ(st.EditState, kIdle);
    Command9_Click(p->s);
    EXPECT_EQ(st.EditState, kMoveElement);
    EXPECT_EQ(st.AnchorX, 3000);
    // The canvas finishes the move with the next press.
    Left(*p, 3000, 3000);
    EXPECT_EQ(st.Elements[2].Y, 3000);
}

TEST_F(Panel, MovingThePointOfALastSegmentOfAFullConnectionDoesNothing) {
    const int c = AddConnection(st, 1, 2);
    st.Connections[c].PointCount = kMaxPoints;
    Select(kSelLine, c, kMaxPoints + 1);
    Command8_Click(p->s);
    EXPECT_EQ(st.EditState, kIdle);
    EXPECT_FALSE(p->frm.Frame1Visible);
}

TEST_F(Panel, CancelOnlyHidesThePanel) {
    Select(kSelElement, 1);
    Command10_Click(p->s);
    EXPECT_FALSE(p->frm.Frame1Visible);
    EXPECT_EQ(st.ElemCount, 3);
    EXPECT_EQ(st.SelKind, kSelElement);
}

TEST_F(Panel, DeletingAnElementBeingMovedEndsTheMove) {
    Left(*p, 3000, 1200);  // picks up element 2 while the panel is still open
    ASSERT_EQ(st.EditState, kMoveElement);
    Command7_Click(p->s);
    EXPECT_EQ(st.EditState, kIdle);
    Left(*p, 3000, 3000);  // the element that took its place stays where it is
    EXPECT_EQ(st.Elements[2].Text, "w");
    EXPECT_EQ(st.Elements[2].X, 5000);
    EXPECT_EQ(st.Elements[2].Y, 1000);
}
