#include "engine/run_control.h"

#include "engine/operators.h"
#include "engine/snapshot_prompt.h"
#include "engine/transfer.h"
#include "model/cell_pool.h"
#include "model/element_value.h"
#include "model/form_controls.h"
#include "model/numeric_text.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "model/translation.h"
#include "render/canvas.h"
#include "render/renderer.h"

#include <algorithm>
#include <cmath>

namespace {

// Marks a step as under way for as long as it lasts.
class StepInProgress {
public:
    StepInProgress(SharedState& st, bool automatic) : st_(st) {
        st_.InStep = true;
        st_.AutomaticStep = automatic;
    }
    ~StepInProgress() {
        st_.InStep = false;
        st_.AutomaticStep = false;
    }
    StepInProgress(const StepInProgress&) = delete;
    StepInProgress& operator=(const StepInProgress&) = delete;

private:
    SharedState& st_;
};

}  // namespace

void frmMain::Command1_Click(Session& s) {
    SharedState& st = s.st;
    if (st.InStep) return;  // never pull the tables from under a step
    st.EditState = Editing::Idle;
    InitCellPool(st);
    ResetRunValues(s);
    st.StepElem = 0;
    st.StoppedByError = false;
}

void frmMain::Command2_Click(Session& s) {
    SharedState& st = s.st;
    if (st.InStep) return;
    const int count = st.Diagram.LiveElements();
    if (count == 0) return;
    st.StopFlag = 0;
    st.StoppedByError = false;
    // Only the question lets the person stop; a whole pass without one (waiting functions,
    // variables without a value, or the timer running) ends the loop instead.
    int silentSteps = 0;
    while (st.StopFlag == 0 && silentSteps < count) {
        if (ExecuteStep(s).asked)
            silentSteps = 0;
        else
            ++silentSteps;
    }
}

void frmMain::Command3_Click(Session& s) {
    const double ms = RoundHalfEven(ReadNumber(s.frm.Text1Text));
    if (!(ms >= 0 && ms <= kMaxTimerInterval)) {
        s.ui.Message(QCoreApplication::translate(
            "Quillrun", "タイマーの間隔は 0 から 65535 ミリ秒の範囲で指定してください。"));
        return;  // the timer stays as it was
    }
    s.frm.Timer1.Interval = static_cast<int>(ms);
    s.frm.Timer1.Enabled = true;
    s.st.StoppedByError = false;
    // A timer of 0 milliseconds never ticks; the person is told why nothing moves.
    if (ms == 0) SetLabel1(s.frm, Tr(kZeroIntervalText));
}

void frmMain::Command4_Click(Session& s) {
    SetRun(s.st, s.st.StopFlag, Integer{-1});
    s.frm.Timer1.Enabled = false;
}

StepOutcome frmMain::Timer1_Timer(Session& s) {
    // A stopped timer does not tick, even when a tick was already on its way.
    if (!s.frm.Timer1.Enabled || s.frm.Timer1.Interval <= 0) return {};
    // A tick that arrives while a step shows a message box is skipped, not nested.
    if (s.st.InStep) return {};
    return ExecuteStep(s, StepAsking::Never);
}

void ResetRunValues(Session& s) {
    SharedState& st = s.st;
    for (int i = 1; i <= st.Diagram.LiveElements(); ++i) {
        ElementRec& e = st.Diagram.Elements[i];
        ResetElementValue(e);
        // The pool has just been relinked, so every queue head is stale: all of them are
        // emptied, also those beyond ArgCount that a connection may have filled.
        std::fill(e.ArgQueue.begin(), e.ArgQueue.end(), -1);
    }
}

void ClearConnectionFlags(Session& s) {
    SharedState& st = s.st;
    const int count = st.Diagram.LiveConnections();
    for (int j = 1; j <= count; ++j) {
        Integer& active = st.Diagram.Connections[j].Active;
        if (active != 0) SetRun(st, active, Integer{0});
    }
}

namespace {

// The routine of the element's kind.
StepResult StepElement(Session& s, const ElementRec& e) {
    switch (e.Kind) {
        case kConstantNumber:
        case kConstantString:
            return SendValue(s, s.words.constant, e.DataType, e.Value);
        case kVariableNumber:
        case kVariableString:
            return StepVariable(s);
        case kFunction:
            return StepFunction(s, e.Text);
        case kPlus:
        case kMinus:
        case kTimes:
        case kDivide:
            return StepOperator(s, e.Kind);
        default:
            return {};  // a kind the program does not know does nothing
    }
}

}  // namespace

StepOutcome ExecuteStep(Session& s, StepAsking asking) {
    SharedState& st = s.st;
    StepOutcome out;
    const int count = st.Diagram.LiveElements();
    if (st.InStep || count == 0) return out;
    StepInProgress guard(st, s.frm.Timer1.Enabled || asking == StepAsking::Never);
    st.Journal.BeginStep(s.canvas.Shown);

    int next = st.StepElem + 1;
    if (next > count || next < 1) next = 1;
    SetRun(st, st.StepElem, static_cast<Integer>(next));
    ClearConnectionFlags(s);
    out.stepped = true;
    out.element = next;

    const StepResult r = StepElement(s, st.Diagram.Elements[next]);
    out.acted = r.acted;
    const int labelWrites = s.frm.Label1Writes;
    if (!r.error.isEmpty()) {
        StopRunOnError(s, r.error);
    } else {
        if (r.redraw) RedrawDiagram(s, r.highlight);
        if (r.trace) out.asked = ShowTraceAndOfferSnapshot(s, r.text);
    }
    out.textShown = s.frm.Label1Writes != labelWrites;
    if (out.textShown) out.text = s.frm.Label1Caption;
    // A breakpoint stops the run once its element has done something.
    if (r.acted && st.Diagram.Elements[next].Breakpoint) {
        frmMain::Command4_Click(s);
        out.stoppedAtBreakpoint = true;
    }
    st.Journal.EndStep();
    return out;
}

StepResult StepVariable(Session& s) {
    SharedState& st = s.st;
    const int i = st.StepElem;
    ElementRec& e = st.Diagram.Elements[i];
    QString type, value;
    if (TakeValue(st, i, 1, type, value)) {
        SetRun(st, e.DataType, type);
        SetRun(st, e.Value, value);
    }
    if (e.DataType == kTypeUndefined) return {};  // nothing to offer yet: a silent step
    // Copies: the offer may show messages, but must send what the variable holds.
    const QString t = e.DataType, v = e.Value;
    return SendValue(s, s.words.variable, t, v);
}

void ShowRunStatus(Session& s, const QString& text) {
    s.st.Journal.Note(s.frm.Label1Caption);
    SetLabel1(s.frm, text);
}

void StopRunOnError(Session& s, const QString& what) {
    SharedState& st = s.st;
    frmMain::Command4_Click(s);
    SetRun(st, st.StoppedByError, true);
    const int e = st.StepElem;
    RedrawDiagram(s, e);
    const QString id = QStringLiteral("ID=") + QString::number(e);
    ShowRunStatus(s, id + QCoreApplication::translate("Quillrun", " 停止 : ") + what);
    s.ui.Message(
        QCoreApplication::translate(
            "Quillrun", "要素 %1 「%2」 でエラーが発生したため、実行を停止しました。\r\n%3")
            .arg(id, st.Diagram.Elements[e].Text, what));
}
