#pragma once
// A fresh program for one test: state, controls, canvases and a scripted person, started up
// the way the main window starts, with its own temporary program folder.

#include "app/startup.h"
#include "diagram_builders.h"
#include "fake_prompter.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"

#include <QTemporaryDir>

struct TestProgram {
    QTemporaryDir folder;
    SharedState st;
    FormControls frm;
    Canvas canvas;
    FakePrompter ui;
    Session s{st, frm, canvas, ui};

    explicit TestProgram(bool startUp = true) {
        frm.AppPath = folder.path();
        if (startUp) StartupInitialisation(s);
    }

    QString PathInFolder(const QString& name) const { return folder.filePath(name); }

    // The colour of the visible canvas at a point given in canvas units.
    QRgb Pixel(double x, double y) const {
        const int px = static_cast<int>(x / canvas.Picture2.UnitsPerPixelX() + 0.5);
        const int py = static_cast<int>(y / canvas.Picture2.UnitsPerPixelY() + 0.5);
        return canvas.Picture1().pixel(px, py) | 0xFF000000u;
    }
};
