#pragma once
// Shortcuts for editor tests: scripted answers of the element and argument dialogs, and presses
// and moves on the canvas in canvas units.

#include "dialogs/arg_no_dialog.h"
#include "dialogs/element_dialog.h"
#include "editor/canvas_press.h"
#include "editor/pointer_tracking.h"
#include "test_program.h"

#include <functional>

// The element dialog answered with a kind, its text and (for functions) its argument count.
inline std::function<void(ElementDialog&)> ChooseElement(int kind, const QString& text = {},
                                                         const QString& argCount = {}) {
    return [=](ElementDialog& d) {
        d.SetListIndex(kind);
        if (!text.isNull()) d.Text1Text = text;
        if (!argCount.isNull()) d.Text2Text = argCount;
        d.Command1_Click();
    };
}

inline std::function<void(ElementDialog&)> CancelElement() {
    return [](ElementDialog& d) { d.Command2_Click(); };
}

// The argument dialog answered with entry index (0 for "1").
inline std::function<void(ArgNoDialog&)> ChooseArgument(int entry) {
    return [=](ArgNoDialog& d) {
        d.SetListIndex(entry);
        d.Command1_Click();
    };
}

inline void Left(TestProgram& p, double x, double y) {
    frmMain::Picture1_MouseDown(p.s, 1, 0, static_cast<float>(x), static_cast<float>(y));
}
inline void Right(TestProgram& p, double x, double y) {
    frmMain::Picture1_MouseDown(p.s, 2, 0, static_cast<float>(x), static_cast<float>(y));
}
inline void Move(TestProgram& p, double x, double y) {
    frmMain::Picture1_MouseMove(p.s, 0, 0, static_cast<float>(x), static_cast<float>(y));
}
