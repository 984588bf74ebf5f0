#include "engine/run_control.h"
#include "model/cell_pool.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct RunControl : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    // The values waiting at input i of element e, oldest first.
    QStringList Queued(int e, int i) const {
        QStringList out;
        for (int c = p->st.Diagram.Elements[e].ArgQueue[i]; c > 0; c = p->st.Cells[c].Next)
            out << p->st.Cells[c].DataType + ":" + p->st.Cells[c].Value;
        return out;
    }
    void Step(Answer a) {
        p->ui.answers.push_back(a);
        ExecuteStep(p->s);
    }
    // Steps as the timer does: no question is asked.
    void AutoStep() {
        p->frm.Timer1.Enabled = true;
        ExecuteStep(p->s);
    }

    // The worked example, after 初期化.
    void BuildWorkedExample() {
        ::BuildWorkedExample(p->st);
        frmMain::Command1_Click(p->s);
    }
};

}  // namespace

TEST_F(RunControl, TheWorkedRunStepByStep) {
    BuildWorkedExample();

    Step(Answer::No);
    EXPECT_EQ(p->st.StepElem, 1);
    EXPECT_EQ(Queued(3, 1), QStringList{"Number:3"});
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : 定数  Number 3 転送");
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, -1);
    EXPECT_EQ(p->Pixel(1000, 800), kYellow);

    Step(Answer::No);
    EXPECT_EQ(p->st.StepElem, 2);
    EXPECT_EQ(Queued(3, 2), QStringList{"Number:4"});
    EXPECT_EQ(p->frm.Label1Caption, "ID=2 : 定数  Number 4 転送");
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, 0) << "each step clears the flags first";

    Step(Answer::No);
    EXPECT_EQ(p->frm.Label1Caption, "ID=3 演算 : Number 3 + Number 4 ⇒ Number 7");
    EXPECT_TRUE(Queued(3, 1).isEmpty());
    EXPECT_TRUE(Queued(3, 2).isEmpty());
    EXPECT_EQ(Queued(4, 1), QStringList{"Number:7"});
    EXPECT_EQ(p->st.Diagram.Connections[3].Active, -1);

    Step(Answer::No);
    EXPECT_EQ(p->st.StepElem, 4);
    EXPECT_EQ(p->frm.Label1Caption, "");
    EXPECT_EQ(p->st.Diagram.Elements[4].DataType, "Number");
    EXPECT_EQ(p->st.Diagram.Elements[4].Value, "7");
    EXPECT_TRUE(Queued(4, 1).isEmpty());
    EXPECT_NE(p->Pixel(5000, 1800), kYellow) << "nothing sent: no highlight";

    Step(Answer::No);
    EXPECT_EQ(p->st.StepElem, 1);
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : 定数  Number 3 転送");
    EXPECT_EQ(p->ui.questions.size(), 5);
    EXPECT_EQ(p->st.Diagram.Elements[4].Value, "7");
}

TEST_F(RunControl, AVariableTakesItsValueAndOffersItAtEveryVisit) {
    AddElement(p->st, kConstantNumber, "5", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddElement(p->st, kVariableNumber, "w", 5000, 1000);
    AddConnection(p->st, 1, 2);
    AddConnection(p->st, 2, 3);
    frmMain::Command1_Click(p->s);

    AutoStep();
    AutoStep();
    EXPECT_EQ(p->frm.Label1Caption, "ID=2 : 変数 Number 5 転送");
    EXPECT_EQ(Queued(3, 1), QStringList{"Number:5"});
    AutoStep();  // w takes the 5
    AutoStep();  // the constant offers again
    AutoStep();  // v takes it and offers once more into w's now empty input
    EXPECT_EQ(p->frm.Label1Caption, "ID=2 : 変数 Number 5 転送");
    EXPECT_EQ(p->st.Diagram.Elements[3].Value, "5");
}

TEST_F(RunControl, AVariableWithoutAValueStepsSilently) {
    AddElement(p->st, kVariableNumber, "v", 1000, 1000);
    AddElement(p->st, kVariableNumber, "w", 3000, 1000);
    AddConnection(p->st, 1, 2);
    frmMain::Command1_Click(p->s);
    p->st.Diagram.Connections[1].Active = -1;
    const int writes = p->frm.Label1Writes;

    ExecuteStep(p->s);  // no answer queued: a question would fail the test
    EXPECT_EQ(p->st.StepElem, 1);
    EXPECT_EQ(p->frm.Label1Writes, writes);
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, 0);
    EXPECT_TRUE(p->ui.questions.isEmpty());
}

