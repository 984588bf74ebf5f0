#include "editor/canvas_drag.h"
#include "editor/canvas_keys.h"
#include "editor/selection_panel.h"
#include "editor_support.h"
#include "model/edit_state.h"
#include "model/element_geometry.h"
#include "render/renderer.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct Moving : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    SharedState& st = p->st;
    void SetUp() override {
        AddElement(st, kVariableNumber, "v", 1000, 1000, 300);  // 1
        AddElement(st, kVariableNumber, "w", 5000, 1000, 300);  // 2
        AddElement(st, kVariableNumber, "x", 5000, 3000, 300);  // 3
    }
};

}  // namespace

TEST_F(Moving, ADroppedElementStripsOnlyTheConsecutivePointsInsideItsCircle) {
    AddConnection(st, 1, 2, "",
                  {{2000, 1000}, {2100, 1000}, {2300, 1000}, {2050, 1000}, {3000, 1500}});
    Left(*p, 1000, 1200);  // on the circle, away from the text
    ASSERT_EQ(st.EditState, Editing::MoveElement);
    Move(*p, 1800, 1100);
    Left(*p, 2010, 990);  // snaps to (2000, 1000)
    EXPECT_EQ(st.EditState, Editing::Idle);
    const ElementRec& e = st.Diagram.Elements[1];
    EXPECT_EQ(e.X, 2000);
    EXPECT_EQ(e.Y, 1000);
    EXPECT_EQ(e.TextX, 2000 - 40);
    EXPECT_EQ(e.TextY, 1000 - 80);
    const ConnectionRec& c = st.Diagram.Connections[1];
    ASSERT_EQ(c.PointCount, 3);  // the point exactly on the rim stays, and all after it
    EXPECT_EQ(c.Points[1], (PointRec{2300, 1000}));
    EXPECT_EQ(c.Points[2], (PointRec{2050, 1000}));
    EXPECT_EQ(c.X1, 2300);
    EXPECT_EQ(c.Y1, 1000);
}

TEST_F(Moving, AnElementDroppedOnTheLastPointsOfAnIncomingConnectionStripsThemFromTheEnd) {
    AddConnection(st, 1, 3, "", {{2000, 2000}, {4900, 2950}, {5000, 3100}});
    Left(*p, 5000, 3200);
    Left(*p, 5000, 3000);  // dropped where it was
    EXPECT_EQ(st.Diagram.Connections[1].PointCount, 1);
    EXPECT_EQ(st.Diagram.Connections[1].Points[1], (PointRec{2000, 2000}));
}

TEST_F(Moving, MovingAnElementRefitsEveryConnectionAndRecentresItsText) {
    const int c1 = AddConnection(st, 2, 3);
    const int c2 = AddConnection(st, 1, 2, "", {{3000, 2000}});
    st.Diagram.Connections[c1].ArgTextX = 123;  // moved by hand
    st.Diagram.Elements[1].TextX = 77;
    Left(*p, 1000, 1200);
    Left(*p, 1000, 2000);
    // The straight connection's label goes halfway between the start centre and the end point.
    const ConnectionRec& straight = st.Diagram.Connections[c1];
    EXPECT_DOUBLE_EQ(straight.X2, 5000);
    EXPECT_DOUBLE_EQ(straight.Y2, 2700);
    EXPECT_DOUBLE_EQ(straight.ArgTextX, 5000);
    EXPECT_DOUBLE_EQ(straight.ArgTextY, (1000 + 2700) * 0.5);
    // With bend points, halfway along the last segment.
    const ConnectionRec& bent = st.Diagram.Connections[c2];
    EXPECT_DOUBLE_EQ(bent.X1, 1000 + 300 * 2000 / std::hypot(2000.0, 0.0));
    EXPECT_DOUBLE_EQ(bent.ArgTextX, (3000 + bent.X2) * 0.5);
    EXPECT_EQ(st.Diagram.Elements[1].TextX, 1000 - 40);
}

