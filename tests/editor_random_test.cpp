// Random presses, moves, menu commands, panel buttons, run steps and dialog answers on random
// diagrams and on the example file, some of them far out (1E+16); after every event the model
// must still be sound, and with the edit history looking as the window has it look, undo and redo
// must give back every diagram recorded. QUILLRUN_SEED picks another seed and QUILLRUN_EVENTS
// another number of events for the soundness run.

#include "app/file_commands.h"
#include "app/grid.h"
#include "editor/canvas_keys.h"
#include "editor/edit_history.h"
#include "editor/edit_menu.h"
#include "editor/selection_panel.h"
#include "editor_support.h"
#include "engine/run_control.h"
#include "model/diagram_edit.h"
#include "model/diagram_file.h"
#include "model/element_value.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <QUndoStack>
#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

// The drawing in d, as undo and redo are to give it back: the finished connections, and no
// queues, no flags of the last step, no bend points above a count and none of the values that a
// run gives variables and that 初期化 gives constants from their texts (those a function or an
// operator carries stay).
std::unique_ptr<DiagramTables> Drawing(const DiagramTables& d) {
    auto t = std::make_unique<DiagramTables>(WithoutUnfinishedConnections(d));
    for (int i = 1; i <= t->LiveElements(); ++i) {
        ElementRec& e = t->Elements[i];
        e.ArgQueue.fill(0);
        if (!RunOwnsValue(e.Kind)) continue;
        e.DataType.clear();
        e.Value.clear();
    }
    for (int j = 1; j <= t->LiveConnections(); ++j) {
        ConnectionRec& c = t->Connections[j];
        c.Active = 0;
        // Slots above the bend point count keep points that were taken out; they mean nothing.
        for (int k = std::max<int>(c.PointCount, 0) + 1; k <= kMaxPoints; ++k) c.Points[k] = {};
    }
    return t;
}

// Its file, for the messages and for comparing with a file written: far out (1E+16) the file's
// fifteen digits cannot tell every two places apart, so the tables are what is compared.
std::string FileText(const DiagramTables& drawing) {
    return WriteDiagram(drawing).toStdString();
}

// What an event did to the edit history.
enum class Step { Other, Undone, Redone };

class RandomSession {
public:
    // A random diagram, or the one in file when a path is given, opened as 開く opens it.
    explicit RandomSession(unsigned seed, const QString& file = {}) : rng_(seed) {
        p_->ui.fallbackAnswer = [this] { return Pick(3) == 0 ? Answer::Cancel : Answer::No; };
        p_->ui.fallbackElementScript = [this](ElementDialog& d) { AnswerElementDialog(d); };
        p_->ui.fallbackArgNoScript = [this](ArgNoDialog& d) { AnswerArgNoDialog(d); };
        p_->frm.Timer1.Enabled = true;  // steps ask no questions
        p_->frm.Timer1.Interval = 1;
        if (!file.isEmpty()) {
            EXPECT_TRUE(LoadDiagram(p_->s, file)) << file.toStdString();
            // The bend of the example's connection far below the canvas, as a file may have it.
            if (Pick(2) == 0 && p_->st.Diagram.ConnCount >= 1)
                p_->st.Diagram.Connections[1].Points[1].Y = 1E+16;
            return;
        }
        const int elements = Pick(12);
        for (int i = 0; i < elements; ++i)
            AddElement(p_->st, Pick(9), QString::number(Pick(20)), Coordinate(6000),
                       Coordinate(4000), 100 + Pick(500));
        for (int j = 0; elements > 0 && j < Pick(15); ++j)
            AddConnection(p_->st, 1 + Pick(elements), 1 + Pick(elements), QString::number(Pick(4)),
                          {{Coordinate(6000), Pick(8) == 0 ? 1E+16 : Coordinate(4000)}});
    }

    ~RandomSession() {
        p_->ui.TakeMessages();
        p_->ui.fallbackAnswer = nullptr;
    }

