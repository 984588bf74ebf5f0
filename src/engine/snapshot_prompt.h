#pragma once
// After a reporting step: the trace line in the status line and, timer off, the question to save
// the back canvas as a bitmap, go on or stop. It draws nothing; the step has redrawn already.

#include <QString>

struct Session;

// The question's text: three sentences over four lines, joined by CR LF.
QString SnapshotQuestion();
// The file filter of the save dialog.
QString SnapshotFilter();

// Shows text in the status line; while the timer is off asks the question (Cancel sets
// StopFlag, Yes saves Picture2 where the person says). Returns true when it asked.
bool ShowTraceAndOfferSnapshot(Session& s, const QString& text);
