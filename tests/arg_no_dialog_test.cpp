#include "dialogs/arg_no_dialog.h"
#include "dialogs/dialog_fields.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct ArgNoForm : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    int c = 0;
    std::unique_ptr<ArgNoDialog> d;

    void SetUp() override {
        AddElement(p->st, kConstantNumber, "1", 1000, 1000);
        AddElement(p->st, kFunction, "f", 3000, 1000);
        c = AddConnection(p->st, 1, 2);
        p->st.Diagram.Connections[c].Font.Size = 9;
        p->st.ArgDialogConn = Integer(c);
        d = std::make_unique<ArgNoDialog>(p->s);
        d->List1 = {"1", "2", "3"};
    }
    const ConnectionRec& Conn() const { return p->st.Diagram.Connections[c]; }
};

}  // namespace

TEST_F(ArgNoForm, StartsWithItsInitialContents) {
    ArgNoDialog fresh(p->s);
    EXPECT_EQ(Tr(kArgNoDialogCaption), "引数番号");
    EXPECT_TRUE(fresh.List1.isEmpty());
    EXPECT_EQ(fresh.ListIndex(), -1);
    EXPECT_FALSE(fresh.Check1);
    EXPECT_FALSE(fresh.Check2);
    EXPECT_EQ(fresh.Text3Text, "10");
    EXPECT_FALSE(fresh.Closed());
}

TEST_F(ArgNoForm, OkStoresTheEntryAndTheFontIntoTheConnection) {
    d->SetListIndex(2);
    d->Check1 = true;
    d->Check2 = true;
    d->Text3Text = "13.5";
    d->Command1_Click();
    EXPECT_TRUE(d->Closed());
    EXPECT_EQ(Conn().ArgNo, "3");
    EXPECT_TRUE(Conn().Font.Bold);
    EXPECT_TRUE(Conn().Font.Underline);
    EXPECT_EQ(Conn().Font.Size, 14);
}

TEST_F(ArgNoForm, OkWithNothingSelectedKeepsTheDialogOpen) {
    d->Command1_Click();
    EXPECT_FALSE(d->Closed());
    EXPECT_EQ(Conn().ArgNo, "");
    // An index that names no entry selects none.
    d->SetListIndex(3);
    EXPECT_EQ(d->ListIndex(), -1);
    d->Command1_Click();
    EXPECT_FALSE(d->Closed());
}

TEST_F(ArgNoForm, CancelStoresNothing) {
    const FontAttr font = Conn().Font;
    d->SetListIndex(1);
    d->Check1 = true;
    d->Text3Text = "20";
    d->Command2_Click();
    EXPECT_TRUE(d->Closed());
    EXPECT_EQ(Conn().ArgNo, "");
    EXPECT_EQ(Conn().Font, font);
}

TEST_F(ArgNoForm, ASizeOfAbcGivesZero) {
    d->SetListIndex(0);
    d->Text3Text = "abc";
    d->Command1_Click();
    EXPECT_TRUE(d->Closed());
    EXPECT_EQ(Conn().Font.Size, 0);
    EXPECT_EQ(Conn().ArgNo, "1");
}

TEST_F(ArgNoForm, ASizeBeyondSixteenBitsIsRefusedAndTheDialogStaysOpen) {
    d->SetListIndex(0);
    d->Text3Text = "99999";
    d->Command1_Click();
    EXPECT_EQ(p->ui.TakeMessages(), QStringList{Tr(kFontSizeRangeMessage)});
    EXPECT_FALSE(d->Closed());
    EXPECT_EQ(Conn().ArgNo, "");
    EXPECT_EQ(Conn().Font.Size, 9);
    d->Text3Text = "-5";  // small and negative sizes are kept as they read
    d->Command1_Click();
    EXPECT_TRUE(d->Closed());
    EXPECT_EQ(Conn().Font.Size, -5);
}