    // From now on the edit history looks after every handler, as the window has it look; undo
    // and redo become events too.
    void KeepHistory() {
        history_ = std::make_unique<EditHistory>(p_->s);
        p_->s.changes = history_.get();
    }
    const EditHistory& History() const { return *history_; }
    // A press, a pick-up or a radius still wants its end: what it changed is no edit yet.
    bool GestureUnderWay() const {
        const Editing state = p_->st.EditState;
        return state != Editing::Idle && state != Editing::PlaceCentre &&
               state != Editing::ConnectStart;
    }

    Step Event() {
        SharedState& st = p_->st;
        if (history_ && Pick(25) == 0) return Pick(2) == 0 ? Undo() : Redo();
        if (Pick(60) == 0) {
            static const char* const sizes[] = {"0", "100", "50", "7", "-100"};
            GridDialog grid(p_->s);
            grid.Text1Text = QString::fromLatin1(sizes[Pick(5)]);
            Handle([&] { grid.Command1_Click(); });
            p_->ui.TakeMessages();
            return Step::Other;
        }
        if (Pick(50) == 0) {
            const int key = Pick(2) == 0 ? Qt::Key_Delete : Qt::Key_Escape;
            if (key == Qt::Key_Delete && ElementSelected(st)) cellsMayLeak_ = true;
            Handle([&] { frmMain::Picture1_KeyDown(p_->s, key); });
            if (key == Qt::Key_Escape) cellsMayLeak_ = false;  // as 選択解除, it relinks the pool
            p_->ui.TakeMessages();
            return Step::Other;
        }
        const int kind = Pick(100);
        float x, y;
        Target(x, y);
        if (kind < 35) {
            Handle([&] { frmMain::Picture1_MouseDown(p_->s, 1, 0, x, y); });
        } else if (kind < 45) {
            Handle([&] { frmMain::Picture1_MouseDown(p_->s, 2, 0, x, y); });
        } else if (kind < 75) {
            Handle([&] { frmMain::Picture1_MouseMove(p_->s, 0, 0, x, y); }, kUnlessAGestureEnds);
        } else if (kind < 78) {
            Handle([&] { frmMain::mnuEditAddElement_Click(p_->s); });
        } else if (kind < 82) {
            Handle([&] { frmMain::mnuConect_Click(p_->s); });
        } else if (kind < 84) {
            Handle([&] { frmMain::mnuEditRelease_Click(p_->s); });
            cellsMayLeak_ = false;
        } else if (kind < 94) {
            static void (*const panel[])(Session&) = {
                frmMain::Command5_Click, frmMain::Command6_Click, frmMain::Command7_Click,
                frmMain::Command8_Click, frmMain::Command9_Click, frmMain::Command10_Click,
                frmMain::Command11_Click};
            const int button = Pick(7);
            if (button == 2 && ElementSelected(st)) cellsMayLeak_ = true;
            Handle([&] { panel[button](p_->s); });
        } else if (kind < 99) {
            Handle([&] { ExecuteStep(p_->s); }, kUnlessAGestureEnds);
        } else {
            Handle([&] { frmMain::Command1_Click(p_->s); });
            cellsMayLeak_ = false;
        }
        if (kind < 84 && kind >= 75) cellsMayLeak_ = false;  // the Edit menu relinks the pool
        p_->ui.TakeMessages();
        p_->ui.questions.clear();
        return Step::Other;
    }

    // 元に戻す and やり直し as the Edit menu gives them; Other when nothing was taken back or
    // done again (in the middle of a gesture 元に戻す only ends it).
    Step Undo() {
        const bool undoes = p_->st.EditState == Editing::Idle && history_->CanUndo();
        Handle([&] { history_->Undo(); });
        cellsMayLeak_ = false;
        p_->ui.TakeMessages();
        return undoes ? Step::Undone : Step::Other;
    }
    Step Redo() {
        const bool redoes = history_->CanRedo();
        Handle([&] { history_->Redo(); });
        if (redoes) cellsMayLeak_ = false;
        return redoes ? Step::Redone : Step::Other;
    }

