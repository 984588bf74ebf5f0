#pragma once
// The buttons of the selection panel Frame1: delete the selected bend point, connection or
// element, start moving a bend point or an element, change an element's attributes with the
// element dialog, or just close the panel. Every button hides the panel.

struct Session;
struct SharedState;

// The room, in pixels, between the pressed point and the panel opened beside it.
constexpr int kPanelGapPixels = 8;

// Whether button Command<command> (5 to 11) can act on the selection as it stands; the panel
// shows the others disabled. 取消 always can.
bool PanelCommandApplies(const SharedState& st, int command);

namespace frmMain {

void Command5_Click(Session& s);   // 点削除
void Command6_Click(Session& s);   // 接続線削除
void Command7_Click(Session& s);   // 要素削除
void Command8_Click(Session& s);   // 点移動
void Command9_Click(Session& s);   // 要素移動
void Command10_Click(Session& s);  // 取消
void Command11_Click(Session& s);  // 要素属性変更

}  // namespace frmMain
