#pragma once
// A program for the benchmarks: state, controls, canvases and a silent person, started up the way
// the main window starts, and the diagrams the benchmarks run on. Nothing here is timed.

#include "app/program.h"
#include "app/runner.h"

#include <QTemporaryDir>
#include <sstream>

struct BenchProgram {
    QTemporaryDir folder;
    std::ostringstream messages;
    RunnerPrompter ui{messages};
    Program program{ui, folder.path()};
    SharedState& st = program.st;
    FormControls& frm = program.frm;
    Canvas& canvas = program.canvas;
    Session& s = program.s;

    // Started up with the canvas at the given size in pixels, 15 canvas units to a pixel.
    BenchProgram(int pixelWidth, int pixelHeight);
};

// The start-up canvas of the main window, in pixels.
constexpr int kStartWidth = 417;
constexpr int kStartHeight = 281;

// The largest diagram the tables hold, spread over the whole canvas: 100 labelled elements and
// 100 connections of 30 bend points each, every one with a label; every seventh connection is
// active, connection 10 is selected at bend point 5, element 33 is highlighted (the redraw's
// argument), grid 100.
constexpr int kHighlight = 33;
void BuildMaximalDiagram(BenchProgram& p);

// Constants 3 and 4 into "+", the sum into a variable; initialised, the timer on (no questions).
void BuildWorkedExample(BenchProgram& p);

// The largest diagram with every element busy: 25 copies of the worked example over the canvas
// (100 elements, 75 connections), each variable also feeding the next copy's variable, so that
// every step sends or fires. Initialised, the timer on.
void BuildBusyDiagram(Program& p);
