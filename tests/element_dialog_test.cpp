#include "dialogs/element_dialog.h"
#include "dialogs/dialog_fields.h"
#include "editor/selection_panel.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct ElementForm : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    std::unique_ptr<ElementDialog> d = Loaded();

    std::unique_ptr<ElementDialog> Loaded() {
        auto dialog = std::make_unique<ElementDialog>(p->s);
        LoadElementDialog(*dialog);
        return dialog;
    }
    // The fields as a person sees them: captions and, for each text box, its text or "hidden".
    QStringList Fields() const {
        return {d->Label1Caption, d->Text1Visible ? d->Text1Text : QStringLiteral("hidden"),
                d->Label2Caption, d->Text2Visible ? d->Text2Text : QStringLiteral("hidden")};
    }
};

}  // namespace

TEST_F(ElementForm, StartsWithItsInitialContentsAndTheNineKinds) {
    EXPECT_EQ(kElementDialogCaption, "Form2");
    EXPECT_EQ(d->List1, QStringList({"Constant_Number", "Constant_string", "Variable_Number",
                                     "Variable_string", "function", "+", "-", "*", "/"}));
    EXPECT_EQ(d->ListIndex(), -1);
    EXPECT_EQ(Fields(), QStringList({"Label1", "Text1", "Label2", "Text2"}));
    EXPECT_FALSE(d->Check1);
    EXPECT_FALSE(d->Check2);
    EXPECT_EQ(d->Text3Text, "10");
    EXPECT_FALSE(d->Closed());
}

TEST_F(ElementForm, EachKindShowsItsOwnFields) {
    const QStringList expected[] = {
        {"数値定数", "x", "", "hidden"},   {"文字列定数", "x", "", "hidden"},
        {"変数名", "x", "", "hidden"},     {"変数名", "x", "", "hidden"},
        {"関数名", "", "引数の個数", ""},  {"", "hidden", "引数の個数", "2"},
        {"", "hidden", "引数の個数", "2"}, {"", "hidden", "引数の個数", "2"},
        {"", "hidden", "引数の個数", "2"},
    };
    for (int k = 0; k < 9; ++k) {
        d = Loaded();
        d->Text1Text = "x";
        d->Text2Text = "7";
        d->SetListIndex(k);
        EXPECT_EQ(d->ListIndex(), k);
        EXPECT_EQ(Fields(), expected[k]) << "kind " << k;
    }
}

TEST_F(ElementForm, TheTextIsEmptiedForAFunctionButKeptWhenLeavingIt) {
    d->SetListIndex(kConstantNumber);
    d->Text1Text = "sin";
    d->SetListIndex(kFunction);
    EXPECT_EQ(d->Text1Text, "");
    d->Text1Text = "cos";
    d->SetListIndex(kConstantNumber);
    EXPECT_EQ(d->Text1Text, "cos");
    // An operator hides the text and keeps it.
    d->SetListIndex(kTimes);
    EXPECT_FALSE(d->Text1Visible);
    EXPECT_EQ(d->Text1Text, "cos");
}

TEST_F(ElementForm, AnIndexThatNamesNoKindSelectsNone) {
    d->SetListIndex(kPlus);
    for (int index : {9, -2, 300}) {
        d->SetListIndex(index);
        EXPECT_EQ(d->ListIndex(), -1) << index;
    }
    EXPECT_EQ(Fields(),
              QStringList({"", "hidden", "引数の個数", "2"}));  // as the last kind left them
}

TEST_F(ElementForm, OkFillsTheTemplateAsTheKindSays) {
    struct Case {
        int kind;
        const char* text;
        const char* type;
        const char* value;
        const char* storedText;
        int argCount;
    };
    const Case cases[] = {
        {kConstantNumber, "12", "Number", "12", "12", 77},
        {kConstantString, "abc", "String", "abc", "abc", 77},
        {kVariableNumber, "n", "*Undefine*", "", "n", 77},
        {kVariableString, "s", "*Undefine*", "", "s", 77},
        {kFunction, "mod", "old type", "old value", "mod", 3},
        {kPlus, "ignored", "old type", "old value", "+", 2},
        {kMinus, "", "old type", "old value", "-", 2},
        {kTimes, "", "old type", "old value", "*", 2},
        {kDivide, "", "old type", "old value", "/", 2},
    };
    for (const Case& c : cases) {
        ElementRec& t = p->st.NewElement;
        t = ElementRec{};
        t.DataType = "old type";
        t.Value = "old value";
        t.ArgCount = 77;
        t.Font.Name = "kept";
        t.X = 1234;
        d = Loaded();
        d->SetListIndex(c.kind);
        d->Text1Text = QString::fromUtf8(c.text);
        if (c.kind == kFunction) d->Text2Text = "3";
        d->Check1 = true;
        d->Text3Text = "14";
        d->Command1_Click();
        EXPECT_TRUE(d->Closed());
        EXPECT_EQ(t.Kind, c.kind);
        EXPECT_EQ(t.Text, QString::fromUtf8(c.storedText)) << c.kind;
        EXPECT_EQ(t.DataType, QString::fromUtf8(c.type)) << c.kind;
        EXPECT_EQ(t.Value, QString::fromUtf8(c.value)) << c.kind;
        EXPECT_EQ(t.ArgCount, c.argCount) << c.kind;
        EXPECT_TRUE(t.Font.Bold);
        EXPECT_FALSE(t.Font.Underline);
        EXPECT_EQ(t.Font.Size, 14);
        EXPECT_EQ(t.Font.Name, "kept");
        EXPECT_EQ(t.X, 1234);
    }
}

