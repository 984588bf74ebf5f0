// 1ステップ戻る: random diagrams stepped N steps forward and k back are in exactly the run state of
// step N − k, and stepping forward again repeats the same run; breakpoints stop a run after a step
// of their element that did something; 1ステップ実行 steps as a timer tick does.

#include "app/file_commands.h"
#include "app/run_values.h"
#include "app/run_values_model.h"
#include "editor/edit_menu.h"
#include "engine/run_control.h"
#include "engine/run_menu.h"
#include "model/diagram_edit.h"
#include "render/renderer.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <memory>
#include <random>
#include <vector>

namespace {

// Everything of the run that a step may change, and what the person sees of it.
struct RunState {
    std::vector<std::tuple<Integer, QString, QString>> cells;
    Integer freeHead;
    std::vector<bool> free;
    std::vector<std::tuple<QString, QString, std::vector<Long>>> elements;
    std::vector<Integer> active;
    Integer stepElem, stopFlag;
    bool stoppedByError;
    QString status;
    std::size_t shown;  // the visible canvas, hashed

    bool operator==(const RunState&) const = default;
};

RunState Take(const TestProgram& p) {
    const SharedState& st = p.st;
    RunState r;
    for (int c = 1; c <= kMaxCells; ++c) {
        r.cells.emplace_back(st.Cells[c].Next, st.Cells[c].DataType, st.Cells[c].Value);
        r.free.push_back(st.CellIsFree[c]);
    }
    r.freeHead = st.FreeHead;
    for (int e = 1; e <= st.Diagram.ElemCount; ++e) {
        const ElementRec& el = st.Diagram.Elements[e];
        r.elements.emplace_back(el.DataType, el.Value,
                                std::vector<Long>(el.ArgQueue.begin(), el.ArgQueue.end()));
    }
    for (int j = 1; j <= st.Diagram.ConnCount; ++j)
        r.active.push_back(st.Diagram.Connections[j].Active);
    r.stepElem = st.StepElem;
    r.stopFlag = st.StopFlag;
    r.stoppedByError = st.StoppedByError;
    r.status = p.frm.Label1Caption;
    const QImage& image = p.canvas.Picture1();
    r.shown = qHashBits(image.constBits(), static_cast<std::size_t>(image.sizeInBytes()));
    return r;
}

// A random diagram that keeps its elements busy: constants and variables feeding operators and
// functions, results fed on, now and then into a queue nobody empties (so that the pool fills
// and tells so) or into a division by zero (which stops the run).
void BuildRandomDiagram(SharedState& st, std::mt19937& rng) {
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const int elements = 3 + pick(12);
    for (int i = 0; i < elements; ++i) {
        const int kind = pick(9);
        const QString text = kind == kFunction         ? (pick(2) ? "mod" : "sin")
                             : kind == kConstantString ? QStringLiteral("t%1").arg(pick(3))
                                                       : QString::number(pick(5));
        const int e = AddElement(st, kind, text, 400 + 500 * (i % 10), 400 + 900 * (i / 10), 200);
        if (kind == kFunction) st.Diagram.Elements[e].ArgCount = static_cast<Integer>(1 + pick(2));
    }
    const int connections = elements + pick(2 * elements);
    for (int j = 0; j < connections && st.Diagram.ConnCount < kMaxConnections; ++j) {
        const int to = 1 + pick(elements);
        if (st.Diagram.Elements[to].Kind <= kConstantString) continue;
        AddConnection(st, 1 + pick(elements), to, QString::number(1 + pick(2)));
    }
}

struct SteppingBack : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    void Step(int n) {
        for (int i = 0; i < n; ++i) {
            ExecuteStep(p->s, StepAsking::Never);
            p->ui.TakeMessages();
        }
    }
    void Back(int n) {
        for (int i = 0; i < n; ++i) ASSERT_TRUE(StepBack(p->s)) << "step back " << i + 1;
        p->ui.TakeMessages();
    }
};

}  // namespace

