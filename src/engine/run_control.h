#pragma once
// The run buttons, the timer and the step scheduler: each step visits the element after the
// previous one and lets it act by its kind. Transfer, operators and the prompt live beside it.

#include <QString>

struct Session;

namespace frmMain {

void Command1_Click(Session& s);  // 初期化
void Command2_Click(Session& s);  // 逐次実行
void Command3_Click(Session& s);  // 自動実行
void Command4_Click(Session& s);  // 停止
void Timer1_Timer(Session& s);

}  // namespace frmMain

// Every element's run value from its kind and text, and its argument queues emptied.
void ResetRunValues(Session& s);
// Active := 0 on every connection.
void ClearConnectionFlags(Session& s);
// One step of the scheduler. A call made while another step is still under way (a timer tick
// during one of its message boxes) does nothing.
void ExecuteStep(Session& s);
// The same step; true when it asked the snapshot question. The manual run counts on this to
// notice a whole pass in which the person was never asked.
bool ExecuteStepAsked(Session& s);
// The step of a variable: takes at most one value from input 1, then offers its value unless
// it has none. Returns true when the snapshot question was asked.
bool StepVariable(Session& s);

// Stops the run because the element StepElem could not compute: the run flags are set, the
// canvas shows the element highlighted, and the status line and a message say what went wrong.
void StopRunOnError(Session& s, const QString& what);

// The timer's range in milliseconds.
constexpr int kMaxTimerInterval = 65535;
// The status line after 自動実行 with an interval that reads as 0.
inline const QString kZeroIntervalText =
    QStringLiteral("タイマーの間隔が 0 ミリ秒のため、自動実行は進みません。");
