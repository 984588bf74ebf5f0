#include "engine/operators.h"
#include "engine/run_control.h"
#include "model/cell_pool.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// One operator or function element (1) whose result goes to a variable (2); its inputs are
// filled by hand and it is stepped as the timer would, so no question is asked.
struct Firing : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    void Make(int kind, const QString& text, int argCount) {
        AddElement(p->st, kind, text, 2000, 2000);
        p->st.Diagram.Elements[1].ArgCount = static_cast<Integer>(argCount);
        AddElement(p->st, kVariableNumber, "out", 4500, 2000);
        AddConnection(p->st, 1, 2);
        frmMain::Command1_Click(p->s);
        p->frm.Timer1.Enabled = true;
    }
    void Queue(int i, const QString& type, const QString& value) {
        Long& head = p->st.Diagram.Elements[1].ArgQueue[i];
        head = AppendCell(p->st, p->ui, head, type, value);
    }
    QStringList Queued(int e, int i) const {
        QStringList out;
        for (int c = p->st.Diagram.Elements[e].ArgQueue[i]; c > 0; c = p->st.Cells[c].Next)
            out << p->st.Cells[c].DataType + ":" + p->st.Cells[c].Value;
        return out;
    }
    // Steps element 1 and returns what it pushed to the variable, as "type:value".
    QString Fire() {
        const qsizetype before = Queued(2, 1).size();
        p->st.StepElem = 0;
        ExecuteStep(p->s);
        const QStringList pushed = Queued(2, 1);
        return pushed.size() > before ? pushed.last() : QString("(nothing)");
    }
    QString Operate(const QString& tL, const QString& sL, const QString& tR, const QString& sR) {
        Queue(1, tL, sL);
        Queue(2, tR, sR);
        return Fire();
    }
};

}  // namespace

TEST_F(Firing, PlusAddsNumbersAndTracesTheOperation) {
    Make(kPlus, "+", 2);
    EXPECT_EQ(Operate("Number", "3", "Number", "4"), "Number:7");
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 演算 : Number 3 + Number 4 ⇒ Number 7");
    EXPECT_EQ(p->Pixel(2000, 1800), kYellow);
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, -1);
}

TEST_F(Firing, PlusJoinsTextsWhenEitherSideIsAString) {
    Make(kPlus, "+", 2);
    EXPECT_EQ(Operate("String", "ab", "Number", "1"), "String:ab1");
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 演算 : String ab + Number 1 ⇒ String ab1");
    EXPECT_EQ(Operate("Number", "1", "String", "ab"), "String:1ab");
    EXPECT_EQ(Operate("string", "2", "*Undefine*", "x"), "Number:2")
        << "only the exact type text String joins";
}

TEST_F(Firing, TheOtherOperatorsAlwaysCompute) {
    Make(kMinus, "-", 2);
    EXPECT_EQ(Operate("String", "10", "String", "4"), "Number:6");
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 演算 : String 10 - String 4 ⇒ Number 6");
    EXPECT_EQ(Operate("Number", "abc", "Number", "2.5"), "Number:-2.5");
    p->st.Diagram.Elements[1].Kind = kTimes;
    EXPECT_EQ(Operate("Number", "12abc", "Number", "1 2"), "Number:144");
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 演算 : Number 12abc * Number 1 2 ⇒ Number 144");
    p->st.Diagram.Elements[1].Kind = kDivide;
    EXPECT_EQ(Operate("Number", "1", "Number", "3"), "Number:0.333333333333333");
    EXPECT_EQ(Operate("Number", "-7", "Number", "2"), "Number:-3.5");
}

TEST_F(Firing, AnOperatorWithAnEmptyInputWaitsAndSaysSo) {
    Make(kPlus, "+", 2);
    Queue(1, "Number", "5");
    p->frm.Timer1.Enabled = false;
    p->ui.answers = {Answer::No};
    EXPECT_EQ(Fire(), "(nothing)");
    EXPECT_EQ(p->frm.Label1Caption, "転送処理なし");
    EXPECT_EQ(p->ui.questions.size(), 1);
    EXPECT_NE(p->Pixel(2000, 1800), kYellow);
    EXPECT_EQ(Queued(1, 1), QStringList{"Number:5"});
}

TEST_F(Firing, ASecondQueuedValueWaitsForTheNextFiring) {
    Make(kMinus, "-", 2);
    Queue(1, "Number", "10");
    Queue(1, "Number", "20");
    Queue(2, "Number", "1");
    Queue(2, "Number", "2");
    EXPECT_EQ(Fire(), "Number:9");
    EXPECT_EQ(Queued(1, 1), QStringList{"Number:20"});
    EXPECT_EQ(Queued(1, 2), QStringList{"Number:2"});
    EXPECT_EQ(Fire(), "Number:18");
}

