// Random presses, moves, menu commands, panel buttons, run steps and dialog answers on random
// diagrams; after every event the model must still be sound. QUILLRUN_SEED picks another seed
// and QUILLRUN_EVENTS another number of events.

#include "editor/edit_menu.h"
#include "editor/selection_panel.h"
#include "editor_support.h"
#include "engine/run_control.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

namespace {

class RandomSession {
public:
    explicit RandomSession(unsigned seed) : rng_(seed) {
        p_->ui.fallbackAnswer = [this] { return Pick(3) == 0 ? Answer::Cancel : Answer::No; };
        p_->ui.fallbackElementScript = [this](ElementDialog& d) { AnswerElementDialog(d); };
        p_->ui.fallbackArgNoScript = [this](ArgNoDialog& d) { AnswerArgNoDialog(d); };
        p_->frm.Timer1.Enabled = true;  // steps ask no questions
        p_->frm.Timer1.Interval = 1;
        const int elements = Pick(12);
        for (int i = 0; i < elements; ++i)
            AddElement(p_->st, Pick(9), QString::number(Pick(20)), Coordinate(6000),
                       Coordinate(4000), 100 + Pick(500));
        for (int j = 0; elements > 0 && j < Pick(15); ++j)
            AddConnection(p_->st, 1 + Pick(elements), 1 + Pick(elements), QString::number(Pick(4)),
                          {{Coordinate(6000), Coordinate(4000)}});
    }

    ~RandomSession() {
        p_->ui.TakeMessages();
        p_->ui.fallbackAnswer = nullptr;
    }

    void Event() {
        SharedState& st = p_->st;
        const int kind = Pick(100);
        float x, y;
        Target(x, y);
        if (kind < 35) {
            frmMain::Picture1_MouseDown(p_->s, 1, 0, x, y);
        } else if (kind < 45) {
            frmMain::Picture1_MouseDown(p_->s, 2, 0, x, y);
        } else if (kind < 75) {
            frmMain::Picture1_MouseMove(p_->s, 0, 0, x, y);
        } else if (kind < 78) {
            frmMain::mnuEditAddElement_Click(p_->s);
        } else if (kind < 82) {
            frmMain::mnuConect_Click(p_->s);
        } else if (kind < 84) {
            frmMain::mnuEditRelease_Click(p_->s);
            cellsMayLeak_ = false;
        } else if (kind < 94) {
            static void (*const panel[])(Session&) = {
                frmMain::Command5_Click, frmMain::Command6_Click, frmMain::Command7_Click,
                frmMain::Command8_Click, frmMain::Command9_Click, frmMain::Command10_Click,
                frmMain::Command11_Click};
            const int button = Pick(7);
            if (button == 2 && ElementSelected(st)) cellsMayLeak_ = true;
            panel[button](p_->s);
        } else if (kind < 99) {
            ExecuteStep(p_->s);
        } else {
            frmMain::Command1_Click(p_->s);
            cellsMayLeak_ = false;
        }
        if (kind < 84 && kind >= 75) cellsMayLeak_ = false;  // the Edit menu relinks the pool
        p_->ui.TakeMessages();
        p_->ui.questions.clear();
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
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    float Coordinate(int range) { return static_cast<float>(Pick(range + 1)); }

    // Half of the positions aim at something that exists, so that things get hit.
    void Target(float& x, float& y) {
        const SharedState& st = p_->st;
        x = Coordinate(6500) - 100;
        y = Coordinate(4400) - 100;
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
            d.Text1Text = Pick(3) == 0 ? QStringLiteral("mod") : QString::number(Pick(9));
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
