#include "engine/run_control.h"
#include "engine/transfer.h"
#include "model/cell_pool.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct Transfer : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    void SetUp() override { p->frm.Timer1.Enabled = true; }  // steps ask nothing

    QStringList Queued(int e, int i) const {
        QStringList out;
        for (int c = p->st.Diagram.Elements[e].ArgQueue[i]; c > 0; c = p->st.Cells[c].Next)
            out << p->st.Cells[c].Value;
        return out;
    }
    void Queue(int e, int i, const QString& type, const QString& value) {
        Long& head = p->st.Diagram.Elements[e].ArgQueue[i];
        head = AppendCell(p->st, p->ui, head, type, value);
    }
    int FreeCells() const {
        int n = 0;
        for (int c = p->st.FreeHead; c > 0; c = p->st.Cells[c].Next) ++n;
        return n;
    }
};

ConnectionRec WithArgNo(const QString& argNo) {
    ConnectionRec c;
    c.ArgNo = argNo;
    return c;
}

}  // namespace

TEST(InputIndex, ReadsTheArgumentNumberWithOneAsTheDefault) {
    EXPECT_EQ(InputIndex(WithArgNo("")), 1);
    EXPECT_EQ(InputIndex(WithArgNo("0")), 1);
    EXPECT_EQ(InputIndex(WithArgNo("-4")), 1);
    EXPECT_EQ(InputIndex(WithArgNo("abc")), 1);
    EXPECT_EQ(InputIndex(WithArgNo("2")), 2);
    EXPECT_EQ(InputIndex(WithArgNo(" 1 2")), 12);
    EXPECT_EQ(InputIndex(WithArgNo("2.5")), 2);
    EXPECT_EQ(InputIndex(WithArgNo("3.5")), 4);
    EXPECT_EQ(InputIndex(WithArgNo("0.4")), 0);
    EXPECT_EQ(InputIndex(WithArgNo("30")), 30);
    EXPECT_EQ(InputIndex(WithArgNo("31")), 31);
    EXPECT_EQ(InputIndex(WithArgNo("1e9")), 31);
}

TEST_F(Transfer, AnEmptyOrZeroArgumentNumberFeedsInputOne) {
    AddElement(p->st, kConstantNumber, "8", 1000, 1000);
    AddElement(p->st, kFunction, "sin", 3000, 1000);
    AddElement(p->st, kFunction, "sin", 3000, 3000);
    AddConnection(p->st, 1, 2, "");
    AddConnection(p->st, 1, 3, "0");
    frmMain::Command1_Click(p->s);
    ExecuteStep(p->s);
    EXPECT_EQ(Queued(2, 1), QStringList{"8"});
    EXPECT_EQ(Queued(3, 1), QStringList{"8"});
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : 定数  Number 8 転送");
}

TEST_F(Transfer, AnOfferSkipsAQueueThatStillHoldsAValue) {
    AddElement(p->st, kConstantString, "hi", 1000, 1000);
    AddElement(p->st, kFunction, "f", 3000, 1000);
    p->st.Diagram.Elements[2].ArgCount = 2;
    AddConnection(p->st, 1, 2, "1");
    AddConnection(p->st, 1, 2, "1");  // the same input twice
    AddConnection(p->st, 1, 2, "2");
    frmMain::Command1_Click(p->s);
    ExecuteStep(p->s);
    EXPECT_EQ(Queued(2, 1), QStringList{"hi"});
    EXPECT_EQ(Queued(2, 2), QStringList{"hi"});
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, -1);
    EXPECT_EQ(p->st.Diagram.Connections[2].Active, 0);
    EXPECT_EQ(p->st.Diagram.Connections[3].Active, -1);
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : 定数  String hi 転送");
}

TEST_F(Transfer, NothingSentMeansNoHighlightAndAnEmptyLineButStillTheQuestion) {
    AddElement(p->st, kConstantNumber, "1", 1000, 1000);
    AddElement(p->st, kFunction, "f", 3000, 1000);
    p->st.Diagram.Elements[2].ArgCount = 2;
    AddConnection(p->st, 1, 2, "1");
    frmMain::Command1_Click(p->s);
    ExecuteStep(p->s);
    p->frm.Timer1.Enabled = false;
    p->ui.answers = {Answer::No};
    p->st.StepElem = 0;
    ExecuteStep(p->s);
    EXPECT_EQ(p->frm.Label1Caption, "");
    EXPECT_EQ(p->ui.questions.size(), 1);
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, 0);
    EXPECT_NE(p->Pixel(1000, 800), kYellow);
    EXPECT_EQ(Queued(2, 1), QStringList{"1"});
}

