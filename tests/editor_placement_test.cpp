#include "editor/canvas_drag.h"
#include "editor/edit_menu.h"
#include "editor_support.h"
#include "model/edit_state.h"
#include "model/element_geometry.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct Placement : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    SharedState& st = p->st;
};

}  // namespace

TEST_F(Placement, TwoPressesPlaceTheElementCentredSelectedAndAskForTheNext) {
    p->ui.elementScripts.push_back(ChooseElement(kConstantNumber, "12"));
    frmMain::mnuEditAddElement_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::PlaceCentre);
    Left(*p, 1020, 980);  // snaps to (1000, 1000)
    EXPECT_EQ(st.EditState, Editing::PlaceRadius);
    EXPECT_EQ(st.AnchorX, 1000);
    EXPECT_EQ(st.AnchorY, 1000);
    p->ui.elementScripts.push_back(CancelElement());
    Left(*p, 1290, 1410);  // snaps to (1300, 1400): radius 500
    ASSERT_EQ(st.Diagram.ElemCount, 1);
    const ElementRec& e = st.Diagram.Elements[1];
    EXPECT_EQ(e.X, 1000);
    EXPECT_EQ(e.Y, 1000);
    EXPECT_EQ(e.R, 500);
    EXPECT_EQ(e.Text, "12");
    EXPECT_EQ(e.DataType, kTypeNumber);
    EXPECT_EQ(e.Value, "12");
    EXPECT_EQ(e.TextX, 1000 - 4 * 10 * 2);
    EXPECT_EQ(e.TextY, 1000 - 8 * 10);
    EXPECT_EQ(st.SelKind, kSelElement);
    EXPECT_EQ(st.SelIndex, 1);
    EXPECT_EQ(p->ui.elementDialogs, 2);  // asked again for the next element, then cancelled
    EXPECT_EQ(st.EditState, Editing::Idle);
}

TEST_F(Placement, ADragFromTheCentreToTheRimPlacesTheElementAndAClickInPlaceDoesNot) {
    p->ui.elementScripts.push_back(ChooseElement(kConstantNumber, "1"));
    frmMain::mnuEditAddElement_Click(p->s);
    Left(*p, 1000, 1000);
    frmMain::Picture1_MouseUp(p->s, 1, 0, 1010, 1000);  // within a few pixels: a click
    EXPECT_EQ(st.EditState, Editing::PlaceRadius);
    frmMain::Picture1_MouseUp(p->s, 1, 0, 1600, 1000);  // a release counts once per press
    EXPECT_EQ(st.EditState, Editing::PlaceRadius);
    Right(*p, 1000, 1000);  // the centre again, then a drag
    Left(*p, 2000, 1000);
    Move(*p, 2300, 1000);
    p->ui.elementScripts.push_back(CancelElement());
    frmMain::Picture1_MouseUp(p->s, 1, 0, 2400, 1000);
    ASSERT_EQ(st.Diagram.ElemCount, 1);
    EXPECT_EQ(st.Diagram.Elements[1].X, 2000);
    EXPECT_EQ(st.Diagram.Elements[1].R, 400);
    EXPECT_EQ(p->ui.elementDialogs, 2);
    // A press that only finishes a gesture arms no drag: releasing after it does nothing.
    frmMain::Picture1_MouseUp(p->s, 1, 0, 4000, 3000);
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_EQ(st.Diagram.ElemCount, 1);
}

TEST_F(Placement, ARightPressWhileDraggingTheRadiusChoosesTheCentreAgain) {
    p->ui.elementScripts.push_back(ChooseElement(kVariableNumber, "v"));
    frmMain::mnuEditAddElement_Click(p->s);
    const QImage before = p->canvas.Picture1().copy();
    Left(*p, 1000, 1000);
    Move(*p, 1500, 1000);
    EXPECT_EQ(st.CurR, 500);
    EXPECT_NE(p->canvas.Picture1(), before);  // the rubber circle shows
    Right(*p, 1500, 1000);
    EXPECT_EQ(st.EditState, Editing::PlaceCentre);
    EXPECT_EQ(st.Diagram.ElemCount, 0);
    EXPECT_EQ(p->ui.elementDialogs, 1);
    // The feedback is gone again, pixel for pixel.
    EXPECT_EQ(p->canvas.Picture1(), before);
}