TEST_F(ElementForm, NumberFieldsAreReadLikeEveryNumberField) {
    d->SetListIndex(kFunction);
    d->Text1Text = "f";
    d->Text2Text = "2.5";
    d->Text3Text = "abc";
    d->Check2 = true;
    d->Command1_Click();
    EXPECT_EQ(p->st.NewElement.ArgCount, 2);
    EXPECT_EQ(p->st.NewElement.Font.Size, 0);
    EXPECT_TRUE(p->st.NewElement.Font.Underline);
    d = Loaded();
    d->SetListIndex(kFunction);
    d->Text2Text = "3.5x";
    d->Text3Text = "12.5";
    d->Command1_Click();
    EXPECT_EQ(p->st.NewElement.ArgCount, 4);
    EXPECT_EQ(p->st.NewElement.Font.Size, 12);
}

TEST_F(ElementForm, OkWithoutAKindDoesNothing) {
    p->st.NewElement.Kind = 5;
    p->st.NewElement.Text = "before";
    d->Text1Text = "x";
    d->Command1_Click();
    EXPECT_FALSE(d->Closed());
    EXPECT_EQ(p->st.NewElement.Kind, 5);
    EXPECT_EQ(p->st.NewElement.Text, "before");
}

TEST_F(ElementForm, CancelMarksTheTemplateCancelledAndGoesIdle) {
    p->st.EditState = Editing::PlaceCentre;
    p->st.NewElement.Text = "before";
    d->SetListIndex(kConstantNumber);
    d->Text1Text = "5";
    d->Command2_Click();
    EXPECT_TRUE(d->Closed());
    EXPECT_EQ(p->st.NewElement.Kind, -1);
    EXPECT_EQ(p->st.EditState, Editing::Idle);
    EXPECT_EQ(p->st.NewElement.Text, "before");
}

TEST_F(ElementForm, FieldsThatCannotBeKeptAreRefusedAndTheDialogStaysOpen) {
    struct Case {
        int kind;
        const char* text;
        const char* args;
        const char* size;
        QString message;
    };
    const Case cases[] = {
        {kConstantString, "say \"hi\"", "", "10", Tr(kQuoteInTextMessage)},
        {kVariableNumber, "\"", "", "10", Tr(kQuoteInTextMessage)},
        {kFunction, "f\"", "2", "10", Tr(kQuoteInTextMessage)},
        {kConstantString, "caf\xC3\xA9 \xF0\x9F\x98\x80", "", "10", Tr(kUnsavableTextMessage)},
        {kFunction, "f", "31", "10", Tr(kArgCountRangeMessage)},
        {kFunction, "f", "-1", "10", Tr(kArgCountRangeMessage)},
        {kFunction, "f", "1e9", "10", Tr(kArgCountRangeMessage)},
        {kConstantNumber, "1", "", "32768", Tr(kFontSizeRangeMessage)},
        {kPlus, "", "", "-40000", Tr(kFontSizeRangeMessage)},
    };
    for (const Case& c : cases) {
        p->st.NewElement = ElementRec{};
        p->st.NewElement.Kind = 3;
        d = Loaded();
        d->SetListIndex(c.kind);
        d->Text1Text = QString::fromUtf8(c.text);
        d->Text2Text = QString::fromUtf8(c.args);
        d->Text3Text = QString::fromUtf8(c.size);
        d->Command1_Click();
        EXPECT_EQ(p->ui.TakeMessages(), QStringList{c.message}) << c.text << c.args << c.size;
        EXPECT_FALSE(d->Closed());
        ElementRec untouched;
        untouched.Kind = 3;
        EXPECT_EQ(p->st.NewElement, untouched) << "the template was touched";
    }
}

