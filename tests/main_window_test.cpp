#include "app/views/main_window.h"
#include "app/file_filter.h"
#include "app/views/canvas_view.h"
#include "editor/edit_menu.h"
#include "model/diagram_edit.h"
#include "render/renderer.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>

namespace {

QStringList MenuEntries(QMenu* menu) {
    QStringList entries;
    for (QAction* a : menu->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return entries;
}

}  // namespace

TEST(MainWindow, HasTheCaptionTheMenusAndTheRunControls) {
    QTemporaryDir folder;
    MainWindow w(folder.path());
    w.winId();  // the window's own title, as the desktop shows it
    EXPECT_EQ(w.windowHandle()->title(), "Quillrun");
    const QList<QAction*> menus = w.menuBar()->actions();
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[0]->text(), "ファイル(&F)");
    EXPECT_EQ(menus[1]->text(), "編集(&E)");
    EXPECT_EQ(menus[2]->text(), "実行(&R)");
    EXPECT_EQ(menus[3]->text(), "オプション(&O)");
    EXPECT_EQ(MenuEntries(menus[0]->menu()),
              QStringList({"新規作成(&N)", "開く(&O)", "-", "保存(&S)", "名前を付けて保存(&A)",
                           "エクスポート(&X)...", "印刷(&P)...", "-", "サンプルデータ(&E)", "-", "",
                           "", "", "", "", "-", "終了(X)"}));
    EXPECT_EQ(MenuEntries(menus[1]->menu()),
              QStringList({"元に戻す(&U)", "やり直し(&Y)", "-", "切り取り(&T)", "コピー(&O)",
                           "画像をコピー", "貼り付け(&P)", "複製(&D)", "すべて選択(&L)", "-",
                           "要素追加(&A)", "接続(&C)", "-", "選択解除(&R)"}));
    EXPECT_TRUE(w.findChild<QAction*>("mnuFilePrint")
                    ->shortcuts()
                    .contains(QKeySequence(Qt::CTRL | Qt::Key_P)));
    EXPECT_EQ(w.findChild<QAction*>("mnuEditCopyPicture")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    EXPECT_EQ(MenuEntries(menus[2]->menu()),
              QStringList({"1ステップ実行(&S)", "1ステップ戻る(&B)", "ブレークポイント(&P)", "-",
                           "値の一覧(&V)"}));
    EXPECT_EQ(MenuEntries(menus[3]->menu()), QStringList({"グリッド(&G)", "言語(&L)"}));
    EXPECT_EQ(menus[4]->text(), "ヘルプ(&H)");
    EXPECT_EQ(MenuEntries(menus[4]->menu()), QStringList({"使い方(&G)", "バージョン情報(&A)"}));
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("mnuFilename%1").arg(i))->isVisible());

    EXPECT_EQ(w.findChild<QPushButton*>("Command1")->text(), "初期化");
    EXPECT_EQ(w.findChild<QPushButton*>("Command2")->text(), "逐次実行");
    EXPECT_EQ(w.findChild<QPushButton*>("Command3")->text(), "自動実行");
    EXPECT_EQ(w.findChild<QPushButton*>("Command4")->text(), "停止");
    EXPECT_EQ(w.findChild<QPushButton*>("Command1")->geometry(), QRect(8, 8, 81, 25));
    EXPECT_EQ(w.findChild<QPushButton*>("Command4")->geometry(), QRect(8, 152, 81, 25));
    const auto edits = w.findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 1);
    EXPECT_EQ(edits[0]->text(), "1000");
    EXPECT_EQ(edits[0]->geometry(), QRect(8, 128, 81, 18));
    EXPECT_EQ(w.canvasView()->geometry().topLeft(), QPoint(104, 0));

    QStringList labels;
    for (QLabel* l : w.findChildren<QLabel*>()) labels << l->text();
    EXPECT_TRUE(labels.contains("タイマー"));
    EXPECT_TRUE(labels.contains("座標 (0, 0)"));
}

TEST(MainWindow, TheSelectionPanelStartsHiddenWithItsSevenButtons) {
    QTemporaryDir folder;
    MainWindow w(folder.path());
    w.show();
    const QStringList captions = {"",       "",         "",           "",
                                  "",       "点削除",   "接続線削除", "要素削除",
                                  "点移動", "要素移動", "取消",       "要素属性変更"};
    for (int n = 5; n <= 11; ++n) {
        const auto* button = w.findChild<QPushButton*>(QStringLiteral("Command%1").arg(n));
        ASSERT_NE(button, nullptr) << n;
        EXPECT_EQ(button->text(), captions[n]);
        EXPECT_FALSE(button->isVisible());
        EXPECT_EQ(button->width(), 105);
    }
    EXPECT_EQ(w.findChild<QPushButton*>("Command10")->y(), 8);
    EXPECT_EQ(w.findChild<QPushButton*>("Command11")->y(), 104);
}

