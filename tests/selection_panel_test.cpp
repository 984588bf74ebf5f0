#include "editor/selection_panel.h"
#include "editor_support.h"
#include "engine/run_control.h"
#include "model/edit_state.h"

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
    frmMain::Command7_Click(p->s);
    ASSERT_EQ(st.Diagram.ElemCount, 2);
    EXPECT_EQ(st.Diagram.Elements[2].Text, "w");
    ASSERT_EQ(st.Diagram.ConnCount, 1);
    EXPECT_EQ(st.Diagram.Connections[1].FromElem, 1);
    EXPECT_EQ(st.Diagram.Connections[1].ToElem, 2);
    EXPECT_EQ(st.SelKind, kSelElement);
    EXPECT_EQ(st.SelIndex, 2);
    EXPECT_FALSE(p->frm.Frame1Visible);
}

TEST_F(Panel, DeletingTheLastElementSelectsTheNewLastAndTheOnlyOneClearsTheSelection) {
    Select(kSelElement, 3);
    frmMain::Command7_Click(p->s);
    EXPECT_EQ(st.SelIndex, 2);
    frmMain::Command7_Click(p->s);
    frmMain::Command7_Click(p->s);
    EXPECT_EQ(st.Diagram.ElemCount, 0);
    EXPECT_EQ(st.SelKind, "");
}

TEST_F(Panel, DeletingTheLastBendPointStraightensTheConnectionAndClearsTheSelection) {
    const int c = AddConnection(st, 1, 2, "", {{2000, 2000}});
    Select(kSelPoint, c, 1);
    st.EditState = Editing::MovePoint;
    frmMain::Command5_Click(p->s);
    const ConnectionRec& con = st.Diagram.Connections[c];
    EXPECT_EQ(con.PointCount, 0);
    EXPECT_EQ(st.SelKind, "");
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_DOUBLE_EQ(con.X1, 1300);
    EXPECT_DOUBLE_EQ(con.X2, 2700);
    // The label goes halfway between the source's centre and the arrow end.
    EXPECT_DOUBLE_EQ(con.ArgTextX, (1000 + 2700) * 0.5);
    EXPECT_FALSE(p->frm.Frame1Visible);
}

TEST_F(Panel, DeletingTheLastOfThreeBendPointsSelectsTheSecond) {
    const int c = AddConnection(st, 1, 3, "", {{2000, 2000}, {3000, 2500}, {4000, 2000}});
    Select(kSelPoint, c, 3);
    frmMain::Command5_Click(p->s);
    EXPECT_EQ(st.Diagram.Connections[c].PointCount, 2);
    EXPECT_EQ(st.SelKind, kSelPoint);
    EXPECT_EQ(st.SelPoint, 2);
}

TEST_F(Panel, DeletingAMiddleBendPointClosesUpTheOthers) {
    const int c = AddConnection(st, 1, 3, "", {{2000, 2000}, {3000, 2500}, {4000, 2000}});
    Select(kSelPoint, c, 2);
    frmMain::Command5_Click(p->s);
    EXPECT_EQ(st.Diagram.Connections[c].PointCount, 2);
    EXPECT_EQ(st.Diagram.Connections[c].Points[2], (PointRec{4000, 2000}));
    EXPECT_EQ(st.SelPoint, 2);
    EXPECT_EQ(st.SelKind, kSelPoint);
}

TEST_F(Panel, DeletingAConnectionMovesTheLaterOnesDown) {
    AddConnection(st, 1, 2, "a");
    AddConnection(st, 2, 3, "b");
    AddConnection(st, 1, 3, "c");
    Select(kSelLine, 2, 1);
    frmMain::Command6_Click(p->s);
    ASSERT_EQ(st.Diagram.ConnCount, 2);
    EXPECT_EQ(st.Diagram.Connections[2].ArgNo, "c");
    EXPECT_EQ(st.SelKind, "");
    EXPECT_EQ(st.Diagram.ElemCount, 3);
}

TEST_F(Panel, DeletingAConnectionWhenThereIsNoneLeavesThePanelOpen) {
    Select(kSelLine, 1, 1);
    frmMain::Command6_Click(p->s);
    EXPECT_TRUE(p->frm.Frame1Visible);
}

