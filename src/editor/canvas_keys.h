#pragma once
// Keys on the canvas: Delete does what the selection panel's delete button for the current
// selection does (要素削除 for an element or its text, 接続線削除 for a line, 点削除 for a bend
// point; nothing for anything else) and then leaves nothing selected. Escape closes the panel
// when it is open, and otherwise does what 選択解除 does.

struct Session;

namespace frmMain {

// key: a Qt::Key code.
void Picture1_KeyDown(Session& s, int key);

}  // namespace frmMain
