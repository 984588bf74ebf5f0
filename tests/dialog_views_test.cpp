#include "app/views/qt_prompter.h"
#include "dialogs/arg_no_dialog.h"
#include "dialogs/element_dialog.h"
#include "dialogs/views/arg_no_dialog_view.h"
#include "dialogs/views/element_dialog_view.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

template <typename W>
W* Child(QWidget& view, const char* name) {
    W* w = view.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The dialog's list with the keyboard focus, taken as a tab press gives it: the list then
// makes its first row current.
QListWidget* FocusedList(QWidget& view) {
    auto* list = Child<QListWidget>(view, "List1");
    if (list) list->setFocus(Qt::TabFocusReason);
    return list;
}

QStringList Entries(QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
    return entries;
}

struct ElementView : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    ElementDialog logic{p->s};

    ElementView() { LoadElementDialog(logic); }
};

}  // namespace

TEST_F(ElementView, ShowsTheInitialContentsOfTheLogic) {
    ElementDialogView view(logic, nullptr);
    view.show();
    EXPECT_EQ(view.windowTitle(), "Form2");
    EXPECT_TRUE(view.isModal());
    auto* list = Child<QListWidget>(view, "List1");
    EXPECT_EQ(Entries(list), logic.List1);
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(Child<QLabel>(view, "Label1")->text(), "Label1");
    EXPECT_EQ(Child<QLineEdit>(view, "Text1")->text(), "Text1");
    EXPECT_EQ(Child<QLabel>(view, "Label2")->text(), "Label2");
    EXPECT_EQ(Child<QLineEdit>(view, "Text2")->text(), "Text2");
    EXPECT_EQ(Child<QGroupBox>(view, "Frame1")->title(), "フォント");
    EXPECT_EQ(Child<QCheckBox>(view, "Check1")->text(), "ボールド");
    EXPECT_EQ(Child<QCheckBox>(view, "Check2")->text(), "下線");
    EXPECT_FALSE(Child<QCheckBox>(view, "Check1")->isChecked());
    EXPECT_EQ(Child<QLabel>(view, "Label3")->text(), "サイズ");
    EXPECT_EQ(Child<QLineEdit>(view, "Text3")->text(), "10");
    EXPECT_EQ(Child<QPushButton>(view, "Command1")->text(), "確認");
    EXPECT_EQ(Child<QPushButton>(view, "Command2")->text(), "取消");
}

TEST_F(ElementView, MirrorsFieldsTheCallerFilledIn) {
    logic.SetListIndex(kFunction);
    logic.Text1Text = "mod";
    logic.Text2Text = "3";
    ElementDialogView view(logic, nullptr);
    view.show();
    EXPECT_EQ(Child<QListWidget>(view, "List1")->currentRow(), kFunction);
    EXPECT_EQ(Child<QLabel>(view, "Label1")->text(), "関数名");
    EXPECT_EQ(Child<QLineEdit>(view, "Text1")->text(), "mod");
    EXPECT_EQ(Child<QLabel>(view, "Label2")->text(), "引数の個数");
    EXPECT_EQ(Child<QLineEdit>(view, "Text2")->text(), "3");
    EXPECT_TRUE(Child<QLineEdit>(view, "Text2")->isVisible());
}

TEST_F(ElementView, ChoosingAKindReconfiguresTheFields) {
    ElementDialogView view(logic, nullptr);
    view.show();
    auto* list = Child<QListWidget>(view, "List1");
    auto* text1 = Child<QLineEdit>(view, "Text1");
    auto* text2 = Child<QLineEdit>(view, "Text2");
    list->setCurrentRow(kConstantString);
    EXPECT_EQ(logic.ListIndex(), kConstantString);
    EXPECT_EQ(Child<QLabel>(view, "Label1")->text(), "文字列定数");
    EXPECT_TRUE(text1->isVisible());
    EXPECT_FALSE(text2->isVisible());
    list->setCurrentRow(kTimes);
    EXPECT_FALSE(text1->isVisible());
    EXPECT_TRUE(text2->isVisible());
    EXPECT_EQ(text2->text(), "2");
}

