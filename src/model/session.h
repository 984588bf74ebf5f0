#pragma once
// What every handler works on: the shared state, the window's controls, the two canvases and
// the person at the screen. The owner (the main window, the runner or a test) keeps the parts
// alive; a Session only bundles references to them.

class Canvas;
class Prompter;
struct FormControls;
struct SharedState;

struct Session {
    SharedState& st;
    FormControls& frm;
    Canvas& canvas;
    Prompter& ui;
};