TEST_F(Moving, MovingABendPointRefitsOnlyItsConnection) {
    const int c1 = AddConnection(st, 1, 2, "", {{3000, 2000}});
    const int c2 = AddConnection(st, 2, 3);
    st.Diagram.Connections[c2].ArgTextX = 123;
    Left(*p, 3000, 2000);
    ASSERT_EQ(st.SelKind, kSelPoint);
    ASSERT_EQ(st.EditState, Editing::MovePoint);
    Move(*p, 3500, 1500);
    Left(*p, 3000, 1000);
    EXPECT_EQ(st.Diagram.Connections[c1].Points[1], (PointRec{3000, 1000}));
    EXPECT_DOUBLE_EQ(st.Diagram.Connections[c1].X1, 1300);
    EXPECT_DOUBLE_EQ(st.Diagram.Connections[c1].X2, 4700);
    EXPECT_DOUBLE_EQ(st.Diagram.Connections[c1].ArgTextX, (3000 + 4700) * 0.5);
    EXPECT_EQ(st.Diagram.Connections[c2].ArgTextX, 123);
}

TEST_F(Moving, WithTheGridOffDropsKeepTheRawCoordinates) {
    st.GridSize = 0;
    Left(*p, 1000, 1200);
    Left(*p, 2013.5f, 1007.25f);
    EXPECT_EQ(st.Diagram.Elements[1].X, 2013.5);
    EXPECT_EQ(st.Diagram.Elements[1].Y, 1007.25);
}

TEST_F(Moving, TextsAndLabelsAreDroppedAtTheSnappedPosition) {
    const int c = AddConnection(st, 2, 3, "1");
    const ElementRec& e = st.Diagram.Elements[1];
    Left(*p, e.TextX + 10, e.TextY + 10);
    ASSERT_EQ(st.EditState, Editing::MoveElementText);
    EXPECT_EQ(st.DragW, 80);
    EXPECT_EQ(st.DragH, 160);
    Move(*p, 700, 700);
    Left(*p, 590, 420);
    EXPECT_EQ(st.Diagram.Elements[1].TextX, 600);
    EXPECT_EQ(st.Diagram.Elements[1].TextY, 400);
    const ConnectionRec& con = st.Diagram.Connections[c];
    Left(*p, con.ArgTextX + 5, con.ArgTextY + 5);
    ASSERT_EQ(st.EditState, Editing::MoveArgText);
    Left(*p, 5400, 2000);
    EXPECT_EQ(st.Diagram.Connections[c].ArgTextX, 5400);
    EXPECT_EQ(st.Diagram.Connections[c].ArgTextY, 2000);
    EXPECT_EQ(st.EditState, Editing::Idle);
}

TEST_F(Moving, PickingUpASegmentInsertsItsMidpoint) {
    const int c = AddConnection(st, 1, 2, "", {{2000, 1000}, {3000, 2000}, {4000, 1000}});
    Left(*p, 2500, 1520);  // near the middle of the segment from point 1 to point 2
    ASSERT_EQ(st.EditState, Editing::MovePoint);
    EXPECT_EQ(st.SelPoint, 2);
    const ConnectionRec& con = st.Diagram.Connections[c];
    ASSERT_EQ(con.PointCount, 4);
    EXPECT_EQ(con.Points[1], (PointRec{2000, 1000}));
    EXPECT_EQ(con.Points[2], (PointRec{2500, 1500}));
    EXPECT_EQ(con.Points[3], (PointRec{3000, 2000}));
    EXPECT_EQ(con.Points[4], (PointRec{4000, 1000}));
    Left(*p, 2500, 2500);
    EXPECT_EQ(st.Diagram.Connections[c].Points[2], (PointRec{2500, 2500}));
}

TEST_F(Moving, PickingUpTheLastSegmentAppendsItsMidpoint) {
    const int c = AddConnection(st, 1, 2, "", {{2000, 1000}});
    const double x2 = st.Diagram.Connections[c].X2;
    Left(*p, (2000 + x2) / 2, 1000);
    EXPECT_EQ(st.SelPoint, 2);
    EXPECT_EQ(st.Diagram.Connections[c].PointCount, 2);
    EXPECT_EQ(st.Diagram.Connections[c].Points[2], (PointRec{(2000 + x2) / 2, 1000}));
}