    // The file of the diagram as it stands, leaving out the values a run changes.
    std::unique_ptr<DiagramTables> Drawn() const { return Drawing(p_->st.Diagram); }

    // 保存 into the program folder; the bytes of the file written.
    QByteArray Save() {
        const QString path = p_->PathInFolder(QStringLiteral("saved.qrn"));
        Handle([&] { EXPECT_TRUE(SaveDiagram(p_->s, path)); });
        return ReadFile(path);
    }

    // Checks the model; returns a description of the first fault found.
    std::string Fault() const {
        const SharedState& st = p_->st;
        if (st.Diagram.ElemCount < 0 || st.Diagram.ElemCount > kMaxElements) return "element count";
        if (st.Diagram.ConnCount < 0 || st.Diagram.ConnCount > kMaxConnections)
            return "connection count";
        for (int j = 1; j <= st.Diagram.ConnCount; ++j) {
            const ConnectionRec& c = st.Diagram.Connections[j];
            if (c.PointCount < 0 || c.PointCount > kMaxPoints) return "bend point count";
            if (c.FromElem < 1 || c.FromElem > st.Diagram.ElemCount)
                return "connection from a dead element";
            if (c.ToElem < 0 || c.ToElem > st.Diagram.ElemCount)
                return "connection to a dead element";
        }
        std::vector<int> seen(kMaxCells + 1, 0);
        auto walk = [&](int head) {
            for (int c = head, n = 0; c > 0; c = st.Cells[c].Next) {
                if (c > kMaxCells || ++n > kMaxCells) return false;
                if (++seen[c] > 1) return false;
            }
            return true;
        };
        if (!walk(st.FreeHead)) return "free list";
        for (int i = 1; i <= st.Diagram.ElemCount; ++i)
            for (int k = 0; k <= kMaxArgs; ++k)
                if (!walk(st.Diagram.Elements[i].ArgQueue[k])) return "a cell in two chains";
        if (!cellsMayLeak_)
            for (int c = 1; c <= kMaxCells; ++c)
                if (seen[c] != 1) return "a cell in no chain";
        return {};
    }

