// What a newcomer tries first in the real window: Return in the snapshot question, dragging,
// double clicks, the panel as a pop-up, the window's size and title.

#include "app/file_commands.h"
#include "dialogs/views/element_dialog_view.h"
#include "engine/run_control.h"
#include "engine/snapshot_prompt.h"
#include "model/diagram_file.h"
#include "window_support.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace {

// The window with the sample diagram open, as a newcomer starts.
struct SampleWindow {
    QTemporaryDir folder;
    std::unique_ptr<MainWindow> w;
    SharedState* st = nullptr;

    SampleWindow() {
        PutTheSampleIn(folder);
        w = std::make_unique<MainWindow>(folder.path());
        st = &w->session().st;
        ShowActive(*w);
        Settle(*w);
        Action("mnuFileSample")->trigger();
        Settle(*w);
    }

    QAction* Action(const char* name) const { return w->findChild<QAction*>(name); }
    QPushButton* Button(int n) const {
        return w->findChild<QPushButton*>(QStringLiteral("Command%1").arg(n));
    }
    QWidget* Canvas() const { return w->canvasView(); }
    QPoint At(double x, double y) const { return CanvasPixel(*w, x, y); }
    QString Status() const { return w->findChild<QLabel*>("Label1")->text(); }
};

}  // namespace

TEST(NewcomerWindow, ReturnInTheSnapshotQuestionGoesOnAndEscapeStops) {
    SampleWindow sw;
    sw.Button(1)->click();  // 初期化
    QStringList asked;
    AnswerModals({[&](QWidget* box) {
                      asked << static_cast<QMessageBox*>(box)->text();
                      Screenshot(*sw.w, "snapshot-question");
                      QTest::keyClick(box, Qt::Key_Return);
                  },
                  [&](QWidget* box) {
                      asked << static_cast<QMessageBox*>(box)->text();
                      QTest::keyClick(box, Qt::Key_Escape);
                  }});
    sw.Button(2)->click();  // 逐次実行: asks after each step
    EXPECT_EQ(asked, QStringList({SnapshotQuestion(), SnapshotQuestion()}));
    EXPECT_EQ(sw.st->StepElem, 2) << "Return went on with step 2, Escape stopped after it";
    EXPECT_EQ(sw.Status(), "ID=2 : 定数  Number 4 転送");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no file dialog was opened";
}

TEST(NewcomerWindow, ElementsAndConnectionsAreDraggedAndPressMovePressStays) {
    SampleWindow sw;
    const ElementRec& one = sw.st->Diagram.Elements[1];
    // Press on the constant 3 (below its text), drag with the button held, release far away.
    QTest::mousePress(sw.Canvas(), Qt::LeftButton, {}, sw.At(600, 800));
    MoveTo(sw.Canvas(), sw.At(1200, 2400));
    MoveTo(sw.Canvas(), sw.At(2000, 2600));
    QTest::mouseRelease(sw.Canvas(), Qt::LeftButton, {}, sw.At(2000, 2600));
    EXPECT_EQ(sw.st->EditState, Editing::Idle);
    EXPECT_EQ(one.X, 2000);
    EXPECT_EQ(one.Y, 2600);
    EXPECT_TRUE(sw.w->isWindowModified());

    // A click in place keeps press-move-press: the element follows until the next press.
    QTest::mouseClick(sw.Canvas(), Qt::LeftButton, {}, sw.At(2000, 2800));
    EXPECT_EQ(sw.st->EditState, Editing::MoveElement);
    MoveTo(sw.Canvas(), sw.At(2400, 2700));
    QTest::mouseClick(sw.Canvas(), Qt::LeftButton, {}, sw.At(2400, 2700));
    EXPECT_EQ(sw.st->EditState, Editing::Idle);
    EXPECT_EQ(one.X, 2400);
    EXPECT_EQ(one.Y, 2700);

    // A connection dragged from the constant to the variable 表示.
    const int before = sw.st->Diagram.ConnCount;
    sw.Action("mnuConect")->trigger();
    QTest::mousePress(sw.Canvas(), Qt::LeftButton, {}, sw.At(2400, 2700));
    MoveTo(sw.Canvas(), sw.At(4000, 1500));
    MoveTo(sw.Canvas(), sw.At(5400, 1100));
    QTest::mouseRelease(sw.Canvas(), Qt::LeftButton, {}, sw.At(5400, 1100));
    ASSERT_EQ(sw.st->Diagram.ConnCount, before + 1);
    EXPECT_EQ(sw.st->Diagram.Connections[before + 1].FromElem, 1);
    EXPECT_EQ(sw.st->Diagram.Connections[before + 1].ToElem, 7);
    EXPECT_EQ(sw.st->EditState, Editing::ConnectStart);
    Screenshot(*sw.w, "dragged");

    // Given up halfway (a bend, then Escape), a connection goes without a message.
    QTest::mouseClick(sw.Canvas(), Qt::LeftButton, {}, sw.At(2400, 2700));
    MoveTo(sw.Canvas(), sw.At(3500, 3500));
    QTest::mouseClick(sw.Canvas(), Qt::LeftButton, {}, sw.At(3500, 3500));
    ASSERT_EQ(sw.st->EditState, Editing::ConnectBends);
    QTest::keyClick(sw.Canvas(), Qt::Key_Escape);
    QTest::qWait(200);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(sw.st->Diagram.ConnCount, before + 1);
    EXPECT_EQ(sw.st->EditState, Editing::Idle);
}