TEST_F(Moving, ASegmentOfAFullConnectionPicksUpItsNearerBendPoint) {
    const int c = AddConnection(st, 1, 2);
    ConnectionRec& con = st.Diagram.Connections[c];
    for (int k = 1; k <= kMaxPoints; ++k) con.Points[k] = {1500.0 + 200 * k, 2000};
    con.PointCount = kMaxPoints;
    Left(*p, 1770, 2000);  // on the segment from point 1 (1700) to point 2 (1900)
    EXPECT_EQ(st.EditState, Editing::MovePoint);
    EXPECT_EQ(st.SelKind, kSelPoint);
    EXPECT_EQ(st.SelPoint, 1);
    EXPECT_EQ(con.PointCount, kMaxPoints);
    Left(*p, 1800, 2500);
    EXPECT_EQ(con.Points[1], (PointRec{1800, 2500}));
    EXPECT_EQ(con.Points[2], (PointRec{1900, 2000}));
    EXPECT_EQ(con.PointCount, kMaxPoints);
}

TEST_F(Moving, ARightPressDoesNotCancelAMove) {
    Left(*p, 1000, 1200);
    Right(*p, 3000, 3000);
    EXPECT_EQ(st.EditState, Editing::MoveElement);
    EXPECT_FALSE(p->frm.Frame1Visible);
}

TEST_F(Moving, APressOnNothingStartsASelectionBoxThatTheSecondPressEnds) {
    const QImage before = p->canvas.Picture1().copy();
    Left(*p, 3000, 3500);
    EXPECT_EQ(st.EditState, Editing::SelectBox);
    EXPECT_EQ(st.SelKind, "");
    EXPECT_EQ(p->canvas.Picture1(), before) << "no box is drawn until the pointer moves";
    Move(*p, 5500, 500);
    EXPECT_NE(p->canvas.Picture1(), before);
    Left(*p, 5500, 500);  // wholly inside: elements 2 and 3 (element 1 lies outside)
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_TRUE(GroupSelected(st));
    EXPECT_EQ(st.SelectedElements, ElementSet().set(2).set(3));
    EXPECT_EQ(p->Pixel(5000 + 300, 1000), kBlue);
    EXPECT_EQ(p->Pixel(5000 + 300, 3000), kBlue);
    EXPECT_EQ(p->Pixel(1000 + 300, 1000), kBlack);
}

TEST_F(Moving, ShiftPressesGatherElementsThatThenMoveAndGoTogether) {
    AddConnection(st, 2, 3, "", {{5200, 2000}});  // inside the group
    AddConnection(st, 1, 2);                      // into it
    RedrawDiagram(p->s, -1);
    Left(*p, 5000, 1200);  // element 2 alone, picked up and dropped in place
    Left(*p, 5000, 1000);
    frmMain::Picture1_MouseDown(p->s, 1, 1, 5000, 3200);  // Shift: element 3 joins
    EXPECT_EQ(st.EditState, Editing::Idle) << "a Shift press picks nothing up";
    ASSERT_TRUE(GroupSelected(st));
    EXPECT_EQ(SelectedGroup(st), ElementSet().set(2).set(3));
    const ConnectionRec inner = st.Diagram.Connections[1];
    Left(*p, 5000, 3200);  // picks both up by element 3
    ASSERT_EQ(st.EditState, Editing::MoveElement);
    Move(*p, 4000, 3800);
    Left(*p, 4000, 3800);  // snaps to (4000, 3800): both move by (-1000, 800)
    EXPECT_EQ(st.Diagram.Elements[3].X, 4000);
    EXPECT_EQ(st.Diagram.Elements[2].X, 4000);
    EXPECT_EQ(st.Diagram.Elements[2].Y, 1800);
    EXPECT_EQ(st.Diagram.Connections[1].Points[1].X, inner.Points[1].X - 1000) << "shape kept";
    EXPECT_EQ(st.Diagram.Connections[1].ArgTextY, inner.ArgTextY + 800);
    const PointRec rim = ElementRimPoint(st.Diagram, 2, 1000, 1000);
    EXPECT_DOUBLE_EQ(st.Diagram.Connections[2].X2, rim.X) << "the one into it re-fitted";
    EXPECT_DOUBLE_EQ(st.Diagram.Connections[2].Y2, rim.Y);
    // Delete takes the group, and what touched it.
    frmMain::Picture1_KeyDown(p->s, Qt::Key_Delete);
    EXPECT_EQ(st.Diagram.ElemCount, 1);
    EXPECT_EQ(st.Diagram.ConnCount, 0);
    EXPECT_FALSE(GroupSelected(st));
}

