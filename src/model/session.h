#pragma once
// What every handler works on: the shared state, the window's controls, the two canvases, the
// person at the screen and, where edits can be taken back, the edit history. The owner (the main
// window, the runner or a test) keeps the parts alive; a Session only bundles references to them,
// with the trace lines' words in the language in use.

#include "model/trace_words.h"

class Canvas;
class ChangeTracker;
class Prompter;
struct FormControls;
struct SharedState;

struct Session {
    SharedState& st;
    FormControls& frm;
    Canvas& canvas;
    Prompter& ui;
    ChangeTracker* changes = nullptr;        // none where nothing can be taken back (the runner)
    TraceWords words = TraceWords::InUse();  // looked up afresh when the language changes
};