TEST_F(Firing, AnOperatorWithoutOutgoingConnectionsStillReports) {
    Make(kPlus, "+", 2);
    p->st.Diagram.ConnCount = 0;
    Queue(1, "Number", "1");
    Queue(2, "Number", "2");
    Fire();
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 演算 : Number 1 + Number 2 ⇒ Number 3");
    EXPECT_EQ(p->Pixel(2000, 1800), kYellow);
}

// Functions.

TEST_F(Firing, ModRoundsItsOperandsHalvesToEven) {
    Make(kFunction, "mod", 2);
    EXPECT_EQ(Operate("Number", "7.5", "Number", "2"), "Number:0");
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : mod(7.5, 2) ⇒ Number 0");
    EXPECT_EQ(Operate("Number", "6.5", "Number", "4"), "Number:2");
    EXPECT_EQ(Operate("String", "7", "String", "3"), "Number:1");
}

TEST_F(Firing, ModTakesTheSignOfTheLeftOperand) {
    Make(kFunction, "mod", 2);
    EXPECT_EQ(Operate("Number", "-7", "Number", "3"), "Number:-1");
    EXPECT_EQ(Operate("Number", "7", "Number", "-3"), "Number:1");
    EXPECT_EQ(Operate("Number", "-2147483648", "Number", "-1"), "Number:0");
    EXPECT_EQ(Operate("Number", "2147483647", "Number", "10"), "Number:7");
}

TEST_F(Firing, SineAndCosineUseTheFirstInput) {
    Make(kFunction, "sin", 1);
    Queue(1, "Number", "0");
    EXPECT_EQ(Fire(), "Number:0");
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : sin(0) ⇒ Number 0");
    p->st.Diagram.Elements[1].Text = "cos";
    Queue(1, "Number", "0");
    EXPECT_EQ(Fire(), "Number:1");
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : cos(0) ⇒ Number 1");
    Queue(1, "Number", "3.14159265358979");
    EXPECT_EQ(Fire(), "Number:-1");
}

TEST_F(Firing, InputsAFunctionDoesNotUseAreConsumedAllTheSame) {
    Make(kFunction, "sin", 3);
    Queue(1, "Number", "0");
    Queue(2, "Number", "5");
    Queue(3, "Number", "6");
    Queue(3, "Number", "7");
    EXPECT_EQ(Fire(), "Number:0");
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : sin(0) ⇒ Number 0");
    EXPECT_TRUE(Queued(1, 2).isEmpty());
    EXPECT_EQ(Queued(1, 3), QStringList{"Number:7"});
}

TEST_F(Firing, AnUnknownNameYieldsEmptyTextsButStillConsumes) {
    Make(kFunction, "MOD", 2);
    EXPECT_EQ(Operate("Number", "7", "Number", "3"), ":");
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : MOD(7, 3) ⇒  ");
    EXPECT_TRUE(Queued(1, 1).isEmpty());
    EXPECT_TRUE(Queued(1, 2).isEmpty());
    // A variable that receives the empty type has a value and offers it.
    p->st.StepElem = 1;
    ExecuteStep(p->s);
    EXPECT_EQ(p->st.Diagram.Elements[2].DataType, "");
}

TEST_F(Firing, AFunctionWithNoArgumentCountWaitsForOneInput) {
    Make(kFunction, "cos", 0);
    const int writes = p->frm.Label1Writes;
    p->frm.Timer1.Enabled = false;  // a question here would fail the test
    EXPECT_EQ(Fire(), "(nothing)");
    EXPECT_EQ(p->frm.Label1Writes, writes) << "a waiting function is silent";
    p->frm.Timer1.Enabled = true;
    Queue(1, "Number", "0");
    EXPECT_EQ(Fire(), "Number:1");
}

TEST_F(Firing, AFunctionWaitsUntilEveryInputHoldsAValue) {
    Make(kFunction, "mod", 2);
    Queue(1, "Number", "7");
    const int writes = p->frm.Label1Writes;
    EXPECT_EQ(Fire(), "(nothing)");
    EXPECT_EQ(p->frm.Label1Writes, writes);
    EXPECT_EQ(Queued(1, 1), QStringList{"Number:7"});
}

