#pragma once
// The logic of the element dialog frmElement ("Form2"): the kind list, the text and argument
// fields it shows for each kind, and OK and Cancel, which fill the template NewElement. It does
// not touch the element table; a Qt dialog only displays these fields.

#include <QString>
#include <QStringList>
#include "model/translation.h"

struct Session;

inline const QString kElementDialogCaption = QStringLiteral("Form2");

// Shown when OK finds a field the program cannot keep; the dialog then stays open.
inline constexpr SourceText kQuoteInTextMessage{
    QT_TRANSLATE_NOOP("Quillrun", "テキストに二重引用符（\"）は使えません。")};
inline constexpr SourceText kUnsavableTextMessage{
    QT_TRANSLATE_NOOP("Quillrun", "テキストにファイルへ保存できない文字が含まれています。")};
inline constexpr SourceText kArgCountRangeMessage{
    QT_TRANSLATE_NOOP("Quillrun", "引数の個数には 0 から 30 までの数値を入力してください。")};

class ElementDialog {
public:
    // A freshly loaded dialog with its initial contents; the kind list is still empty.
    explicit ElementDialog(Session& s);

    // Controls, as the person sees them.
    QStringList List1;
    QString Label1Caption = QStringLiteral("Label1");
    QString Text1Text = QStringLiteral("Text1");
    bool Text1Visible = true;
    QString Label2Caption = QStringLiteral("Label2");
    QString Text2Text = QStringLiteral("Text2");
    bool Text2Visible = true;
    bool Text2ReadOnly = false;  // an operator's two inputs are shown, not chosen
    bool Check1 = false;         // ボールド
    bool Check2 = false;         // 下線
    QString Text3Text = QStringLiteral("10");

    int ListIndex() const { return listIndex_; }
    // Selecting an entry (by the person or by the program) raises List1_Click. An index that
    // names no entry selects none.
    void SetListIndex(int index);
    bool Closed() const { return closed_; }

    void List1_Click();
    void Command1_Click();  // 確認
    void Command2_Click();  // 取消

private:
    Session& s_;
    int listIndex_ = -1;
    bool closed_ = false;
};

// Adds the nine kind names to the list.
void LoadElementDialog(ElementDialog& dialog);
// The kind list's entry for a kind ("Constant_Number", ..., "/"); the number itself for a kind
// the list does not hold.
QString KindListName(int kind);
