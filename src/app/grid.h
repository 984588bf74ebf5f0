#pragma once
// The logic of the modeless grid dialog frmGrid, which sets the spacing of the grid that
// positions snap to. The dialog's window lives in app/views/grid_dialog_view; nothing here knows
// about widgets.

#include <QString>
#include "model/translation.h"

struct Session;
inline constexpr SourceText kGridDialogCaption{QT_TRANSLATE_NOOP("Quillrun", "グリッドサイズ")};
// Shown when the grid size text reads as a number that a grid size cannot hold.
inline constexpr SourceText kGridSizeRangeMessage{QT_TRANSLATE_NOOP(
    "Quillrun", "グリッドサイズには -32768 から 32767 までの数値を入力してください。")};

// frmGrid: a text box for the size and the buttons 設定, 解除 and 取消. Each button acts on the
// current state when pressed and redraws; Closed says when the window is to go away.
class GridDialog {
public:
    // A freshly loaded dialog: Text1 reads "100" whatever the grid currently is.
    explicit GridDialog(Session& s);

    QString Text1Text = QStringLiteral("100");

    bool Closed() const { return closed_; }

    void Command1_Click();  // 設定: the size in Text1; stays open when it is 0
    void Command2_Click();  // 解除: grid off
    void Command3_Click();  // 取消: grid unchanged

private:
    Session& s_;
    bool closed_ = false;
};
