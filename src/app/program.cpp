#include "app/program.h"

#include "app/startup.h"

Program::Program(Prompter& ui, const QString& appPath) : s{st, frm, canvas, ui}, history(s) {
    s.changes = &history;
    frm.AppPath = appPath;
}

void Program::Start() {
    StartupInitialisation(s);
    history.Replaced();
}

void Program::Dispatch(const std::function<void(Session&)>& handler, Edits edits) {
    const Editing before = st.EditState;
    ++depth_;
    handler(s);
    --depth_;
    const bool mayHaveEdited = edits == Edits::Possible || st.EditState != before;
    if (depth_ == 0 && mayHaveEdited) history.Observe();
}