TEST_F(RunControl, StepsWrapAroundAndInitialisationRewinds) {
    AddElement(p->st, kVariableNumber, "a", 1000, 1000);
    AddElement(p->st, kVariableNumber, "b", 3000, 1000);
    AddElement(p->st, kVariableNumber, "c", 5000, 1000);
    p->st.StepElem = 3;
    ExecuteStep(p->s);
    EXPECT_EQ(p->st.StepElem, 1);
    ExecuteStep(p->s);
    EXPECT_EQ(p->st.StepElem, 2);
    frmMain::Command1_Click(p->s);
    EXPECT_EQ(p->st.StepElem, 0);
    ExecuteStep(p->s);
    EXPECT_EQ(p->st.StepElem, 1);
}

TEST_F(RunControl, EntriesAboveTheCountAreNeverExecuted) {
    AddElement(p->st, kConstantNumber, "1", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddConnection(p->st, 1, 2);
    p->st.Diagram.ElemCount = 1;  // element 2 is now a stale entry
    p->st.StepElem = 1;
    frmMain::Command1_Click(p->s);
    p->st.StepElem = 5;  // beyond the count
    AutoStep();
    EXPECT_EQ(p->st.StepElem, 1);
    EXPECT_EQ(p->frm.Label1Caption, "") << "the stale target takes nothing";
}

TEST_F(RunControl, InitialisationResetsValuesQueuesAndEditingState) {
    AddElement(p->st, kConstantNumber, "12", 1000, 1000);
    AddElement(p->st, kConstantString, "ab", 1000, 3000);
    AddElement(p->st, kVariableString, "s", 3000, 1000);
    AddElement(p->st, kFunction, "sin", 3000, 3000);
    ElementRec& f = p->st.Diagram.Elements[4];
    f.DataType = "keep";
    f.Value = "me";
    f.ArgCount = 0;
    f.ArgQueue[5] = 17;  // filled through a connection beyond its inputs
    p->st.Diagram.Elements[1].Value = "old";
    p->st.Diagram.Elements[3].DataType = "Number";
    p->st.Diagram.Elements[3].Value = "9";
    p->st.EditState = Editing::ConnectInside;
    p->st.StoppedByError = true;

    frmMain::Command1_Click(p->s);
    EXPECT_EQ(p->st.Diagram.Elements[1].DataType, "Number");
    EXPECT_EQ(p->st.Diagram.Elements[1].Value, "12");
    EXPECT_EQ(p->st.Diagram.Elements[2].DataType, "String");
    EXPECT_EQ(p->st.Diagram.Elements[2].Value, "ab");
    EXPECT_EQ(p->st.Diagram.Elements[3].DataType, "*Undefine*");
    EXPECT_EQ(p->st.Diagram.Elements[3].Value, "");
    EXPECT_EQ(f.DataType, "keep");
    EXPECT_EQ(f.Value, "me");
    for (int i = 0; i <= kMaxArgs; ++i) EXPECT_EQ(f.ArgQueue[i], -1) << i;
    EXPECT_EQ(p->st.EditState, Editing::Idle);
    EXPECT_EQ(p->st.FreeHead, 1);
    EXPECT_FALSE(p->st.StoppedByError);
    EXPECT_FALSE(p->frm.Timer1.Enabled);
}

TEST_F(RunControl, ElementKindsTheProgramDoesNotKnowDoNothing) {
    AddElement(p->st, 9, "?", 1000, 1000);
    AddElement(p->st, -1, "?", 3000, 1000);
    frmMain::Command1_Click(p->s);
    const int writes = p->frm.Label1Writes;
    ExecuteStep(p->s);
    ExecuteStep(p->s);
    EXPECT_EQ(p->st.StepElem, 2);
    EXPECT_EQ(p->frm.Label1Writes, writes);
}

TEST_F(RunControl, TicksWithoutElementsDoNothing) {
    p->frm.Text1Text = "10";
    frmMain::Command3_Click(p->s);
    frmMain::Timer1_Timer(p->s);
    EXPECT_EQ(p->st.StepElem, 0);
    frmMain::Command2_Click(p->s);
    EXPECT_EQ(p->st.StepElem, 0);
}

// The manual run.

TEST_F(RunControl, TheManualRunGoesOnUntilCancel) {
    BuildWorkedExample();
    p->ui.answers = {Answer::No, Answer::No, Answer::No, Answer::No, Answer::No, Answer::Cancel};
    frmMain::Command2_Click(p->s);
    EXPECT_EQ(p->st.StopFlag, -1);
    EXPECT_EQ(p->st.StepElem, 2);
    EXPECT_EQ(p->ui.questions.size(), 6);
    EXPECT_FALSE(p->st.StoppedByError);
}

TEST_F(RunControl, TheManualRunEndsAfterAPassWithoutAQuestion) {
    AddElement(p->st, kVariableNumber, "v", 1000, 1000);
    frmMain::Command1_Click(p->s);
    frmMain::Command2_Click(p->s);
    EXPECT_EQ(p->st.StepElem, 1);
    EXPECT_EQ(p->st.StopFlag, 0);
}

TEST_F(RunControl, TheManualRunEndsWhenOnlyWaitingElementsRemain) {
    // Two functions wait for inputs that never come and the variable has no value.
    AddElement(p->st, kFunction, "sin", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddElement(p->st, kFunction, "cos", 5000, 1000);
    AddConnection(p->st, 2, 3);
    frmMain::Command1_Click(p->s);
    p->st.StepElem = 2;
    frmMain::Command2_Click(p->s);
    EXPECT_EQ(p->st.StepElem, 2) << "three silent steps, one full pass";
}

TEST_F(RunControl, TheManualRunWithTheTimerOnEndsAfterOnePass) {
    AddElement(p->st, kConstantNumber, "5", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddConnection(p->st, 1, 2);
    frmMain::Command1_Click(p->s);
    p->frm.Timer1.Enabled = true;
    frmMain::Command2_Click(p->s);
    EXPECT_EQ(p->st.StepElem, 2);
    EXPECT_EQ(p->st.Diagram.Elements[2].Value, "5");
    EXPECT_TRUE(p->ui.questions.isEmpty());
}

TEST_F(RunControl, AQuestionStartsTheSilentPassAgain) {
    // Element 1 asks at every visit; the run only ends through Cancel.
    AddElement(p->st, kConstantNumber, "5", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddElement(p->st, kVariableNumber, "w", 5000, 1000);
    frmMain::Command1_Click(p->s);
    p->ui.answers = {Answer::No, Answer::No, Answer::Cancel};
    frmMain::Command2_Click(p->s);
    EXPECT_EQ(p->ui.questions.size(), 3);
    EXPECT_EQ(p->st.StepElem, 1);
}

// The automatic run.

TEST_F(RunControl, TheIntervalIsReadFromTheTextAndRounded) {
    const std::pair<QString, int> cases[] = {{"abc", 0},    {"250.5", 250}, {"251.5", 252},
                                             {"1e3", 1000}, {"1000", 1000}, {"65535", 65535}};
    for (const auto& [text, ms] : cases) {
        p->frm.Timer1 = {};
        p->frm.Label1Caption.clear();
        p->frm.Text1Text = text;
        frmMain::Command3_Click(p->s);
        EXPECT_EQ(p->frm.Timer1.Interval, ms) << text.toStdString();
        EXPECT_TRUE(p->frm.Timer1.Enabled) << text.toStdString();
        // An interval of 0 never ticks: the status line says why nothing moves.
        EXPECT_EQ(p->frm.Label1Caption == Tr(kZeroIntervalText), ms == 0) << text.toStdString();
    }
}

TEST_F(RunControl, AnIntervalOutsideTheTimersRangeIsRefused) {
    p->frm.Text1Text = "500";
    frmMain::Command3_Click(p->s);
    for (const QString text : {"65536", "-1", "1e400"}) {
        p->frm.Text1Text = text;
        frmMain::Command3_Click(p->s);
        EXPECT_EQ(p->ui.TakeMessages(),
                  QStringList{"タイマーの間隔は 0 から 65535 ミリ秒の範囲で指定してください。"});
        EXPECT_EQ(p->frm.Timer1.Interval, 500);
        EXPECT_TRUE(p->frm.Timer1.Enabled);
    }
    frmMain::Command4_Click(p->s);
    p->frm.Text1Text = "70000";
    frmMain::Command3_Click(p->s);
    EXPECT_EQ(p->ui.TakeMessages().size(), 1);
    EXPECT_FALSE(p->frm.Timer1.Enabled);
}

TEST_F(RunControl, StopTurnsTheTimerOffAndSetsTheFlag) {
    AddElement(p->st, kConstantNumber, "5", 1000, 1000);
    frmMain::Command1_Click(p->s);
    p->frm.Text1Text = "20";
    frmMain::Command3_Click(p->s);
    EXPECT_EQ(p->st.StopFlag, 0);
    frmMain::Timer1_Timer(p->s);
    EXPECT_EQ(p->st.StepElem, 1);
    frmMain::Command4_Click(p->s);
    EXPECT_EQ(p->st.StopFlag, -1);
    EXPECT_FALSE(p->frm.Timer1.Enabled);
    frmMain::Timer1_Timer(p->s);  // a tick already on its way when the timer stopped
    EXPECT_EQ(p->st.StepElem, 1);
}

TEST_F(RunControl, ATickDuringAStepIsSkipped) {
    AddElement(p->st, kConstantNumber, "5", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddElement(p->st, kVariableNumber, "w", 3000, 3000);
    AddConnection(p->st, 1, 2);
    AddConnection(p->st, 1, 3);
    frmMain::Command1_Click(p->s);
    while (AllocCell(p->st) > 0) {
    }
    p->frm.Text1Text = "10";
    frmMain::Command3_Click(p->s);
    std::vector<int> seen;
    p->ui.onMessage = [&](const QString&) {
        EXPECT_TRUE(p->st.InStep);
        frmMain::Timer1_Timer(p->s);
        seen.push_back(p->st.StepElem);
    };
    frmMain::Timer1_Timer(p->s);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({"領域オーバーフロー", "領域オーバーフロー"}));
    EXPECT_EQ(seen, std::vector<int>({1, 1}));
    EXPECT_EQ(p->st.StepElem, 1);
    EXPECT_FALSE(p->st.InStep);
    frmMain::Command3_Click(p->s);  // the full pool stopped the run; 自動実行 resumes it
    frmMain::Timer1_Timer(p->s);
    EXPECT_EQ(p->st.StepElem, 2);
}

TEST_F(RunControl, AFullPoolStopsTheAutomaticRunBeforeItsMessage) {
    BuildPoolFiller(p->st);
    frmMain::Command1_Click(p->s);
    p->canvas.DrawingSuspended = true;  // thousands of steps; the canvas is not looked at
    p->frm.Text1Text = "1";
    frmMain::Command3_Click(p->s);
    int shown = 0;
    p->ui.onMessage = [&](const QString& text) {
        EXPECT_EQ(text, Tr(kPoolOverflow));
        EXPECT_FALSE(p->frm.Timer1.Enabled) << "the timer is off before the message shows";
        EXPECT_EQ(p->st.StopFlag, -1);
        ++shown;
    };
    int ticks = 0;
    while (shown == 0 && ticks < 5000) {
        frmMain::Timer1_Timer(p->s);
        ++ticks;
    }
    EXPECT_EQ(shown, 1);
    EXPECT_GT(ticks, 3000);
    const int stepped = p->st.StepElem;
    for (int i = 0; i < 100; ++i) frmMain::Timer1_Timer(p->s);
    EXPECT_EQ(shown, 1) << "ticks after the stop bring no message back";
    EXPECT_EQ(p->st.StepElem, stepped);

    // 自動実行 resumes the run; the next value that finds no cell stops it again.
    frmMain::Command3_Click(p->s);
    for (int i = 0; i < 8 && shown == 1; ++i) frmMain::Timer1_Timer(p->s);
    EXPECT_EQ(shown, 2);
    EXPECT_FALSE(p->frm.Timer1.Enabled);
    p->ui.TakeMessages();
}

TEST_F(RunControl, ButtonsPressedDuringAStepDoNotDisturbIt) {
    AddElement(p->st, kConstantNumber, "5", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddConnection(p->st, 1, 2);
    frmMain::Command1_Click(p->s);
    while (AllocCell(p->st) > 0) {
    }
    p->frm.Timer1.Enabled = true;
    p->ui.onMessage = [&](const QString&) {
        frmMain::Command1_Click(p->s);
        frmMain::Command2_Click(p->s);
    };
    ExecuteStep(p->s);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList{"領域オーバーフロー"});
    EXPECT_EQ(p->st.StepElem, 1);
    EXPECT_EQ(p->st.FreeHead, -1) << "the pool was not reset under the step";
}

TEST_F(RunControl, AnArithmeticErrorStopsTheAutomaticRun) {
    AddElement(p->st, kConstantNumber, "1", 1000, 1000);
    AddElement(p->st, kConstantNumber, "0", 1000, 3000);
    AddElement(p->st, kDivide, "/", 3000, 2000);
    AddElement(p->st, kVariableNumber, "q", 5000, 2000);
    AddConnection(p->st, 1, 3, "1");
    AddConnection(p->st, 2, 3, "2");
    AddConnection(p->st, 3, 4);
    frmMain::Command1_Click(p->s);
    p->frm.Text1Text = "100";
    frmMain::Command3_Click(p->s);
    p->ui.onMessage = [&](const QString&) { frmMain::Timer1_Timer(p->s); };

    for (int tick = 0; tick < 3; ++tick) frmMain::Timer1_Timer(p->s);
    const QStringList shown = p->ui.TakeMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("ID=3")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("「/」"));
    EXPECT_TRUE(shown[0].contains("0 で割ろうとしました"));
    EXPECT_EQ(p->st.StopFlag, -1);
    EXPECT_FALSE(p->frm.Timer1.Enabled);
    EXPECT_TRUE(p->st.StoppedByError);
    EXPECT_EQ(p->frm.Label1Caption, "ID=3 停止 : 0 で割ろうとしました。");
    EXPECT_EQ(p->Pixel(3000, 1800), kYellow) << "the failing element is shown";
    EXPECT_TRUE(Queued(3, 1).isEmpty()) << "the inputs were taken";
    EXPECT_TRUE(Queued(4, 1).isEmpty()) << "nothing was pushed";

    frmMain::Timer1_Timer(p->s);
    EXPECT_EQ(p->st.StepElem, 3) << "no more steps once stopped";

    p->frm.Text1Text = "100";
    frmMain::Command3_Click(p->s);
    EXPECT_FALSE(p->st.StoppedByError) << "a new run clears the reason of the last stop";
}

TEST_F(RunControl, AnArithmeticErrorEndsTheManualRun) {
    AddElement(p->st, kConstantNumber, "0", 1000, 1000);
    AddElement(p->st, kFunction, "mod", 3000, 1000);
    p->st.Diagram.Elements[2].ArgCount = 2;
    AddConnection(p->st, 1, 2, "1");
    AddConnection(p->st, 1, 2, "2");
    frmMain::Command1_Click(p->s);
    p->ui.answers = {Answer::No};
    frmMain::Command2_Click(p->s);
    EXPECT_EQ(p->ui.TakeMessages().size(), 1);
    EXPECT_EQ(p->st.StepElem, 2);
    EXPECT_TRUE(p->st.StoppedByError);
    EXPECT_EQ(p->st.StopFlag, -1);
}