TEST(NewcomerWindow, ADoubleClickOpensTheElementDialogWithTheKeyboardInFillingOrder) {
    SampleWindow sw;
    const ElementRec plus = sw.st->Diagram.Elements[3];
    QStringList order;
    bool argCountReadOnly = false;
    AnswerModal([&](QWidget* dialog) {
        EXPECT_NE(dynamic_cast<ElementDialogView*>(dialog), nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Form2");
        EXPECT_EQ(dialog->findChild<QListWidget*>("List1")->currentRow(), kPlus);
        auto* text2 = dialog->findChild<QLineEdit*>("Text2");
        EXPECT_EQ(text2->text(), "2");
        argCountReadOnly = text2->isReadOnly();
        Screenshot(*dialog, "element-dialog");
        // In the order a person fills them in (an operator's symbol is shown, not read back).
        dialog->findChild<QListWidget*>("List1")->setFocus();
        for (int i = 0; i < 6; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    DoubleClick(sw.Canvas(), sw.At(1800, 1500));
    EXPECT_EQ(order, QStringList({"List1", "Text1", "Text2", "Check1", "Check2", "Text3"}));
    EXPECT_TRUE(argCountReadOnly);
    EXPECT_EQ(sw.st->EditState, Editing::Idle);
    EXPECT_EQ(sw.st->Diagram.Elements[3], plus) << "neither moved nor changed";

    // For a constant the text comes right after the kind.
    order.clear();
    AnswerModal([&](QWidget* dialog) {
        dialog->findChild<QListWidget*>("List1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    DoubleClick(sw.Canvas(), sw.At(600, 800));
    EXPECT_EQ(order, QStringList({"Text1"}));
}

TEST(NewcomerWindow, ThePanelOpensBesideThePressAndClosesLikeAPopUp) {
    SampleWindow sw;
    auto* panel = sw.w->findChild<QFrame*>("Frame1");
    const QPoint press = sw.At(600, 800);
    QTest::mouseClick(sw.Canvas(), Qt::RightButton, {}, press);
    Settle(*sw.w);
    ASSERT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->geometry().contains(press)) << "the panel leaves the pressed point free";
    EXPECT_TRUE(sw.Canvas()->rect().contains(panel->geometry()));
    for (int n : {5, 6, 8}) EXPECT_FALSE(sw.Button(n)->isEnabled()) << n;
    for (int n : {7, 9, 10, 11}) EXPECT_TRUE(sw.Button(n)->isEnabled()) << n;
    Screenshot(*sw.w, "panel");

    QTest::keyClick(sw.Canvas(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(sw.st->SelKind, kSelElement) << "Escape closed the panel only";

    // Near the right edge it opens left of the point.
    const double right = sw.w->session().frm.Picture1.Width - 200;
    QTest::mouseClick(sw.Canvas(), Qt::RightButton, {}, sw.At(right, 800));
    ASSERT_TRUE(panel->isVisible());
    EXPECT_LT(panel->geometry().right(), sw.At(right, 800).x());
    // A press elsewhere in the window closes it, and does what it does.
    QTest::mouseClick(sw.Button(1), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
}

TEST(NewcomerWindow, EveryControlStaysReachableAndTheTitleNamesTheFile) {
    QTemporaryDir folder;
    MainWindow w(folder.path());
    ShowActive(w);
    Settle(w);
    EXPECT_EQ(w.windowHandle()->title(), "Quillrun");
    w.resize(40, 40);
    Settle(w);
    const QRect client = w.centralWidget()->rect();
    for (int n = 1; n <= 4; ++n) {
        const QRect b = w.findChild<QPushButton*>(QStringLiteral("Command%1").arg(n))->geometry();
        EXPECT_TRUE(client.contains(b)) << n;
    }
    EXPECT_TRUE(client.contains(w.findChild<QLineEdit*>("Text1")->geometry()));
    EXPECT_TRUE(client.contains(w.findChild<QLabel*>("Label1")->geometry()));
    const QSize panel = w.findChild<QFrame*>("Frame1")->size();
    EXPECT_GE(w.canvasView()->width(), panel.width());
    EXPECT_GE(w.canvasView()->height(), panel.height());
    Screenshot(w, "smallest-window");

    const QString path = folder.filePath("diagram.qrn");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteDiagram(DiagramTables{}));
    file.close();
    w.Dispatch([&](Session& s) { LoadDiagram(s, path); });
    EXPECT_EQ(w.windowHandle()->title(), "diagram.qrn – Quillrun");

    // A timer interval of 0 says why 自動実行 does not move.
    auto* text1 = w.findChild<QLineEdit*>("Text1");
    text1->clear();
    QTest::keyClicks(text1, "0.5");
    w.findChild<QPushButton*>("Command3")->click();
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), Tr(kZeroIntervalText));
}

TEST(NewcomerWindow, HelpOpensTheGuideAndTheAboutBoxAndTheWindowComesBackAsItWas) {
    QTemporaryDir folder;
    QRect frame;
    {
        MainWindow w(folder.path());
        ShowActive(w);
        QTest::keyClick(&w, Qt::Key_F1);
        auto* guide = w.findChild<QDialog*>("HelpWindow");
        ASSERT_NE(guide, nullptr);
        Settle(*guide);
        EXPECT_TRUE(guide->isVisible());
        const QString text = guide->findChild<QTextBrowser*>("HelpText")->toPlainText();
        EXPECT_TRUE(text.contains("1ステップ戻る")) << text.toStdString();
        Screenshot(*guide, "guide");
        guide->close();
        QString about;
        AnswerModal([&](QWidget* box) {
            about = static_cast<QMessageBox*>(box)->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        w.findChild<QAction*>("mnuHelpAbout")->trigger();
        EXPECT_TRUE(about.contains("\n\nQuillrun 1.0.0\n")) << about.toStdString();
        EXPECT_TRUE(about.contains("License: MIT"));
        EXPECT_TRUE(about.contains("Qt 6."));

        // Size, place and timer come back after a restart.
        w.resize(700, 500);
        w.move(60, 40);
        auto* interval = w.findChild<QLineEdit*>("Text1");
        interval->clear();
        QTest::keyClicks(interval, "250");
        Settle(w);
        frame = w.frameGeometry();
        w.close();
    }
    MainWindow again(folder.path());
    ShowActive(again);
    Settle(again);
    EXPECT_EQ(again.frameGeometry(), frame);
    EXPECT_EQ(again.findChild<QLineEdit*>("Text1")->text(), "250");
}
