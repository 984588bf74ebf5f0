#include "engine/run_menu.h"

#include "engine/run_control.h"
#include "model/change_tracker.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/renderer.h"

#include <array>

namespace {

void StopAutomaticRun(Session& s) {
    if (s.frm.Timer1.Enabled) frmMain::Command4_Click(s);
}

// Redraws the diagram as the canvas showed it: its highlight, and red the connections that were
// red then (a step that did nothing clears the flags without drawing again).
void RedrawAsShown(Session& s, const ShownRun& shown) {
    DiagramTables& d = s.st.Diagram;
    std::array<Integer, kMaxConnections + 1> flags{};
    for (int j = 1; j <= d.LiveConnections(); ++j) {
        flags[static_cast<std::size_t>(j)] = d.Connections[j].Active;
        d.Connections[j].Active = shown.active[static_cast<std::size_t>(j)] ? Integer{-1} : 0;
    }
    RedrawDiagram(s, shown.highlight);
    for (int j = 1; j <= d.LiveConnections(); ++j)
        d.Connections[j].Active = flags[static_cast<std::size_t>(j)];
}

}  // namespace

void frmMain::mnuRunStep_Click(Session& s) {
    if (s.st.InStep) return;
    StopAutomaticRun(s);
    ExecuteStep(s, StepAsking::Never);
}

void frmMain::mnuRunStepBack_Click(Session& s) {
    StepBack(s);
}

void frmMain::mnuRunBreakpoint_Click(Session& s) {
    SharedState& st = s.st;
    if (!ElementSelected(st) || st.SelIndex < 1 || st.SelIndex > st.Diagram.ElemCount) return;
    bool& mark = st.Diagram.Elements[st.SelIndex].Breakpoint;
    mark = !mark;
    if (s.changes) s.changes->Remark();
    RedrawDiagram(s, s.canvas.Shown.highlight);
}

bool CanStepBack(const Session& s) {
    return !s.st.InStep && s.st.Journal.Steps() > 0;
}

bool StepBack(Session& s) {
    if (!CanStepBack(s)) return false;
    StopAutomaticRun(s);
    const std::optional<ShownRun> shown = s.st.Journal.TakeBack();
    if (!shown) return false;
    RedrawAsShown(s, *shown);
    return true;
}
