#pragma once
// The program's parts, owned together, without any window: the shared state, the controls'
// fields, the two canvases, the edit history and the session that bundles them for the handlers.
// The main window, the headless runner, the tests and the benchmarks each own one; dispatching
// a handler through it records the edit the handler completed.

#include "editor/edit_history.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"

#include <QString>
#include <functional>

class Prompter;

class Program {
public:
    // appPath is the folder the program was started from (empty: none, and no settings file).
    // The start-up initialisation is left to Start, so that the owner may size the canvas first.
    Program(Prompter& ui, const QString& appPath);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start-up initialisation, with nothing to take back and nothing unsaved.
    void Start();

    // Which handlers may complete an edit: pointer moves, timer ticks and resizes edit nothing
    // themselves, but may end a gesture; only then is an edit looked for after them.
    enum class Edits { Possible, OnlyWhenAGestureEnds };
    // Runs a handler on the session, then records the edit it completed.
    void Dispatch(const std::function<void(Session&)>& handler, Edits edits = Edits::Possible);
    // A handler is running (it may be waiting in a message box).
    bool InHandler() const { return depth_ > 0; }

    SharedState st;
    FormControls frm;
    Canvas canvas;
    Session s;
    EditHistory history;

private:
    int depth_ = 0;
};