TEST_F(SteppingBack, RandomRunsGoBackExactlyAndForwardAgainTheSameWay) {
    std::mt19937 rng(20261208u);
    for (int round = 0; round < 16; ++round) {
        SCOPED_TRACE(::testing::Message() << "diagram " << round);
        p = std::make_unique<TestProgram>();
        BuildRandomDiagram(p->st, rng);
        frmMain::Command1_Click(p->s);
        RedrawDiagram(p->s, -1);
        const int total = 1 + std::uniform_int_distribution<int>(0, 300)(rng);
        std::vector<RunState> after{Take(*p)};  // after 初期化, then after each step
        for (int n = 0; n < total; ++n) {
            Step(1);
            after.push_back(Take(*p));
        }
        const int back = std::uniform_int_distribution<int>(1, total)(rng);
        Back(back);
        ASSERT_TRUE(Take(*p) == after[static_cast<std::size_t>(total - back)])
            << total << " steps, " << back << " back";
        // Forward again: the same run, step for step.
        for (int n = total - back + 1; n <= total; ++n) {
            Step(1);
            ASSERT_TRUE(Take(*p) == after[static_cast<std::size_t>(n)]) << "step " << n << " again";
        }
        // Back to the start of the run, and no further.
        Back(total);
        EXPECT_TRUE(Take(*p) == after[0]);
        EXPECT_FALSE(StepBack(p->s));
    }
}

TEST_F(SteppingBack, TheHistoryStartsAfreshWithEveryChangeThatIsNoStep) {
    BuildPoolFiller(p->st);
    frmMain::Command1_Click(p->s);
    Step(5);
    EXPECT_TRUE(CanStepBack(p->s));
    frmMain::Command1_Click(p->s);  // 初期化
    EXPECT_FALSE(CanStepBack(p->s));
    Step(5);
    RemoveElement(p->st, 4);  // records move
    EXPECT_FALSE(CanStepBack(p->s));
    Step(5);
    p->program.Dispatch([](Session& s) { frmMain::mnuEditRelease_Click(s); });  // an Edit command
    EXPECT_FALSE(CanStepBack(p->s));
    Step(5);
    const QString path = p->PathInFolder("saved.qrn");
    ASSERT_TRUE(SaveDiagram(p->s, path));
    EXPECT_TRUE(CanStepBack(p->s)) << "saving keeps the run";
    ASSERT_TRUE(LoadDiagram(p->s, path));
    EXPECT_FALSE(CanStepBack(p->s));
    // Ten thousand steps are kept.
    frmMain::Command1_Click(p->s);
    Step(RunJournal::kStepsKept + 5);
    EXPECT_EQ(p->st.Journal.Steps(), RunJournal::kStepsKept);
}

TEST_F(SteppingBack, OneStepStopsTheAutomaticRunAndAsksNothing) {
    AddElement(p->st, kConstantNumber, "5", 1000, 1000);
    AddElement(p->st, kVariableNumber, "v", 3000, 1000);
    AddConnection(p->st, 1, 2);
    frmMain::Command1_Click(p->s);
    frmMain::mnuRunStep_Click(p->s);  // the timer off: still no question
    EXPECT_TRUE(p->ui.questions.isEmpty());
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : 定数  Number 5 転送");
    EXPECT_EQ(p->Pixel(1000, 1000), kYellow);
    EXPECT_EQ(p->Pixel(2000, 1000), kRed);
    p->frm.Text1Text = "10";
    frmMain::Command3_Click(p->s);
    frmMain::mnuRunStep_Click(p->s);
    EXPECT_FALSE(p->frm.Timer1.Enabled) << "stopped as 停止 stops it";
    EXPECT_EQ(p->st.StepElem, 2);
    frmMain::Command3_Click(p->s);
    frmMain::mnuRunStepBack_Click(p->s);
    EXPECT_FALSE(p->frm.Timer1.Enabled);
    EXPECT_EQ(p->st.StepElem, 1);
    EXPECT_EQ(p->Pixel(1000, 1000), kYellow) << "the canvas as after step 1";
}

