#pragma once
// What one step did, found before anything is drawn or asked: the element's routine returns it,
// and the scheduler then redraws, shows the trace line and asks the snapshot question from it.

#include <QString>

struct StepResult {
    bool redraw = false;  // the canvas is drawn again,
    int highlight = -1;   // with this element filled as the one stepped (-1 for none)
    bool trace = false;   // the status line shows text (and, timer off, the question follows)
    QString text;
    QString error;       // not empty: the element could not compute, and the run stops
    bool acted = false;  // a value was sent, or the element fired
};

// What the scheduler reports of a step to the one who asked for it.
struct StepOutcome {
    bool stepped = false;  // false: nothing to step, or a step was already under way
    int element = 0;       // the element visited
    bool acted = false;    // it sent a value or fired (also when firing failed)
    bool asked = false;    // the snapshot question was asked
    bool textShown = false;
    QString text;  // what the step showed in the status line, when textShown
    bool stoppedAtBreakpoint = false;
};
