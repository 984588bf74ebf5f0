#pragma once
// The logic of the argument-number dialog frmArgNo ("引数番号"): the list of input numbers, the
// label's font fields, and OK and Cancel, which store into the connection ArgDialogConn names.

#include <QString>
#include <QStringList>
#include "model/translation.h"

struct Session;

inline constexpr SourceText kArgNoDialogCaption{QT_TRANSLATE_NOOP("Quillrun", "引数番号")};

class ArgNoDialog {
public:
    explicit ArgNoDialog(Session& s);

    QStringList List1;
    bool Check1 = false;  // ボールド
    bool Check2 = false;  // 下線
    QString Text3Text = QStringLiteral("10");

    int ListIndex() const { return listIndex_; }
    // An index that names no entry selects none.
    void SetListIndex(int index);
    bool Closed() const { return closed_; }

    // OK: stays open while no entry is selected or the size is beyond a 16-bit number (with a
    // message then); otherwise stores the entry and the font into the connection.
    void Command1_Click();  // 確認
    void Command2_Click();  // 取消: stores nothing

private:
    Session& s_;
    int listIndex_ = -1;
    bool closed_ = false;
};