TEST_F(ElementForm, TheLimitsThemselvesAndOperatorsAreAccepted) {
    // An operator's text is its symbol, and its hidden fields are not read.
    d->SetListIndex(kMinus);
    d->Text1Text = "\"";
    d->Text3Text = "32767";
    d->Command1_Click();
    EXPECT_TRUE(d->Closed());
    EXPECT_EQ(p->st.NewElement.Text, "-");
    EXPECT_EQ(p->st.NewElement.Font.Size, 32767);
    for (const char* args : {"0", "30"}) {
        d = Loaded();
        d->SetListIndex(kFunction);
        d->Text2Text = QString::fromUtf8(args);
        d->Text3Text = "-32768";
        d->Command1_Click();
        EXPECT_TRUE(d->Closed()) << args;
        EXPECT_EQ(p->st.NewElement.ArgCount, QString::fromUtf8(args).toInt());
        EXPECT_EQ(p->st.NewElement.Font.Size, -32768);
    }
}

// 要素属性変更

namespace {

struct ChangeAttributes : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    void Select(int e, const QString& kind = kSelElement) {
        p->st.SelKind = kind;
        p->st.SelIndex = Integer(e);
        p->frm.Frame1Visible = true;
    }
};

}  // namespace

TEST_F(ChangeAttributes, TheDialogShowsTheElementWithItsOwnFont) {
    const int f = AddElement(p->st, kFunction, "mod", 2000, 2000);
    p->st.Diagram.Elements[f].ArgCount = 3;
    p->st.Diagram.Elements[f].Font.Bold = true;
    p->st.Diagram.Elements[f].Font.Size = 20;
    p->st.Diagram.Elements[f].Font.Underline = true;
    Select(f, kSelElementText);
    p->ui.elementScripts.push_back([](ElementDialog& d) {
        EXPECT_EQ(d.ListIndex(), kFunction);
        EXPECT_EQ(d.Label1Caption, "関数名");
        EXPECT_EQ(d.Text1Text, "mod");
        EXPECT_TRUE(d.Text1Visible);
        EXPECT_EQ(d.Label2Caption, "引数の個数");
        EXPECT_EQ(d.Text2Text, "3");
        EXPECT_TRUE(d.Text2Visible);
        EXPECT_TRUE(d.Check1);
        EXPECT_TRUE(d.Check2);
        EXPECT_EQ(d.Text3Text, "20");
        d.Command2_Click();
    });
    frmMain::Command11_Click(p->s);
    EXPECT_EQ(p->ui.elementDialogs, 1);
}

TEST_F(ChangeAttributes, ANewValueKeepsTheLabelsFormatting) {
    const int c = AddElement(p->st, kConstantNumber, "1", 2000, 2000);
    FontAttr font;
    font.Bold = true;
    font.Underline = true;
    font.Size = 14;
    font.Italic = true;  // what a file may carry beside what the dialog shows
    font.Name = "IPAGothic";
    font.Weight = 700;
    p->st.Diagram.Elements[c].Font = font;
    Select(c, kSelElement);
    p->ui.elementScripts.push_back([](ElementDialog& d) {
        d.Text1Text = "2";
        d.Command1_Click();
    });
    frmMain::Command11_Click(p->s);
    EXPECT_EQ(p->st.Diagram.Elements[c].Text, "2");
    EXPECT_EQ(p->st.Diagram.Elements[c].Font, font);
}

TEST_F(ChangeAttributes, AnOperatorShowsItsSymbolAndTwoInputs) {
    const int e = AddElement(p->st, kDivide, "/", 2000, 2000);
    Select(e);
    p->ui.elementScripts.push_back([](ElementDialog& d) {
        EXPECT_EQ(d.Label1Caption, "");
        EXPECT_TRUE(d.Text1Visible);
        EXPECT_EQ(d.Text1Text, "/");
        EXPECT_EQ(d.Label2Caption, "引数の個数");
        EXPECT_EQ(d.Text2Text, "2");
        EXPECT_TRUE(d.Text2Visible);
        d.Command2_Click();
    });
    frmMain::Command11_Click(p->s);
}

