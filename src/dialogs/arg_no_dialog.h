#pragma once
// The logic of the argument-number dialog frmArgNo ("引数番号"): the list of input numbers, the
// label's font fields, and OK and Cancel, which store into the connection ArgDialogConn names.

#include <QString>
#include <QStringList>

struct Session;

class ArgNoDialog {
public:
    explicit ArgNoDialog(Session& s);

    QStringList List1;
    bool Check1 = false;  // ボールド
    bool Check2 = false;  // 下線
    QString Text3Text = QStringLiteral("10");

    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    bool Closed() const { return closed_; }

    void Command1_Click();  // 確認
    void Command2_Click();  // 取消

private:
    Session& s_;
    int listIndex_ = -1;
    bool closed_ = false;
};