TEST(MainWindow, MirrorsTheControlFieldsAfterAHandler) {
    QTemporaryDir folder;
    MainWindow w(folder.path());
    w.Dispatch([](Session& s) {
        s.frm.Label1Caption = "trace";
        s.frm.Frame1Visible = true;
        s.frm.mnuFilename[1] = {"/tmp/a&b.qrn", true};
    });
    w.show();
    EXPECT_TRUE(w.findChild<QPushButton*>("Command5")->isVisible());
    EXPECT_TRUE(w.findChild<QAction*>("mnuFilename1")->isVisible());
    EXPECT_EQ(w.findChild<QAction*>("mnuFilename1")->text(), "/tmp/a&&b.qrn");
    QStringList labels;
    for (QLabel* l : w.findChildren<QLabel*>()) labels << l->text();
    EXPECT_TRUE(labels.contains("trace"));
}

TEST(MainWindow, ClosingWritesTheSettingsFileBesideTheProgram) {
    QTemporaryDir folder;
    {
        MainWindow w(folder.path());
        w.show();
        w.close();
    }
    EXPECT_TRUE(QFile::exists(folder.filePath("mySys.!!!")));
}

TEST(MainWindow, ATimerTickWhileAHandlerShowsAMessageIsSkipped) {
    QTemporaryDir folder;
    FakePrompter ui;
    MainWindow w(folder.path(), &ui);
    SharedState& st = w.session().st;
    AddElement(st, kConstantNumber, "1", 1000, 1000);
    AddElement(st, kVariableNumber, "v", 3000, 1000);
    AddConnection(st, 1, 0);  // unfinished: the next redraw drops it with a message
    AddConnection(st, 1, 2);
    w.session().frm.Timer1 = {1, true};
    int ticks = 0;
    ui.onMessage = [&](const QString&) {
        w.TimerTick();
        ++ticks;
    };
    w.Dispatch(frmMain::mnuEditRelease_Click);
    EXPECT_EQ(ui.TakeMessages(), QStringList({PurgeMessage(1)}));
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(st.StepElem, 0);  // no step ran inside the message
    ASSERT_EQ(st.Diagram.ConnCount, 1);
    EXPECT_EQ(st.Diagram.Connections[1].ToElem, 2);
    // Outside any handler the tick steps.
    w.TimerTick();
    EXPECT_EQ(st.StepElem, 1);
    w.session().frm.Timer1.Enabled = false;
}

TEST(MainWindow, OptionGridShowsTheGridWindowOnceBesideTheOtherChildren) {
    QTemporaryDir folder;
    MainWindow w(folder.path());
    w.show();
    QAction* grid = w.findChild<QAction*>("mnuOptionGrid");
    const auto gridWindows = [&w] {
        QList<QWidget*> shown;
        for (QWidget* child : w.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (child->isWindow() && child->isVisible() && child->windowTitle() == "グリッドサイズ")
                shown << child;
        return shown;
    };
    grid->trigger();
    ASSERT_EQ(gridWindows().size(), 1);
    EXPECT_EQ(gridWindows()[0]->findChild<QLineEdit*>("Text1")->text(), "100");
    grid->trigger();  // the open window comes to the front; no second one
    EXPECT_EQ(gridWindows().size(), 1);
    EXPECT_TRUE(w.centralWidget()->isVisible());
    gridWindows()[0]->close();
}

TEST(FileFilters, LabelsKeepTheirTextAndEveryFileMeansEveryFile) {
    EXPECT_EQ(QtNameFilters("Quillrun(*.qrn)|*.qrn|すべてのファイル(*.*)|*.*"),
              QStringList({"Quillrun(*.qrn) (*.qrn)", "すべてのファイル(*.*) (*)"}));
    EXPECT_EQ(QtNameFilters("bmp(*.bmp)|*.bmp"), QStringList({"bmp(*.bmp) (*.bmp)"}));
    EXPECT_TRUE(QtNameFilters("odd").isEmpty());
}
