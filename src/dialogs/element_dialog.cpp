#include "dialogs/element_dialog.h"

#include "dialogs/dialog_fields.h"
#include "model/cp932.h"
#include "model/element_value.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "model/translation.h"

#include <iterator>

namespace {

const QString kKindNames[] = {
    QStringLiteral("Constant_Number"),
    QStringLiteral("Constant_string"),
    QStringLiteral("Variable_Number"),
    QStringLiteral("Variable_string"),
    QStringLiteral("function"),
    QStringLiteral("+"),
    QStringLiteral("-"),
    QStringLiteral("*"),
    QStringLiteral("/"),
};

constexpr SourceText kArgCountCaption{QT_TRANSLATE_NOOP("Quillrun", "引数の個数")};

}  // namespace

ElementDialog::ElementDialog(Session& s) : s_(s) {}

void ElementDialog::SetListIndex(int index) {
    listIndex_ = index >= 0 && index < List1.size() ? index : -1;
    List1_Click();
}

void ElementDialog::List1_Click() {
    const int k = listIndex_;
    if (k < 0) return;
    if (k <= kVariableString) {
        Label1Caption = k == kConstantNumber ? QCoreApplication::translate("Quillrun", "数値定数")
                        : k == kConstantString
                            ? QCoreApplication::translate("Quillrun", "文字列定数")
                            : QCoreApplication::translate("Quillrun", "変数名");
        Text1Visible = true;
        Label2Caption.clear();
        Text2Text.clear();
        Text2Visible = false;
        Text2ReadOnly = false;
    } else if (k == kFunction) {
        Label1Caption = QCoreApplication::translate("Quillrun", "関数名");
        Text1Text.clear();
        Text1Visible = true;
        Label2Caption = Tr(kArgCountCaption);
        Text2Text.clear();
        Text2Visible = true;
        Text2ReadOnly = false;
    } else {
        Label1Caption.clear();
        Text1Visible = false;
        Label2Caption = Tr(kArgCountCaption);
        Text2Text = QStringLiteral("2");
        Text2Visible = true;
        Text2ReadOnly = true;
    }
}

void ElementDialog::Command1_Click() {
    const int k = listIndex_;
    if (closed_ || k < 0) return;

    // Refuse what could not be kept: a text with a double quote cannot be saved and read back,
    // a function has at most 30 inputs, and a font size is a 16-bit number.
    if (k <= kFunction && Text1Text.contains(u'"')) {
        s_.ui.Message(Tr(kQuoteInTextMessage));
        return;
    }
    // Diagram files hold code page 932 text: a character it lacks would be lost on saving.
    if (k <= kFunction && FromCp932(ToCp932(Text1Text)) != Text1Text) {
        s_.ui.Message(Tr(kUnsavableTextMessage));
        return;
    }
    const double argCount = ReadDialogNumber(Text2Text);
    if (k == kFunction && !(argCount >= 0 && argCount <= kMaxArgs)) {
        s_.ui.Message(Tr(kArgCountRangeMessage));
        return;
    }
    const double size = ReadDialogNumber(Text3Text);
    if (!FitsInt16(size)) {
        s_.ui.Message(Tr(kFontSizeRangeMessage));
        return;
    }

    ElementRec& e = s_.st.NewElement;
    e.Kind = static_cast<Integer>(k);
    e.Font.Bold = Check1;
    e.Font.Underline = Check2;
    e.Font.Size = static_cast<Integer>(size);
    switch (k) {
        case kFunction:
            e.Text = Text1Text;
            e.ArgCount = static_cast<Integer>(argCount);
            break;
        case kPlus:
        case kMinus:
        case kTimes:
        case kDivide:
            e.Text = List1.at(k);
            e.ArgCount = 2;
            break;
        default:  // constants and variables; their ArgCount stays as the template held it
            e.Text = Text1Text;
            break;
    }
    // A constant's or variable's value comes from its kind and text; the others keep theirs.
    ResetElementValue(e);
    closed_ = true;
}

void ElementDialog::Command2_Click() {
    if (closed_) return;
    s_.st.NewElement.Kind = -1;
    s_.st.EditState = Editing::Idle;
    closed_ = true;
}

QString KindListName(int kind) {
    if (kind >= 0 && kind < static_cast<int>(std::size(kKindNames))) return kKindNames[kind];
    return QString::number(kind);
}

void LoadElementDialog(ElementDialog& dialog) {
    for (const QString& name : kKindNames) dialog.List1 << name;
}
