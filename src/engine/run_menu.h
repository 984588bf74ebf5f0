#pragma once
// The menu 実行: one step at a time forward or back, and breakpoints.

struct Session;

namespace frmMain {

// 1ステップ実行: one step as a tick of 自動実行 makes it (no question), shown on the canvas and
// in the status line; an automatic run is stopped first, as 停止 stops it.
void mnuRunStep_Click(Session& s);
// 1ステップ戻る: the run exactly as it was before the last step, and the canvas as it showed it;
// an automatic run is stopped first.
void mnuRunStepBack_Click(Session& s);
// ブレークポイント: sets or clears the breakpoint of the selected element.
void mnuRunBreakpoint_Click(Session& s);

}  // namespace frmMain

// Whether 1ステップ戻る has a step to take back.
bool CanStepBack(const Session& s);
// Takes the last step back; false when there was none.
bool StepBack(Session& s);