TEST_F(ElementView, EditsReachTheLogicAndOkClosesWithTheTemplateFilled) {
    ElementDialogView view(logic, nullptr);
    view.show();
    Child<QListWidget>(view, "List1")->setCurrentRow(kConstantNumber);
    auto* text1 = Child<QLineEdit>(view, "Text1");
    text1->selectAll();
    QTest::keyClicks(text1, "12");
    Child<QCheckBox>(view, "Check1")->click();
    auto* text3 = Child<QLineEdit>(view, "Text3");
    text3->selectAll();
    QTest::keyClicks(text3, "16");
    Child<QPushButton>(view, "Command1")->click();
    EXPECT_TRUE(logic.Closed());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(p->st.NewElement.Kind, kConstantNumber);
    EXPECT_EQ(p->st.NewElement.Text, "12");
    EXPECT_EQ(p->st.NewElement.Value, "12");
    EXPECT_TRUE(p->st.NewElement.Font.Bold);
    EXPECT_EQ(p->st.NewElement.Font.Size, 16);
}

TEST_F(ElementView, OkWithoutAKindOrWithARefusedFieldStaysOpen) {
    ElementDialogView view(logic, nullptr);
    view.show();
    Child<QPushButton>(view, "Command1")->click();
    EXPECT_TRUE(view.isVisible());
    Child<QListWidget>(view, "List1")->setCurrentRow(kConstantString);
    auto* text1 = Child<QLineEdit>(view, "Text1");
    text1->selectAll();
    QTest::keyClicks(text1, "a\"b");
    Child<QPushButton>(view, "Command1")->click();
    EXPECT_EQ(p->ui.TakeMessages(), QStringList{Tr(kQuoteInTextMessage)});
    EXPECT_TRUE(view.isVisible());
    EXPECT_FALSE(logic.Closed());
}

TEST_F(ElementView, CancelTheTitleBarAndEscapeAllCancel) {
    for (int way = 0; way < 3; ++way) {
        ElementDialog fresh(p->s);
        LoadElementDialog(fresh);
        p->st.NewElement.Kind = kPlus;
        p->st.EditState = Editing::PlaceCentre;
        ElementDialogView view(fresh, nullptr);
        view.show();
        if (way == 0) Child<QPushButton>(view, "Command2")->click();
        if (way == 1) view.close();
        if (way == 2) QTest::keyClick(&view, Qt::Key_Escape);
        EXPECT_TRUE(fresh.Closed()) << way;
        EXPECT_FALSE(view.isVisible()) << way;
        EXPECT_EQ(p->st.NewElement.Kind, -1) << way;
        EXPECT_EQ(p->st.EditState, Editing::Idle) << way;
    }
}

TEST_F(ElementView, TheFirstKeyInTheListSelectsTheFirstKindAndReturnConfirms) {
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home}) {
        ElementDialog fresh(p->s);
        LoadElementDialog(fresh);
        ElementDialogView view(fresh, nullptr);
        view.show();
        auto* list = FocusedList(view);
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_TRUE(view.isVisible()) << "Return with no kind does what 確認 does: nothing";
        QTest::keyClick(list, key);
        EXPECT_EQ(fresh.ListIndex(), 0) << key;
    }
    ElementDialogView view(logic, nullptr);
    view.show();
    auto* list = FocusedList(view);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(logic.ListIndex(), 1);
    Child<QLineEdit>(view, "Text1")->selectAll();
    QTest::keyClicks(Child<QLineEdit>(view, "Text1"), "abc");
    QTest::keyClick(Child<QLineEdit>(view, "Text1"), Qt::Key_Return);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(p->st.NewElement.Kind, kConstantString);
    EXPECT_EQ(p->st.NewElement.Text, "abc");
}

namespace {

struct ArgNoView : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    ArgNoDialog logic{p->s};
    int c = 0;

    ArgNoView() {
        AddElement(p->st, kConstantNumber, "1", 1000, 1000);
        AddElement(p->st, kPlus, "+", 3000, 1000);
        c = AddConnection(p->st, 1, 2);
        p->st.ArgDialogConn = Integer(c);
        logic.List1 = {"1", "2"};
        logic.Check2 = true;
        logic.Text3Text = "8";
    }
};

}  // namespace