TEST_F(Panel, MoveCommandsStartTheirMoveOnlyForTheirKindOfSelection) {
    const int c = AddConnection(st, 1, 2, "", {{2000, 2000}});
    Select(kSelLine, c, 1);
    frmMain::Command9_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_FALSE(p->frm.Frame1Visible);
    frmMain::Command8_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::MovePoint);
    EXPECT_EQ(st.AnchorX, 2000);
    EXPECT_EQ(st.PointerY, 2000);
    st.EditState = Editing::Idle;
    Select(kSelElement, 2);
    frmMain::Command8_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::Idle);
    frmMain::Command9_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::MoveElement);
    EXPECT_EQ(st.AnchorX, 3000);
    // The canvas finishes the move with the next press.
    Left(*p, 3000, 3000);
    EXPECT_EQ(st.Diagram.Elements[2].Y, 3000);
}

TEST_F(Panel, MovingThePointOfTheLastSegmentInsertsItsMidpointAsAPressOnItDoes) {
    const int c = AddConnection(st, 1, 2);  // a straight line: its only segment is the last
    const ConnectionRec before = st.Diagram.Connections[c];
    Right(*p, 1700, 1000);
    ASSERT_EQ(st.SelKind, kSelLine);
    ASSERT_EQ(st.SelPoint, 1);
    frmMain::Command8_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::MovePoint);
    ASSERT_EQ(st.Diagram.Connections[c].PointCount, 1);
    EXPECT_EQ(st.AnchorX, (before.X1 + before.X2) / 2);
    EXPECT_EQ(st.AnchorY, (before.Y1 + before.Y2) / 2);
    Left(*p, 2000, 2500);  // the drop leaves a bend point there
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_EQ(st.Diagram.Connections[c].Points[1], (PointRec{2000, 2500}));

    // A connection with every bend point it can hold gets its last point picked up instead.
    st.Diagram.Connections[c].PointCount = kMaxPoints;
    st.Diagram.Connections[c].Points[kMaxPoints] = {4000, 2000};
    Select(kSelLine, c, kMaxPoints + 1);
    frmMain::Command8_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::MovePoint);
    EXPECT_EQ(st.SelPoint, kMaxPoints);
    EXPECT_EQ(st.AnchorX, 4000);
    EXPECT_EQ(st.Diagram.Connections[c].PointCount, kMaxPoints);
}

TEST_F(Panel, CancelOnlyHidesThePanel) {
    Select(kSelElement, 1);
    frmMain::Command10_Click(p->s);
    EXPECT_FALSE(p->frm.Frame1Visible);
    EXPECT_EQ(st.Diagram.ElemCount, 3);
    EXPECT_EQ(st.SelKind, kSelElement);
}

TEST_F(Panel, DeletingAnElementBeingMovedEndsTheMove) {
    Left(*p, 3000, 1200);  // picks up element 2 while the panel is still open
    ASSERT_EQ(st.EditState, Editing::MoveElement);
    frmMain::Command7_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::Idle);
    Left(*p, 3000, 3000);  // the element that took its place stays where it is
    EXPECT_EQ(st.Diagram.Elements[2].Text, "w");
    EXPECT_EQ(st.Diagram.Elements[2].X, 5000);
    EXPECT_EQ(st.Diagram.Elements[2].Y, 1000);
}

TEST_F(Panel, DeletingAnElementKeepsTheRunOnTheElementsThatFollow) {
    AddElement(st, kConstantNumber, "4", 7000, 1000, 300);  // 4
    AddConnection(st, 4, 3);
    frmMain::Command1_Click(p->s);
    st.StepElem = 3;  // element 3 stepped last: the constant 4 comes next
    Select(kSelElement, 2);
    frmMain::Command7_Click(p->s);
    EXPECT_EQ(st.StepElem, 2);
    p->ui.answers = {Answer::No};  // the snapshot question after the step
    ExecuteStep(p->s);
    EXPECT_EQ(st.StepElem, 3);
    EXPECT_EQ(st.Diagram.Elements[3].Text, "4");
    // Deleting the element stepped last makes the one that took its place the next.
    Select(kSelElement, 3);
    frmMain::Command7_Click(p->s);
    EXPECT_EQ(st.StepElem, 2);
}
