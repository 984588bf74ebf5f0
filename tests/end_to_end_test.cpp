// Drives the real main window with mouse events: draws the worked example (3 + 4 into a
// variable) by mouse, runs five steps and saves it.

#include "app/views/canvas_view.h"
#include "app/views/main_window.h"
#include "editor_support.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void Trigger(MainWindow& w, const QString& menu, const QString& entry) {
    for (QAction* m : w.menuBar()->actions()) {
        if (m->text() != menu) continue;
        for (QAction* a : m->menu()->actions()) {
            if (a->text() == entry) {
                a->trigger();
                return;
            }
        }
    }
    ADD_FAILURE() << "no menu entry " << entry.toStdString();
}

// Canvas units are 15 per pixel on the test screen.
QPoint Px(int x, int y) {
    return {x / 15, y / 15};
}

void Click(MainWindow& w, int x, int y) {
    QTest::mouseMove(w.canvasView(), Px(x, y));
    QTest::mouseClick(w.canvasView(), Qt::LeftButton, {}, Px(x, y));
}

void MoveTo(MainWindow& w, int x, int y) {
    QTest::mouseMove(w.canvasView(), Px(x, y));
}

// Places an element whose dialog answer is already queued: centre, then a point on the rim.
void Place(MainWindow& w, int x, int y) {
    Click(w, x, y);
    Click(w, x + 300, y);
}

}  // namespace

TEST(EndToEnd, DrawsRunsAndSavesTheWorkedExampleByMouse) {
    QTemporaryDir folder;
    FakePrompter ui;
    MainWindow w(folder.path(), &ui);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_DOUBLE_EQ(w.session().frm.TwipsPerPixel, 15);

    ui.elementScripts = {ChooseElement(kConstantNumber, "3"), ChooseElement(kConstantNumber, "4"),
                         ChooseElement(kPlus), ChooseElement(kVariableNumber, "x"),
                         CancelElement()};
    Trigger(w, "編集(&E)", "要素追加(&A)");
    Place(w, 900, 900);
    Place(w, 900, 3000);
    Place(w, 3000, 2100);
    Place(w, 5100, 2100);
    ASSERT_EQ(w.session().st.Diagram.ElemCount, 4);

    ui.argNoScripts = {ChooseArgument(0), ChooseArgument(1)};
    Trigger(w, "編集(&E)", "接続(&C)");
    Click(w, 900, 900);  // from the constant 3, bending above the operator
    MoveTo(w, 3000, 900);
    Click(w, 3000, 900);
    MoveTo(w, 3000, 2100);
    Click(w, 3000, 2100);
    Click(w, 900, 3000);  // from the constant 4, bending below it
    MoveTo(w, 3000, 3000);
    Click(w, 3000, 3000);
    Click(w, 3000, 2100);
    Click(w, 3000, 2100);  // from the operator straight to the variable
    MoveTo(w, 4050, 2100);
    Click(w, 5100, 2100);
    ASSERT_EQ(w.session().st.Diagram.ConnCount, 3);

    QStringList traces;
    ui.onQuestion = [&](const QString&) { traces << w.session().frm.Label1Caption; };
    ui.answers = {Answer::No, Answer::No, Answer::No, Answer::No, Answer::Cancel};
    QTest::mouseClick(w.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QTest::mouseClick(w.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    EXPECT_EQ(traces, QStringList({"ID=1 : 定数  Number 3 転送", "ID=2 : 定数  Number 4 転送",
                                   "ID=3 演算 : Number 3 + Number 4 ⇒ Number 7", "",
                                   "ID=1 : 定数  Number 3 転送"}));

    const QString path = folder.filePath("example.qrn");
    ui.fileAnswers = {path};
    Trigger(w, "ファイル(&F)", "名前を付けて保存(&A)");
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray font10 = "#FALSE#,#FALSE#,\"\",10,#FALSE#,#FALSE#,0\r\n";
    const QByteArray font8 = "#FALSE#,#FALSE#,\"\",8,#FALSE#,#FALSE#,0\r\n";
    const QByteArray expected =
        "4\r\n"
        "860,820\r\n900,900,300\r\n\"3\",\"Number\",\"3\",0,\"\",0\r\n" +
        font10 + "860,2920\r\n900,3000,300\r\n\"4\",\"Number\",\"4\",0,\"\",0\r\n" + font10 +
        // The operator and the variable keep what the dialog left in the template.
        "2960,2020\r\n3000,2100,300\r\n\"+\",\"Number\",\"4\",5,\"\",2\r\n" + font10 +
        "5060,2020\r\n5100,2100,300\r\n\"x\",\"Number\",\"7\",2,\"\",2\r\n" + font10 +
        "3\r\n"
        "1,3\r\n1200,900,3000,1800\r\n3000,1350,\"1\"\r\n" +
        font8 +
        "1\r\n3000,900\r\n"
        "2,3\r\n1200,3000,3000,2400\r\n3000,2700,\"2\"\r\n" +
        font8 +
        "1\r\n3000,3000\r\n"
        "3,4\r\n3300,2100,4800,2100\r\n4050,2100,\"\"\r\n" +
        font8 + "0\r\n";
    EXPECT_EQ(saved.readAll(), expected);
    w.close();
}