TEST_F(ArgNoView, ShowsTheEntriesWithNoneSelectedAndTheFont) {
    ArgNoDialogView view(logic, nullptr);
    view.show();
    EXPECT_EQ(view.windowTitle(), "引数番号");
    EXPECT_EQ(Entries(Child<QListWidget>(view, "List1")), QStringList({"1", "2"}));
    EXPECT_EQ(Child<QListWidget>(view, "List1")->currentRow(), -1);
    EXPECT_EQ(Child<QGroupBox>(view, "Frame1")->title(), "フォント");
    EXPECT_FALSE(Child<QCheckBox>(view, "Check1")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(view, "Check2")->isChecked());
    EXPECT_EQ(Child<QCheckBox>(view, "Check2")->text(), "下線");
    EXPECT_EQ(Child<QLabel>(view, "Label3")->text(), "サイズ");
    EXPECT_EQ(Child<QLineEdit>(view, "Text3")->text(), "8");
    EXPECT_EQ(Child<QPushButton>(view, "Command1")->text(), "確認");
    EXPECT_EQ(Child<QPushButton>(view, "Command2")->text(), "取消");
}

TEST_F(ArgNoView, OkStoresTheChosenEntryAndCloses) {
    ArgNoDialogView view(logic, nullptr);
    view.show();
    Child<QPushButton>(view, "Command1")->click();
    EXPECT_TRUE(view.isVisible()) << "nothing selected yet";
    Child<QListWidget>(view, "List1")->setCurrentRow(1);
    Child<QCheckBox>(view, "Check1")->click();
    Child<QPushButton>(view, "Command1")->click();
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(p->st.Diagram.Connections[c].ArgNo, "2");
    EXPECT_TRUE(p->st.Diagram.Connections[c].Font.Bold);
    EXPECT_TRUE(p->st.Diagram.Connections[c].Font.Underline);
    EXPECT_EQ(p->st.Diagram.Connections[c].Font.Size, 8);
}

TEST_F(ArgNoView, TheFirstDownSelectsArgumentOneAndReturnConfirms) {
    ArgNoDialogView view(logic, nullptr);
    view.show();
    auto* list = FocusedList(view);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(p->st.Diagram.Connections[c].ArgNo, "1");
}

TEST_F(ArgNoView, ClosingByTheTitleBarStoresNothing) {
    ArgNoDialogView view(logic, nullptr);
    view.show();
    Child<QListWidget>(view, "List1")->setCurrentRow(0);
    view.close();
    EXPECT_TRUE(logic.Closed());
    EXPECT_EQ(p->st.Diagram.Connections[c].ArgNo, "");
}

TEST_F(ArgNoView, ThePrompterShowsTheDialogModallyUntilItCloses) {
    QWidget owner;
    QtPrompter prompter(&owner);
    int syncs = 0;
    prompter.BeforeModal = [&] { ++syncs; };
    QTimer::singleShot(0, [] {
        auto* view = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        view->findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(0);
        view->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    prompter.ShowArgNoDialog(logic);
    EXPECT_EQ(syncs, 1);
    EXPECT_TRUE(logic.Closed());
    EXPECT_EQ(p->st.Diagram.Connections[c].ArgNo, "1");

    ElementDialog element(p->s);
    LoadElementDialog(element);
    QTimer::singleShot(0, [] {
        auto* view = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->windowTitle(), "Form2");
        view->close();
    });
    prompter.ShowElementDialog(element);
    EXPECT_TRUE(element.Closed());
    EXPECT_EQ(p->st.NewElement.Kind, -1);
}

TEST_F(ArgNoView, TheListTakingTheFocusSelectsNothing) {
    QWidget owner;
    QtPrompter prompter(&owner);
    QTimer::singleShot(0, [] {
        auto* view = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(view, nullptr);
        FocusedList(*view);
        QApplication::processEvents();
        view->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        EXPECT_TRUE(view->isVisible()) << "OK with nothing selected keeps the dialog open";
        view->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    });
    prompter.ShowArgNoDialog(logic);
    EXPECT_TRUE(logic.Closed());
    EXPECT_EQ(logic.ListIndex(), -1);
    EXPECT_EQ(p->st.Diagram.Connections[c].ArgNo, "");
}