TEST_F(Transfer, PushedResultsQueueUpAndAreUsedOldestFirst) {
    AddElement(p->st, kConstantNumber, "1", 1000, 1000);  // 1
    AddElement(p->st, kConstantNumber, "2", 1000, 3000);  // 2
    AddElement(p->st, kPlus, "+", 3000, 2000);            // 3
    AddElement(p->st, kVariableNumber, "v", 5000, 2000);  // 4
    AddConnection(p->st, 1, 3, "1");
    AddConnection(p->st, 2, 3, "2");
    AddConnection(p->st, 3, 4);
    frmMain::Command1_Click(p->s);
    // Feed the "+" three times without letting the variable run.
    for (const char* left : {"10", "20", "30"}) {
        Queue(3, 1, "Number", left);
        Queue(3, 2, "Number", "1");
        p->st.StepElem = 2;
        ExecuteStep(p->s);
    }
    const int head = p->st.Diagram.Elements[4].ArgQueue[1];
    EXPECT_EQ(Queued(4, 1), QStringList({"11", "21", "31"}));
    Queue(4, 1, "Number", "41");
    EXPECT_EQ(p->st.Diagram.Elements[4].ArgQueue[1], head) << "the first value stays first";

    for (const char* expected : {"11", "21", "31"}) {
        p->st.StepElem = 3;
        ExecuteStep(p->s);
        EXPECT_EQ(p->st.Diagram.Elements[4].Value, expected);
    }
    EXPECT_EQ(Queued(4, 1), QStringList{"41"});
}

TEST_F(Transfer, ArgumentNumbersBeyondTheQueuesCarryNothing) {
    AddElement(p->st, kConstantNumber, "1", 1000, 1000);
    AddElement(p->st, kPlus, "+", 3000, 1000);
    AddElement(p->st, kVariableNumber, "v", 5000, 1000);
    AddConnection(p->st, 1, 3, "31");
    AddConnection(p->st, 1, 3, "1e6");
    frmMain::Command1_Click(p->s);
    const auto before = p->st.Diagram.Elements;
    ExecuteStep(p->s);
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, 0);
    EXPECT_EQ(p->st.Diagram.Connections[2].Active, 0);
    EXPECT_EQ(p->frm.Label1Caption, "");
    EXPECT_EQ(p->st.Diagram.Elements, before);
    EXPECT_EQ(FreeCells(), kMaxCells);

    // Results are not pushed there either.
    Queue(2, 1, "Number", "1");
    Queue(2, 2, "Number", "1");
    p->st.Diagram.Connections[1].FromElem = 2;
    ExecuteStep(p->s);
    EXPECT_EQ(p->frm.Label1Caption, "ID=2 演算 : Number 1 + Number 1 ⇒ Number 2");
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, 0);
    EXPECT_EQ(FreeCells(), kMaxCells);
}

TEST_F(Transfer, AConnectionWithoutALiveTargetCarriesNothing) {
    AddElement(p->st, kConstantNumber, "1", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddConnection(p->st, 1, 2);
    AddConnection(p->st, 1, 0);  // still being drawn
    frmMain::Command1_Click(p->s);
    p->st.Diagram.Connections[1].ToElem = 7;  // beyond the count
    ExecuteStep(p->s);
    EXPECT_EQ(p->ui.TakeMessages(),
              QStringList{"始点／終点が指定されていない要素がありますので削除します。i=2"});
    EXPECT_EQ(p->frm.Label1Caption, "");
    EXPECT_EQ(FreeCells(), kMaxCells);
    EXPECT_EQ(p->st.Diagram.Elements[0].ArgQueue[1], 0);
}

TEST_F(Transfer, AnExhaustedPoolDropsEachValueWithAMessageAndTheRunGoesOn) {
    AddElement(p->st, kConstantNumber, "1", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddElement(p->st, kVariableNumber, "w", 3000, 3000);
    AddElement(p->st, kMinus, "-", 5000, 1000);
    AddElement(p->st, kVariableNumber, "r", 5000, 3000);
    AddConnection(p->st, 1, 2);
    AddConnection(p->st, 1, 3);
    AddConnection(p->st, 4, 5);
    AddConnection(p->st, 4, 2);
    frmMain::Command1_Click(p->s);
    Queue(4, 1, "Number", "5");
    Queue(4, 2, "Number", "2");
    while (AllocCell(p->st) > 0) {
    }

    ExecuteStep(p->s);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({"領域オーバーフロー", "領域オーバーフロー"}));
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : 定数  Number 1 転送") << "still counted as sent";
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, -1);
    EXPECT_EQ(p->st.Diagram.Elements[2].ArgQueue[1], -1);

    p->st.StepElem = 3;
    EXPECT_FALSE(p->frm.Timer1.Enabled) << "a full pool stops an automatic run";
    p->frm.Timer1.Enabled = true;  // 自動実行 again
    ExecuteStep(p->s);             // the "-" frees its two cells and pushes into two targets
    EXPECT_TRUE(p->ui.TakeMessages().isEmpty());
    EXPECT_EQ(Queued(5, 1), QStringList{"3"});
    EXPECT_EQ(Queued(2, 1), QStringList{"3"});
    EXPECT_EQ(p->frm.Label1Caption, "ID=4 演算 : Number 5 - Number 2 ⇒ Number 3");
}