TEST_F(Moving, ARightPressOpensThePanelBesideThePointAndInsideTheCanvas) {
    const double gap = kPanelGapPixels * 15.0;
    Right(*p, 1000, 1200);
    EXPECT_TRUE(p->frm.Frame1Visible);
    EXPECT_EQ(st.SelKind, kSelElement);
    EXPECT_EQ(p->frm.Frame1.Left, 1000 + gap) << "right of the point, not over it";
    EXPECT_EQ(p->frm.Frame1.Top, 1200);
    Right(*p, 6000, 4000);
    EXPECT_EQ(st.SelKind, "");
    EXPECT_EQ(p->frm.Frame1.Left, 6000 - gap - 1575) << "left of it where the right has no room";
    EXPECT_EQ(p->frm.Frame1.Top, 4215 - 2295);
    EXPECT_TRUE(p->frm.Frame1Visible);
}

TEST_F(Moving, ADoubleClickOnAnElementOpensItsDialogInsteadOfMovingIt) {
    st.GridSize = 0;  // a second press would drop the element where the pointer is
    const ElementRec before = st.Diagram.Elements[2];
    Left(*p, 5010, 1210);  // the first press of the double click picks the element up
    ASSERT_EQ(st.EditState, Editing::MoveElement);
    p->ui.elementScripts.push_back(CancelElement());
    frmMain::Picture1_DblClick(p->s, 1, 0, 5010, 1210);
    EXPECT_EQ(p->ui.elementDialogs, 1);
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_EQ(st.Diagram.Elements[2], before);
    // Off the element picked up, the second press is a press as any other: it drops.
    Left(*p, 5010, 1210);
    frmMain::Picture1_DblClick(p->s, 1, 0, 3000, 2000);
    EXPECT_EQ(p->ui.elementDialogs, 1);
    EXPECT_EQ(st.Diagram.Elements[2].X, 3000);
}

TEST_F(Moving, ThePanelClosesAsAPopUpAndOffersOnlyWhatAppliesToTheSelection) {
    Right(*p, 1000, 1200);  // the element
    for (int command : {7, 9, 10, 11}) EXPECT_TRUE(PanelCommandApplies(st, command)) << command;
    for (int command : {5, 6, 8}) EXPECT_FALSE(PanelCommandApplies(st, command)) << command;
    frmMain::Picture1_KeyDown(p->s, Qt::Key_Escape);
    EXPECT_FALSE(p->frm.Frame1Visible);
    EXPECT_EQ(st.SelKind, kSelElement) << "Escape only closed the panel";

    // A left press elsewhere closes it and does what it does without a panel: it picks up.
    Right(*p, 1000, 1200);
    Left(*p, 1000, 1200);
    EXPECT_FALSE(p->frm.Frame1Visible);
    EXPECT_EQ(st.EditState, Editing::MoveElement);
    Left(*p, 1000, 1000);

    // Nothing selected: only 取消; a straight connection's segment: no point to delete.
    Right(*p, 3000, 3500);
    for (int command = 5; command <= 11; ++command)
        EXPECT_EQ(PanelCommandApplies(st, command), command == 10) << command;
}
