#include "engine/transfer.h"

#include "engine/run_control.h"
#include "model/cell_pool.h"
#include "model/form_controls.h"
#include "model/numeric_text.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "model/translation.h"

#include <algorithm>

namespace {

// The live element a connection delivers to, or 0 when it has none (an unfinished connection
// or a damaged file): such a connection carries nothing.
int TargetOf(const SharedState& st, const ConnectionRec& c) {
    const int count = std::min<int>(st.Diagram.ElemCount, kMaxElements);
    return c.ToElem >= 1 && c.ToElem <= count ? c.ToElem : 0;
}

// Input index of a connection when it names one of the element's queues, else -1. Argument
// numbers above 30 have no queue; such connections are passed over.
int QueueOf(const ConnectionRec& c) {
    const int i = InputIndex(c);
    return i >= 0 && i <= kMaxArgs ? i : -1;
}

// Appends to the queue at head. When the pool is exhausted the value is dropped and the person
// told so; an automatic run stops first, as 停止 stops it, so that the next ticks cannot bring the
// message back faster than it is answered. 自動実行 resumes the run.
int AppendOrReport(Session& s, int head, const QString& type, const QString& value) {
    if (const std::optional<int> after = TryAppendCell(s.st, head, type, value)) return *after;
    if (s.frm.Timer1.Enabled) frmMain::Command4_Click(s);
    s.ui.Message(Tr(kPoolOverflow));
    return head;
}

}  // namespace

int InputIndex(const ConnectionRec& c) {
    double a = ReadNumber(c.ArgNo);
    if (a <= 0) a = 1;
    a = RoundHalfEven(a);
    // Anything beyond the queues is reported as one past them.
    return a > kMaxArgs ? kMaxArgs + 1 : static_cast<int>(a);
}

bool QueueHoldsValue(const SharedState& st, int e, int i) {
    const Long h = st.Diagram.Elements[e].ArgQueue[i];
    return h > 0 && h <= kMaxCells;
}

bool TakeValue(SharedState& st, int e, int i, QString& type, QString& value) {
    if (!QueueHoldsValue(st, e, i)) return false;
    Long& head = st.Diagram.Elements[e].ArgQueue[i];
    const int h = head;
    type = st.Cells[h].DataType;
    value = st.Cells[h].Value;
    SetRun(st, head, Long{st.Cells[h].Next});
    FreeCell(st, h);
    return true;
}

StepResult SendValue(Session& s, const QString& label, const QString& type, const QString& value) {
    SharedState& st = s.st;
    bool sent = false;
    for (int c = 1; c <= st.Diagram.LiveConnections(); ++c) {
        ConnectionRec& conn = st.Diagram.Connections[c];
        if (conn.FromElem != st.StepElem) continue;
        const int t = TargetOf(st, conn);
        const int i = QueueOf(conn);
        if (t == 0 || i < 0) continue;
        if (QueueHoldsValue(st, t, i)) continue;  // the last offer is still waiting
        // When the pool is exhausted the message is shown and the queue stays empty; the
        // connection still counts as having carried the value.
        const Long head = AppendOrReport(s, -1, type, value);
        SetRun(st, st.Diagram.Elements[t].ArgQueue[i], head);
        SetRun(st, conn.Active, Integer{-1});
        sent = true;
    }
    StepResult r;
    r.redraw = true;
    r.trace = true;
    r.acted = sent;
    if (sent) {
        r.highlight = st.StepElem;
        r.text = TransferLine(st.StepElem, label, type, value, s.words.sent);
    }
    return r;
}

void PushValue(Session& s, const QString& type, const QString& value) {
    SharedState& st = s.st;
    for (int c = 1; c <= st.Diagram.LiveConnections(); ++c) {
        ConnectionRec& conn = st.Diagram.Connections[c];
        if (conn.FromElem != st.StepElem) continue;
        const int t = TargetOf(st, conn);
        const int i = QueueOf(conn);
        if (t == 0 || i < 0) continue;
        Long& head = st.Diagram.Elements[t].ArgQueue[i];
        SetRun(st, head, Long{AppendOrReport(s, head, type, value)});
        SetRun(st, conn.Active, Integer{-1});
    }
}

QString TransferLine(int elem, const QString& label, const QString& type, const QString& value,
                     const QString& sent) {
    return QStringLiteral("ID=") + QString::number(elem) + QStringLiteral(" : ") + label +
           QLatin1Char(' ') + type + QLatin1Char(' ') + value + sent;
}
