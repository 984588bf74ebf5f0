#pragma once
// The run buttons, the timer and the step scheduler: each step visits the element after the
// previous one and lets it act by its kind. Transfer, operators and the prompt live beside it.

struct Session;

void Command1_Click(Session& s);  // 初期化
void Command2_Click(Session& s);  // 逐次実行
void Command3_Click(Session& s);  // 自動実行
void Command4_Click(Session& s);  // 停止
void Timer1_Timer(Session& s);

// Every element's run value from its kind and text, and its argument queues emptied.
void ResetRunValues(Session& s);
// Active := 0 on every connection.
void ClearConnectionFlags(Session& s);
// One step of the scheduler.
void ExecuteStep(Session& s);
