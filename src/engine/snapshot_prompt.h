#pragma once
// What follows a step that reports something: the trace line in the status line and, while the
// timer is off, the question whether to save the back canvas as a bitmap, go on, or stop.
// It draws nothing itself; the step has redrawn the canvas before it gets here.

#include <QString>

struct Session;

// The question's text: three sentences over four lines, joined by CR LF.
QString SnapshotQuestion();
// The file filter of the save dialog.
QString SnapshotFilter();

// Shows text in the status line; while the timer is off asks the question (Cancel sets
// StopFlag, Yes saves Picture2 where the person says). Returns true when it asked.
bool ShowTraceAndOfferSnapshot(Session& s, const QString& text);