    // After a full redraw no connection is unfinished.
    std::string FaultAfterRedraw() {
        frmMain::mnuEditRelease_Click(p_->s);
        p_->ui.TakeMessages();
        cellsMayLeak_ = false;
        for (int j = 1; j <= p_->st.Diagram.ConnCount; ++j)
            if (p_->st.Diagram.Connections[j].ToElem < 1)
                return "an unfinished connection survived";
        return Fault();
    }

private:
    // Pointer moves and timer ticks only edit when they end a gesture: the window looks for an
    // edit after them only then.
    static constexpr bool kUnlessAGestureEnds = true;
    void Handle(const std::function<void()>& handler, bool unlessAGestureEnds = false) {
        const Editing before = p_->st.EditState;
        handler();
        if (history_ && (!unlessAGestureEnds || p_->st.EditState != before)) history_->Observe();
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    float Coordinate(int range) { return static_cast<float>(Pick(range + 1)); }

    // Half of the positions aim at something that exists, so that things get hit; a few lie
    // far out.
    void Target(float& x, float& y) {
        const SharedState& st = p_->st;
        x = Coordinate(6500) - 100;
        y = Coordinate(4400) - 100;
        if (Pick(40) == 0) (Pick(2) == 0 ? x : y) = Pick(2) == 0 ? 1E+16f : -1E+16f;
        if (Pick(2) == 0) return;
        if (Pick(2) == 0 && st.Diagram.ElemCount > 0) {
            const ElementRec& e = st.Diagram.Elements[1 + Pick(st.Diagram.ElemCount)];
            x = static_cast<float>(e.X + Pick(41) - 20);
            y = static_cast<float>(e.Y + Pick(41) - 20);
        } else if (st.Diagram.ConnCount > 0) {
            const ConnectionRec& c = st.Diagram.Connections[1 + Pick(st.Diagram.ConnCount)];
            if (c.PointCount > 0) {
                const PointRec& q = c.Points[1 + Pick(std::min<int>(c.PointCount, kMaxPoints))];
                x = static_cast<float>(q.X + Pick(61) - 30);
                y = static_cast<float>(q.Y + Pick(61) - 30);
            }
        }
    }

    void AnswerElementDialog(ElementDialog& d) {
        if (Pick(4) == 0) {
            d.Command2_Click();
            return;
        }
        d.SetListIndex(Pick(9));
        if (d.Text1Visible)
            d.Text1Text = Pick(3) == 0   ? QStringLiteral("mod")
                          : Pick(3) == 0 ? QStringLiteral("合計")
                                         : QString::number(Pick(9));
        if (d.Text2Visible) d.Text2Text = QString::number(Pick(5));
        d.Command1_Click();
        if (!d.Closed()) d.Command2_Click();
    }

    void AnswerArgNoDialog(ArgNoDialog& d) {
        if (Pick(5) == 0) {
            d.Command2_Click();
            return;
        }
        if (!d.List1.isEmpty()) d.SetListIndex(Pick(static_cast<int>(d.List1.size())));
        d.Command1_Click();
        if (!d.Closed()) d.Command2_Click();
    }

    std::mt19937 rng_;
    std::unique_ptr<TestProgram> p_ = std::make_unique<TestProgram>();
    std::unique_ptr<EditHistory> history_;
    bool cellsMayLeak_ = false;
};

unsigned SeedFromEnvironment() {
    bool ok = false;
    const unsigned seed = qEnvironmentVariable("QUILLRUN_SEED").toUInt(&ok);
    return ok ? seed : 20261207u;
}

int EventsFromEnvironment() {
    bool ok = false;
    const int events = qEnvironmentVariable("QUILLRUN_EVENTS").toInt(&ok);
    return ok && events > 0 ? events : 100000;
}

}  // namespace

TEST(RandomEditing, TheModelStaysSoundThroughRandomEvents) {
    const unsigned seed = SeedFromEnvironment();
    const int total = EventsFromEnvironment();
    constexpr int kEventsPerDiagram = 2000;
    for (int done = 0, round = 0; done < total; ++round) {
        RandomSession session(seed + static_cast<unsigned>(round));
        for (int i = 0; i < kEventsPerDiagram && done < total; ++i, ++done) {
            session.Event();
            const std::string fault = session.Fault();
            ASSERT_TRUE(fault.empty()) << fault << " after event " << i << " of diagram " << round
                                       << " (seed " << seed << ")";
        }
        const std::string fault = session.FaultAfterRedraw();
        ASSERT_TRUE(fault.empty())
            << fault << " after diagram " << round << " (seed " << seed << ")";
    }
}

namespace {

// The drawings the history should hold: the one before the oldest step kept, then the one after
// each step, and which of them is the diagram now.
class RecordedDiagrams {
public:
    explicit RecordedDiagrams(RandomSession& session) : session_(session) {
        QObject::connect(&session.History().Stack(), &QUndoStack::indexChanged, &watching_,
                         [this] { ++stackMoves_; });
        drawings_.push_back(session.Drawn());
    }

