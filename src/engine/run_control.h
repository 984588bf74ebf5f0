#pragma once
// The run buttons, the timer and the step scheduler: each step visits the element after the
// previous one and lets it act by its kind. Transfer, operators and the prompt live beside it.

#include "engine/step_result.h"
#include "model/translation.h"

#include <QString>

struct Session;

namespace frmMain {

void Command1_Click(Session& s);  // 初期化
void Command2_Click(Session& s);  // 逐次実行
void Command3_Click(Session& s);  // 自動実行
void Command4_Click(Session& s);  // 停止
// One tick of the timer: the step it performed, or nothing stepped when the timer is off or a
// step is still under way.
StepOutcome Timer1_Timer(Session& s);

}  // namespace frmMain

// Every element's run value from its kind and text, and its argument queues emptied.
void ResetRunValues(Session& s);
// Active := 0 on every connection.
void ClearConnectionFlags(Session& s);

// How a step asks: as the timer says (the snapshot question only while it is off), or never,
// as a tick of the automatic run.
enum class StepAsking { AsTheTimerSays, Never };

// One step of the scheduler: the routine of the element's kind, then the redraw, the trace line
// and (see asking) the snapshot question. A step of an element with a breakpoint that sent or
// fired stops the run afterwards, as 停止 does. Everything the step changes is noted in the
// journal, so that it can be taken back. A call made while another step is still under way (a
// timer tick during one of its message boxes) does nothing.
StepOutcome ExecuteStep(Session& s, StepAsking asking = StepAsking::AsTheTimerSays);
// The step of a variable: takes at most one value from input 1, then offers its value unless
// it has none.
StepResult StepVariable(Session& s);

// Stops the run because the element StepElem could not compute: the run flags are set, the
// canvas shows the element highlighted, and the status line and a message say what went wrong.
void StopRunOnError(Session& s, const QString& what);
// The status line during a step, noted in the journal first.
void ShowRunStatus(Session& s, const QString& text);

// The timer's range in milliseconds.
constexpr int kMaxTimerInterval = 65535;
// The status line after 自動実行 with an interval that reads as 0.
inline constexpr SourceText kZeroIntervalText{
    QT_TRANSLATE_NOOP("Quillrun", "タイマーの間隔が 0 ミリ秒のため、自動実行は進みません。")};
