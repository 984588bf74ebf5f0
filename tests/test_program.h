#pragma once
// A fresh program for one test: the program's parts with a scripted person, started up the way
// the main window starts, with its own temporary program folder.

#include "app/program.h"
#include "diagram_builders.h"
#include "fake_prompter.h"

#include <QTemporaryDir>

struct TestProgram {
    QTemporaryDir folder;
    FakePrompter ui;
    Program program{ui, folder.path()};
    SharedState& st = program.st;
    FormControls& frm = program.frm;
    Canvas& canvas = program.canvas;
    Session& s = program.s;

    explicit TestProgram(bool startUp = true) {
        if (startUp) program.Start();
    }

    QString PathInFolder(const QString& name) const { return folder.filePath(name); }

    // The colour of the visible canvas at a point given in canvas units.
    QRgb Pixel(double x, double y) const {
        const int px = static_cast<int>(x / canvas.Picture2.UnitsPerPixelX() + 0.5);
        const int py = static_cast<int>(y / canvas.Picture2.UnitsPerPixelY() + 0.5);
        return canvas.Picture1().pixel(px, py) | 0xFF000000u;
    }
};