TEST_F(Firing, AFunctionWithMoreThanThirtyArgumentsUsesThirtyInputs) {
    Make(kFunction, "f", 45);
    for (int i = 1; i <= kMaxArgs; ++i) Queue(i, "Number", QString::number(i));
    EXPECT_EQ(Fire(), ":");
    EXPECT_TRUE(p->frm.Label1Caption.startsWith("ID=1 : f(1, 2, 3,"));
    EXPECT_TRUE(p->frm.Label1Caption.endsWith(", 29, 30) ⇒  "));
    frmMain::Command1_Click(p->s);  // resetting an element with such a count stays in its table
    EXPECT_EQ(p->st.Diagram.Elements[1].ArgQueue[kMaxArgs], -1);
}

// Arithmetic that has no result stops the run.

TEST_F(Firing, ArithmeticWithoutAResultStopsTheRunWithAMessage) {
    struct Case {
        int kind;
        QString text;
        QString left, right;
        QString why;
    };
    const Case cases[] = {
        {kDivide, "/", "5", "0", "0 で割ろうとしました。"},
        {kDivide, "/", "0", "0", "0 を 0 で割ろうとしました。"},
        {kTimes, "*", "1e200", "1e200", "計算結果がオーバーフローしました。"},
        {kPlus, "+", "1e999", "-1e999", "計算結果が数値になりません。"},
        {kMinus, "-", "-1e308", "1e308", "計算結果がオーバーフローしました。"},
        {kDivide, "/", "1e300", "1e-300", "計算結果がオーバーフローしました。"},
        {kFunction, "mod", "7", "0.4", "mod で 0 による除算が発生しました。"},
        {kFunction, "mod", "2147483648", "3", "mod の引数が 32 ビット整数の範囲を超えています。"},
        {kFunction, "mod", "5", "-2147483649", "mod の引数が 32 ビット整数の範囲を超えています。"},
        {kFunction, "sin", "1e999", "0", "計算結果が数値になりません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + c.left.toStdString() + " " +
                     c.right.toStdString());
        p = std::make_unique<TestProgram>();
        Make(c.kind, c.text, 2);
        p->frm.Text1Text = "50";
        frmMain::Command3_Click(p->s);
        EXPECT_EQ(Operate("Number", c.left, "Number", c.right), "(nothing)");
        EXPECT_EQ(p->ui.TakeMessages(),
                  QStringList{"要素 ID=1 「" + c.text +
                              "」 でエラーが発生したため、実行を停止しました。\r\n" + c.why});
        EXPECT_EQ(p->frm.Label1Caption, "ID=1 停止 : " + c.why);
        EXPECT_TRUE(Queued(1, 1).isEmpty());
        EXPECT_TRUE(Queued(1, 2).isEmpty());
        EXPECT_FALSE(p->frm.Timer1.Enabled);
        EXPECT_EQ(p->st.StopFlag, -1);
        EXPECT_TRUE(p->st.StoppedByError);
        EXPECT_EQ(p->st.Diagram.Connections[1].Active, 0);
    }
}

TEST_F(Firing, AJoinedTextLongerThanTheLimitStopsTheRun) {
    Make(kPlus, "+", 2);
    EXPECT_EQ(TooLongMessage(), QStringLiteral("計算結果の文字列が長すぎます（65536 文字まで）。"));
    const QString half(kMaxResultLength / 2, u'a');
    EXPECT_EQ(Operate("String", half, "String", half), "String:" + half + half);  // just fits
    EXPECT_TRUE(p->ui.TakeMessages().isEmpty());
    EXPECT_EQ(Operate("String", half + half, "Number", "1"), "(nothing)");
    EXPECT_EQ(p->ui.TakeMessages(),
              QStringList{"要素 ID=1 「+」 でエラーが発生したため、実行を停止しました。\r\n" +
                          TooLongMessage()});
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 停止 : " + TooLongMessage());
    EXPECT_TRUE(Queued(1, 1).isEmpty());
    EXPECT_TRUE(Queued(1, 2).isEmpty());
    EXPECT_TRUE(p->st.StoppedByError);
    EXPECT_FALSE(p->frm.Timer1.Enabled);
}

TEST_F(Firing, ModOnAnElementWithOneInputIsAnError) {
    Make(kFunction, "mod", 1);
    p->frm.Timer1.Enabled = false;  // the run stops without a question
    Queue(1, "Number", "7");
    EXPECT_EQ(Fire(), "(nothing)");
    const QStringList shown = p->ui.TakeMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].endsWith("mod には引数が 2 つ必要です。"));
    EXPECT_TRUE(Queued(1, 1).isEmpty());
    EXPECT_EQ(p->st.StopFlag, -1);
}