TEST_F(ChangeAttributes, CancelLeavesTheElementAndThePanelAlone) {
    const int e = AddElement(p->st, kVariableNumber, "x", 2000, 2000);
    const ElementRec before = p->st.Diagram.Elements[e];
    Select(e);
    p->st.EditState = Editing::MovePoint;
    p->canvas.Picture2.Clear();
    const QImage canvas = p->canvas.Picture2.Image().copy();
    p->ui.elementScripts.push_back([](ElementDialog& d) {
        d.SetListIndex(kConstantNumber);
        d.Text1Text = "9";
        d.Command2_Click();
    });
    frmMain::Command11_Click(p->s);
    EXPECT_EQ(p->st.Diagram.Elements[e], before);
    EXPECT_EQ(p->st.EditState, Editing::Idle);
    EXPECT_TRUE(p->frm.Frame1Visible);
    EXPECT_EQ(p->canvas.Picture2.Image(), canvas) << "nothing is redrawn";
}

TEST_F(ChangeAttributes, ADialogClosedWithoutAnAnswerCountsAsCancel) {
    const int e = AddElement(p->st, kVariableNumber, "x", 2000, 2000);
    p->st.NewElement.Kind = kPlus;  // left over from an earlier use
    Select(e);
    p->ui.elementScripts.push_back([](ElementDialog& d) { d.Text1Text = "y"; });
    frmMain::Command11_Click(p->s);
    EXPECT_EQ(p->st.Diagram.Elements[e].Text, "x");
    EXPECT_EQ(p->st.NewElement.Kind, -1);
    EXPECT_TRUE(p->frm.Frame1Visible);
}

TEST_F(ChangeAttributes, OkCopiesTheResultKeepsThePlaceRedrawsAndHidesThePanel) {
    p->st.GridSize = 0;
    const int e = AddElement(p->st, kVariableNumber, "x", 2000, 2000, 400);
    p->st.Diagram.Elements[e].TextX = 111;
    Select(e);
    p->canvas.Picture2.Clear();
    p->ui.elementScripts.push_back([](ElementDialog& d) {
        d.Text1Text = "total";
        d.Check2 = true;
        d.Text3Text = "16";
        d.Command1_Click();
    });
    frmMain::Command11_Click(p->s);
    const ElementRec& r = p->st.Diagram.Elements[e];
    EXPECT_EQ(r.Text, "total");
    EXPECT_EQ(r.Kind, kVariableNumber);
    EXPECT_EQ(r.DataType, "*Undefine*");
    EXPECT_TRUE(r.Font.Underline);
    EXPECT_EQ(r.Font.Size, 16);
    EXPECT_EQ(r.X, 2000);
    EXPECT_EQ(r.R, 400);
    EXPECT_EQ(r.TextX, 111);
    EXPECT_FALSE(p->frm.Frame1Visible);
    EXPECT_EQ(p->Pixel(2400, 2000), kBlue) << "redrawn with the element still selected";
}

TEST_F(ChangeAttributes, AVariableTurnedConstantLosesItsIncomingConnectionsOnly) {
    const int a = AddElement(p->st, kConstantNumber, "1", 1000, 1000);
    const int v = AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    const int b = AddElement(p->st, kPlus, "+", 5000, 1000);
    AddConnection(p->st, a, v, "first");
    AddConnection(p->st, v, b, "out");
    AddConnection(p->st, a, v, "second");
    AddConnection(p->st, a, v, "third");
    AddConnection(p->st, a, b, "other");
    Select(v);
    p->ui.elementScripts.push_back([](ElementDialog& d) {
        d.SetListIndex(kConstantNumber);
        d.Text1Text = "42";
        d.Command1_Click();
    });
    frmMain::Command11_Click(p->s);
    ASSERT_EQ(p->st.Diagram.ConnCount, 2);
    EXPECT_EQ(p->st.Diagram.Connections[1].ArgNo, "out");
    EXPECT_EQ(p->st.Diagram.Connections[2].ArgNo, "other");
    EXPECT_EQ(p->st.Diagram.Elements[v].Value, "42");
    EXPECT_EQ(p->st.Diagram.Elements[v].DataType, "Number");
}

TEST_F(ChangeAttributes, WithoutAnElementSelectedItOnlyRedrawsAndHidesThePanel) {
    AddElement(p->st, kVariableNumber, "x", 2000, 2000);
    for (const QString& kind : {QString(), kSelLine, kSelArgText}) {
        Select(1, kind);
        p->canvas.Picture2.Clear();
        frmMain::Command11_Click(p->s);
        EXPECT_FALSE(p->frm.Frame1Visible);
        EXPECT_EQ(p->Pixel(1000, 1000), kGridColour) << "redrawn";
    }
    // A selection that names no element is no selection.
    Select(2);
    frmMain::Command11_Click(p->s);
    Select(0);
    frmMain::Command11_Click(p->s);
    EXPECT_FALSE(p->frm.Frame1Visible);
    EXPECT_EQ(p->ui.elementDialogs, 0);
}