TEST_F(Placement, CancellingTheDialogAddsNothing) {
    p->ui.elementScripts.push_back(CancelElement());
    frmMain::mnuEditAddElement_Click(p->s);
    EXPECT_EQ(st.EditState, Editing::Idle);
    EXPECT_EQ(st.Diagram.ElemCount, 0);
}

TEST_F(Placement, TheHundredthElementEndsTheLoopWithTheLimitMessage) {
    for (int i = 0; i < 99; ++i) AddElement(st, kConstantNumber, "1", 100 + i, 100);
    p->ui.elementScripts.push_back(ChooseElement(kConstantNumber, "1"));
    frmMain::mnuEditAddElement_Click(p->s);
    Left(*p, 3000, 3000);
    Left(*p, 3300, 3000);
    EXPECT_EQ(st.Diagram.ElemCount, 100);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({Tr(kTooManyElements)}));
    EXPECT_EQ(st.EditState, Editing::Idle);
}

TEST_F(Placement, AnElementOfRadiusZeroIsNeverFound) {
    p->ui.elementScripts.push_back(ChooseElement(kVariableNumber, "v"));
    p->ui.elementScripts.push_back(CancelElement());
    frmMain::mnuEditAddElement_Click(p->s);
    Left(*p, 2000, 2000);
    Left(*p, 2000, 2000);
    ASSERT_EQ(st.Diagram.ElemCount, 1);
    EXPECT_EQ(st.Diagram.Elements[1].R, 0);
    EXPECT_EQ(ElementAtPoint(st.Diagram, 2000, 2000), -1);
}

TEST_F(Placement, TheReadoutFollowsThePointerWithThePrefixOfTheState) {
    Move(*p, 1234.5, 20);
    EXPECT_EQ(p->frm.Label1Caption, " 座標 (1234.5, 20)");
    st.EditState = Editing::PlaceCentre;
    Move(*p, 15, -30);
    EXPECT_EQ(p->frm.Label1Caption, QString::fromUtf8(" 円中心\u3000座標 (15, -30)"));
    st.EditState = Editing::PlaceRadius;
    Move(*p, 15, 30);
    EXPECT_EQ(p->frm.Label1Caption, QString::fromUtf8(" 半径\u3000座標 (15, 30)"));
    st.EditState = Editing::ConnectStart;
    Move(*p, 15, 30);
    EXPECT_EQ(p->frm.Label1Caption, " 接続始点要素 座標 (15, 30)");
    st.EditState = Editing::MovePoint;
    Move(*p, 0.25, 30);
    EXPECT_EQ(p->frm.Label1Caption, " 座標 (0.25, 30)");
}

TEST(ElementGeometry, RimPointsFaceTheTargetAndNeverDivideByZero) {
    auto st = std::make_unique<SharedState>();
    AddElement(*st, kVariableNumber, "", 0, 0, 10);
    const PointRec far = ElementRimPoint(st->Diagram, 1, 30, 40);
    EXPECT_DOUBLE_EQ(far.X, 6);
    EXPECT_DOUBLE_EQ(far.Y, 8);
    const PointRec near = ElementRimPoint(st->Diagram, 1, 3, 4);
    EXPECT_DOUBLE_EQ(near.X, 6);
    EXPECT_DOUBLE_EQ(near.Y, 8);
    const PointRec centre = ElementRimPoint(st->Diagram, 1, 0, 0);
    EXPECT_DOUBLE_EQ(centre.X, 10);
    EXPECT_DOUBLE_EQ(centre.Y, 0);
}

TEST(ElementGeometry, TheLowestIndexWinsAndTheRimIsOutside) {
    auto st = std::make_unique<SharedState>();
    AddElement(*st, kVariableNumber, "", 0, 0, 100);
    AddElement(*st, kVariableNumber, "", 50, 0, 100);
    EXPECT_EQ(ElementAtPoint(st->Diagram, 40, 0), 1);
    EXPECT_EQ(ElementAtPoint(st->Diagram, 120, 0), 2);
    EXPECT_EQ(ElementAtPoint(st->Diagram, 150, 0), -1);  // exactly on the circle
    EXPECT_EQ(ElementAtPoint(st->Diagram, 500, 500), -1);
}