    // Follows one event; false (with a failure reported) when the diagram is not the one the
    // history should have given.
    bool Follow(Step step, const std::string& where) {
        const int moves = stackMoves_;
        stackMoves_ = 0;
        if (step == Step::Undone) --at_;
        if (step == Step::Redone) ++at_;
        if (step == Step::Other && moves > 0) {  // a new edit: what was undone is gone
            drawings_.resize(static_cast<std::size_t>(at_) + 1);
            // A step that changes nothing would be an undo that does nothing.
            std::unique_ptr<DiagramTables> now = session_.Drawn();
            EXPECT_FALSE(*now == *drawings_.back()) << where << "\n" << FileText(*now);
            drawings_.push_back(std::move(now));
            ++at_;
            if (drawings_.size() > EditHistory::kStepsKept + 1u) {
                drawings_.erase(drawings_.begin());
                --at_;
            }
        }
        EXPECT_LE(moves, 1) << where;
        EXPECT_GE(at_, 0) << where;
        if (at_ < 0 || at_ >= static_cast<int>(drawings_.size())) return false;
        if (step == Step::Other && session_.GestureUnderWay()) return true;
        const std::unique_ptr<DiagramTables> now = session_.Drawn();
        const DiagramTables& expected = *drawings_[static_cast<std::size_t>(at_)];
        if (*now == expected) return true;
        EXPECT_EQ(FileText(*now), FileText(expected)) << where;
        ADD_FAILURE() << "the tables are not the ones recorded, " << where;
        return false;
    }

    bool AtOldest() const { return at_ == 0; }
    bool AtNewest() const { return at_ + 1 == static_cast<int>(drawings_.size()); }

private:
    RandomSession& session_;
    std::vector<std::unique_ptr<DiagramTables>> drawings_;
    int at_ = 0;
    int stackMoves_ = 0;
    QObject watching_;  // the count of stack moves stops with these records
};

// Random events with the history looking, then 保存, every edit undone and every edit redone:
// each diagram on the way back and forth is one recorded, and the last is the one saved.
void UndoAllAndRedoAll(RandomSession& session, int events, const std::string& name) {
    session.KeepHistory();
    RecordedDiagrams recorded(session);
    for (int i = 0; i < events; ++i) {
        const std::string where = name + ", event " + std::to_string(i);
        const Step step = session.Event();
        ASSERT_TRUE(recorded.Follow(step, where));
    }
    const QByteArray saved = session.Save();
    ASSERT_FALSE(saved.isEmpty()) << name;
    EXPECT_FALSE(session.History().Modified()) << name;
    // Redoing everything ends on the saved diagram unless edits undone before the save wait to be
    // redone; the first 元に戻す may only end a gesture, and an edit that makes drops them.
    bool savedIsNewest = recorded.AtNewest();
    for (int n = 0; session.History().CanUndo(); ++n) {
        ASSERT_LE(n, EditHistory::kStepsKept + 1) << name;
        const Step step = session.Undo();
        ASSERT_TRUE(recorded.Follow(step, name + ", undo " + std::to_string(n)));
        if (n == 0 && step == Step::Other) savedIsNewest = recorded.AtNewest();
    }
    EXPECT_TRUE(recorded.AtOldest()) << name;
    for (int n = 0; session.History().CanRedo(); ++n) {
        ASSERT_LE(n, EditHistory::kStepsKept) << name;
        const Step step = session.Redo();
        ASSERT_TRUE(recorded.Follow(step, name + ", redo " + std::to_string(n)));
    }
    EXPECT_TRUE(recorded.AtNewest()) << name;
    if (!savedIsNewest) return;
    auto savedTables = std::make_unique<DiagramTables>();
    ASSERT_EQ(ReadDiagram(saved, *savedTables), DiagramRead::Loaded) << name;
    EXPECT_EQ(FileText(*session.Drawn()), FileText(*Drawing(*savedTables))) << name;
}

}  // namespace

TEST(RandomEditing, UndoAllAndRedoAllGiveBackEveryRecordedDiagram) {
    const unsigned seed = SeedFromEnvironment();
    const QString example = QStringLiteral(QUILLRUN_SOURCE_DIR "/tests/data/example.qrn");
    for (int round = 0; round < 12; ++round) {
        const std::string name =
            "diagram " + std::to_string(round) + " (seed " + std::to_string(seed) + ")";
        // Every other diagram is the example file; the first two runs are long enough to fill
        // the history, so that the oldest steps fall off.
        RandomSession session(seed + static_cast<unsigned>(round),
                              round % 2 == 0 ? example : QString());
        ASSERT_NO_FATAL_FAILURE(UndoAllAndRedoAll(session, round < 2 ? 1500 : 300, name));
    }
}