TEST_F(SteppingBack, ABreakpointStopsTheRunAfterItsElementDidSomething) {
    BuildWorkedExample(p->st);  // the "+" is element 3
    RedrawDiagram(p->s, -1);
    const QImage without = p->canvas.Picture1().copy();
    p->st.SelKind = kSelElement;
    p->st.SelIndex = 3;
    frmMain::mnuRunBreakpoint_Click(p->s);
    ASSERT_TRUE(p->st.Diagram.Elements[3].Breakpoint);
    EXPECT_NE(p->canvas.Picture1(), without) << "a marker shows";
    EXPECT_EQ(p->Pixel(3000 - 212, 2000 - 212), kRed);

    frmMain::Command1_Click(p->s);
    p->frm.Text1Text = "1";
    frmMain::Command3_Click(p->s);
    for (int tick = 0; tick < 20 && p->frm.Timer1.Enabled; ++tick) frmMain::Timer1_Timer(p->s);
    EXPECT_FALSE(p->frm.Timer1.Enabled);
    EXPECT_EQ(p->st.StepElem, 3) << "after the firing, not before";
    EXPECT_EQ(p->frm.Label1Caption, "ID=3 演算 : Number 3 + Number 4 ⇒ Number 7");

    // A step of the element that does nothing does not stop: the operator not ready.
    frmMain::Command1_Click(p->s);
    p->st.StepElem = 2;
    frmMain::Command3_Click(p->s);
    frmMain::Timer1_Timer(p->s);  // element 3 with empty inputs: 転送処理なし
    EXPECT_TRUE(p->frm.Timer1.Enabled);
    frmMain::Command4_Click(p->s);

    // 逐次実行 stops there too, after the question.
    frmMain::Command1_Click(p->s);
    p->ui.fallbackAnswer = [] { return Answer::No; };
    frmMain::Command2_Click(p->s);
    p->ui.fallbackAnswer = nullptr;
    EXPECT_EQ(p->st.StepElem, 3);
    EXPECT_EQ(p->ui.questions.size(), 3);

    // It follows its element when an earlier one goes, and a load leaves none.
    RemoveElement(p->st, 1);
    EXPECT_TRUE(p->st.Diagram.Elements[2].Breakpoint);
    EXPECT_FALSE(p->st.Diagram.Elements[3].Breakpoint);
    const QString path = p->PathInFolder("b.qrn");
    ASSERT_TRUE(SaveDiagram(p->s, path));
    ASSERT_TRUE(LoadDiagram(p->s, path));
    for (int e = 1; e <= p->st.Diagram.ElemCount; ++e)
        EXPECT_FALSE(p->st.Diagram.Elements[e].Breakpoint) << e;
}

TEST_F(SteppingBack, TheValuesTableReportsOnlyWhatTheLastStepChanged) {
    BuildPoolFiller(p->st);  // 1, 2 into "+" (3) into input 1 of "mod" (4)
    frmMain::Command1_Click(p->s);
    RunValuesModel model(p->st);
    model.Refresh();
    ASSERT_EQ(model.rowCount(), 4);
    ASSERT_EQ(model.columnCount(), kFixedColumns + 2);
    EXPECT_EQ(model.headerData(kFixedColumns + 1, Qt::Horizontal, Qt::DisplayRole), "入力2");
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    Step(3);  // the "+" fires: its inputs empty, 3 waits at the mod's input 1
    model.Refresh();
    EXPECT_EQ(model.data(model.index(3, kFixedColumns), Qt::DisplayRole), "3");
    EXPECT_TRUE(model.Changed(3, kFixedColumns));
    EXPECT_FALSE(model.Changed(3, kColumnText));
    EXPECT_EQ(model.SteppedRow(), 2);
    for (const QList<QVariant>& change : changes) {
        const int row = change[0].toModelIndex().row();
        EXPECT_NE(row, 0) << "row 1 changed nothing at the last refresh... and is no stepped row";
    }
    Step(4);  // another 3 behind the first
    model.Refresh();
    EXPECT_EQ(model.data(model.index(3, kFixedColumns), Qt::DisplayRole), "3, 3");
    changes.clear();
    model.Refresh();  // nothing new: nothing reported, the marks stay
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_TRUE(model.Changed(3, kFixedColumns));
    EXPECT_EQ(RunValuesTip(p->st, 4).split(u'\n').value(kFixedColumns), "入力1: 3, 3");
    EXPECT_EQ(ShownValue({kTypeString, "ab"}), "\"ab\"");
}
