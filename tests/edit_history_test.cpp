// Taking edits back and the question before unsaved work is thrown away: first on the program's
// logic with the history looking after every event as the window has it look, then through the
// real window's menus and keys.

#include "editor/edit_history.h"
#include "app/file_commands.h"
#include "app/views/canvas_view.h"
#include "app/views/main_window.h"
#include "editor/canvas_keys.h"
#include "editor/edit_menu.h"
#include "editor/selection_panel.h"
#include "editor_support.h"
#include "engine/run_control.h"
#include "model/diagram_edit.h"
#include "model/diagram_file.h"
#include "render/renderer.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeySequence>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>

namespace {

struct History : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    std::unique_ptr<EditHistory> history;

    void SetUp() override {
        AddElement(p->st, kConstantNumber, "3", 1000, 1000);  // 1
        AddElement(p->st, kVariableNumber, "x", 4000, 1000);  // 2
        RedrawDiagram(p->s, -1);
        history = std::make_unique<EditHistory>(p->s);
        p->s.changes = history.get();
    }
    // One event, then the history looks, as after every handler of the window.
    void Do(const std::function<void()>& event) {
        event();
        history->Observe();
    }
    QByteArray File() const { return WriteDiagram(p->st.Diagram); }
    QString Path(const QString& name) const { return p->PathInFolder(name); }

    // The four edits of the tour: place an element, connect two, move one, delete one. Returns
    // the file after each, the start first.
    QList<QByteArray> FourEdits() {
        QList<QByteArray> files{File()};
        p->ui.elementScripts = {ChooseElement(kVariableNumber, "y"), CancelElement()};
        Do([&] { frmMain::mnuEditAddElement_Click(p->s); });
        Do([&] { Left(*p, 2500, 3000); });
        Do([&] { Left(*p, 2800, 3000); });  // radius 300; the dialog comes back and is cancelled
        files << File();
        Do([&] { frmMain::mnuConect_Click(p->s); });
        Do([&] { Left(*p, 1000, 1000); });
        Do([&] { Move(*p, 1500, 2000); });
        Do([&] { Left(*p, 2500, 3000); });  // ends on the new variable
        files << File();
        Do([&] { frmMain::mnuEditRelease_Click(p->s); });
        Do([&] { Left(*p, 4000, 1200); });  // picks up x by its circle
        Do([&] { Left(*p, 5000, 2000); });  // drops it
        files << File();
        Do([&] { Right(*p, 1000, 1000); });
        Do([&] { frmMain::Command7_Click(p->s); });  // 要素削除 of the constant
        files << File();
        return files;
    }
};

}  // namespace

TEST_F(History, FourUndosGiveTheStartBackAndFourRedosTheEnd) {
    const QList<QByteArray> files = FourEdits();
    ASSERT_EQ(files.size(), 5);
    for (int i = 1; i < files.size(); ++i) EXPECT_NE(files[i], files[i - 1]) << i;
    EXPECT_EQ(history->Stack().count(), 4);

    for (int i = 3; i >= 0; --i) {
        ASSERT_TRUE(history->CanUndo());
        Do([&] { history->Undo(); });
        EXPECT_EQ(File(), files[i]) << i;
        EXPECT_EQ(p->st.EditState, Editing::Idle);
        EXPECT_TRUE(p->st.SelKind.isEmpty());
        EXPECT_FALSE(p->frm.Frame1Visible);
    }
    EXPECT_FALSE(history->CanUndo());
    EXPECT_FALSE(history->Modified());
    for (int i = 1; i <= 4; ++i) {
        ASSERT_TRUE(history->CanRedo());
        Do([&] { history->Redo(); });
        EXPECT_EQ(File(), files[i]) << i;
    }
    EXPECT_FALSE(history->CanRedo());
    EXPECT_TRUE(history->Modified());
    EXPECT_TRUE(p->ui.TakeMessages().isEmpty());
}

TEST_F(History, ARunIsNoEditAndUndoResetsIt) {
    const QList<QByteArray> files = FourEdits();
    AddElement(p->st, kConstantNumber, "7", 1000, 4000);  // 3
    AddConnection(p->st, 3, 2);                           // 7 into y
    history->Observe();
    const QByteArray withConstant = File();
    frmMain::Command1_Click(p->s);
    p->frm.Timer1.Enabled = true;  // steps ask nothing
    for (int i = 0; i < 5; ++i) ExecuteStep(p->s);
    ASSERT_EQ(p->st.Diagram.Elements[2].Value, "7");
    history->Observe();
    EXPECT_EQ(history->Stack().count(), 5) << "a run is no edit";
    p->frm.Timer1.Enabled = false;

    Do([&] { history->Undo(); });
    EXPECT_EQ(File(), files[4]);
    EXPECT_EQ(p->st.StepElem, 0);
    EXPECT_EQ(p->st.FreeHead, 1);
    EXPECT_EQ(p->st.Diagram.Elements[2].DataType, kTypeUndefined);
    const QImage shown = p->canvas.Picture1().copy();
    RedrawDiagram(p->s, -1);
    EXPECT_EQ(p->canvas.Picture1(), shown) << "the canvas shows the diagram as it now is";
    Do([&] { history->Redo(); });
    EXPECT_EQ(File(), withConstant) << "the values as the run reset left them";
}

TEST_F(History, NothingToUndoAfterALoadOrNew) {
    FourEdits();
    const QString path = Path("saved.qrn");
    ASSERT_TRUE(SaveDiagram(p->s, path));
    EXPECT_TRUE(history->CanUndo()) << "a save keeps the history";
    ASSERT_TRUE(LoadDiagram(p->s, path));
    EXPECT_FALSE(history->CanUndo());
    EXPECT_FALSE(history->Modified());

    Do([&] { Right(*p, 2500, 3000); });
    Do([&] { frmMain::Command7_Click(p->s); });
    ASSERT_TRUE(history->CanUndo());
    p->ui.answers = {Answer::No};
    Do([&] { frmMain::mnuFileNew_Click(p->s); });
    EXPECT_FALSE(history->CanUndo());
    EXPECT_FALSE(history->CanRedo());
    EXPECT_FALSE(history->Modified());
}

TEST_F(History, UndoInTheMiddleOfAConnectionEndsTheDrawingFirst) {
    FourEdits();
    const QByteArray before = File();
    Do([&] { frmMain::mnuConect_Click(p->s); });
    Do([&] { Left(*p, 5000, 2000); });
    Do([&] { Move(*p, 5000, 3500); });
    Do([&] { Left(*p, 5000, 3500); });  // a bend
    ASSERT_EQ(p->st.EditState, Editing::ConnectBends);
    EXPECT_EQ(history->Stack().count(), 4) << "a connection being drawn is no edit yet";
    Do([&] { history->Undo(); });
    EXPECT_TRUE(p->ui.TakeMessages().isEmpty()) << "a connection given up goes without a word";
    EXPECT_EQ(p->st.EditState, Editing::Idle);
    EXPECT_EQ(File(), before);
    EXPECT_EQ(history->Stack().count(), 4) << "the abandoned connection is no edit";
    Do([&] { history->Undo(); });
    EXPECT_EQ(p->st.Diagram.ElemCount, 3) << "the deleted constant is back";
}

TEST_F(History, APointPutInByAnAbandonedPickUpIsAnEditOfItsOwn) {
    AddConnection(p->st, 1, 2);
    history->Replaced();
    Do([&] { Left(*p, 2000, 1000); });  // picks up the segment: a bend point goes in
    ASSERT_EQ(p->st.EditState, Editing::MovePoint);
    EXPECT_FALSE(history->Modified());
    Do([&] { frmMain::Picture1_KeyDown(p->s, Qt::Key_Escape); });  // as 選択解除
    EXPECT_EQ(p->st.Diagram.Connections[1].PointCount, 1);
    EXPECT_TRUE(history->Modified());
    Do([&] { history->Undo(); });
    EXPECT_EQ(p->st.Diagram.Connections[1].PointCount, 0);
    EXPECT_FALSE(history->Modified());
}

TEST_F(History, TheValuesAnAttributeChangeGivesAnOperatorAreAnEdit) {
    AddElement(p->st, kPlus, "+", 2500, 3000);  // 3, with no values
    RedrawDiagram(p->s, -1);
    history->Replaced();
    const QByteArray start = File();
    // The template as placing the constant 3 left it; an operator keeps the values it carries.
    p->st.NewElement.DataType = kTypeNumber;
    p->st.NewElement.Value = "3";
    Do([&] { Right(*p, 2500, 3000); });
    p->ui.elementScripts = {ChooseElement(kPlus)};
    Do([&] { frmMain::Command11_Click(p->s); });  // 要素属性変更, answered as it stands
    ASSERT_EQ(p->st.Diagram.Elements[3].Value, "3");
    const QByteArray changed = File();
    ASSERT_NE(changed, start) << "the file holds the values";
    EXPECT_TRUE(history->Modified()) << "the file on disk no longer holds the diagram";

    Do([&] { history->Undo(); });
    EXPECT_EQ(File(), start);
    Do([&] { history->Redo(); });
    EXPECT_EQ(File(), changed);
}

TEST_F(History, DeleteOnTheCanvasDeletesWhatIsSelected) {
    AddConnection(p->st, 1, 2, "", {{2500, 2000}});
    RedrawDiagram(p->s, -1);
    history->Replaced();
    Do([&] { frmMain::Picture1_KeyDown(p->s, Qt::Key_Delete); });  // nothing selected
    EXPECT_FALSE(history->Modified());
    Do([&] { Right(*p, 2500, 2000); });  // the bend point
    ASSERT_EQ(p->st.SelKind, kSelPoint);
    Do([&] { frmMain::Picture1_KeyDown(p->s, Qt::Key_Delete); });
    EXPECT_EQ(p->st.Diagram.Connections[1].PointCount, 0);
    EXPECT_FALSE(p->frm.Frame1Visible);
    Do([&] { Right(*p, 2000, 1000); });  // the line
    ASSERT_EQ(p->st.SelKind, kSelLine);
    Do([&] { frmMain::Picture1_KeyDown(p->s, Qt::Key_Delete); });
    EXPECT_EQ(p->st.Diagram.ConnCount, 0);
    Do([&] { Right(*p, 4000, 1000); });  // the element
    Do([&] { frmMain::Picture1_KeyDown(p->s, Qt::Key_Delete); });
    EXPECT_EQ(p->st.Diagram.ElemCount, 1);
    EXPECT_EQ(history->Stack().count(), 3);
}

TEST_F(History, TheQuestionComesOnlyWhenSomethingIsUnsaved) {
    EXPECT_EQ(Tr(kUnsavedQuestion), QStringLiteral("変更が保存されていません。保存しますか？"));
    const QString other = Path("other.qrn");
    ASSERT_NO_FATAL_FAILURE(WriteFile(other, File()));  // the two elements of the start
    // Nothing changed: 開く goes straight to its dialog.
    p->ui.fileAnswers = {std::nullopt};
    Do([&] { frmMain::mnuFileOpen_Click(p->s); });
    EXPECT_TRUE(p->ui.questions.isEmpty());

    FourEdits();
    ASSERT_TRUE(history->Modified());
    // Cancel: nothing happens, not even the file dialog.
    p->ui.answers = {Answer::Cancel};
    Do([&] { frmMain::mnuFileOpen_Click(p->s); });
    EXPECT_EQ(p->ui.questions, QStringList{Tr(kUnsavedQuestion)});
    EXPECT_EQ(p->ui.fileQuestions.size(), 1u);
    // Yes without a file name is 名前を付けて保存; cancelling it cancels the command.
    p->ui.answers = {Answer::Yes};
    p->ui.fileAnswers = {std::nullopt};
    Do([&] { frmMain::mnuFileSample_Click(p->s); });
    ASSERT_EQ(p->ui.fileQuestions.size(), 2u);
    EXPECT_TRUE(p->ui.fileQuestions[1].save);
    EXPECT_EQ(p->st.Diagram.ElemCount, 2) << "the sample was not opened";
    EXPECT_TRUE(history->Modified());
    // Yes with a file chosen saves, then the command goes on.
    const QString path = Path("mine.qrn");
    p->ui.answers = {Answer::Yes};
    p->ui.fileAnswers = {path};
    p->frm.mnuFilename[0] = {other, true};
    Do([&] { frmMain::mnuFilename_Click(p->s, 0); });
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(p->st.FileName, other);
    EXPECT_FALSE(history->Modified());
    // No throws the changes away.
    Do([&] { Right(*p, 1000, 1000); });
    Do([&] { frmMain::Command7_Click(p->s); });
    ASSERT_TRUE(history->Modified());
    p->ui.answers = {Answer::No};
    p->ui.fileAnswers = {path};
    Do([&] { frmMain::mnuFileOpen_Click(p->s); });
    EXPECT_EQ(p->st.FileName, path);
    EXPECT_FALSE(history->Modified());
}

TEST(HistoryInTheWindow, KeysTakeEditsBackAndClosingAsksOnlyWhileSomethingIsUnsaved) {
    QTemporaryDir folder;
    FakePrompter ui;
    MainWindow w(folder.path(), &ui);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const auto action = [&](const char* name) { return w.findChild<QAction*>(name); };
    const auto title = [&] { return w.windowHandle()->title(); };
    const SharedState& st = w.session().st;
    EXPECT_FALSE(action("mnuEditUndo")->isEnabled());
    EXPECT_FALSE(action("mnuEditRedo")->isEnabled());
    EXPECT_EQ(action("mnuFileNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(action("mnuFileOpen")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(action("mnuFileSave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(action("mnuFileSaveAs")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_EQ(action("fileExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    // An element placed by mouse.
    ui.elementScripts = {ChooseElement(kConstantNumber, "5"), CancelElement()};
    action("mnuEditAddElement")->trigger();
    for (const QPoint at : {QPoint(100, 100), QPoint(120, 100)}) {
        QTest::mouseMove(w.canvasView(), at);
        QTest::mouseClick(w.canvasView(), Qt::LeftButton, {}, at);
    }
    ASSERT_EQ(st.Diagram.ElemCount, 1);
    EXPECT_TRUE(action("mnuEditUndo")->isEnabled());
    EXPECT_EQ(title(), "Quillrun*");

    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(st.Diagram.ElemCount, 0);
    EXPECT_EQ(title(), "Quillrun");
    EXPECT_TRUE(action("mnuEditRedo")->isEnabled());
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(st.Diagram.ElemCount, 1);

    // Delete on the canvas; Ctrl+Z takes it back and Ctrl+Shift+Z does it again.
    QTest::mouseClick(w.canvasView(), Qt::RightButton, {}, QPoint(100, 105));
    ASSERT_EQ(st.SelKind, kSelElement);
    QTest::keyClick(w.canvasView(), Qt::Key_Delete);
    EXPECT_EQ(st.Diagram.ElemCount, 0);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(st.Diagram.ElemCount, 1);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(st.Diagram.ElemCount, 0);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(st.Diagram.ElemCount, 1);

    // Closing with the element unsaved asks; Cancel, or Yes with a cancelled save, stays open.
    ui.answers = {Answer::Cancel};
    w.close();
    EXPECT_TRUE(w.isVisible());
    ui.answers = {Answer::Yes};
    ui.fileAnswers = {std::nullopt};
    w.close();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ui.questions, QStringList({Tr(kUnsavedQuestion), Tr(kUnsavedQuestion)}));

    // Saved with Ctrl+S, it closes without a question.
    ui.fileAnswers = {folder.filePath("five.qrn")};
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(folder.filePath("five.qrn")));
    EXPECT_EQ(title(), "five.qrn – Quillrun") << "the title names the file, without the mark";
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(ui.questions.size(), 2);
}

TEST(HistoryInTheWindow, ADroppedFileOpensAsOpenDoesAfterTheQuestion) {
    QTemporaryDir folder;
    FakePrompter ui;
    MainWindow w(folder.path(), &ui);
    const QString first = folder.filePath("first.qrn"), second = folder.filePath("second.qrn");
    auto made = std::make_unique<SharedState>();
    AddElement(*made, kConstantNumber, "1", 1000, 1000);
    for (const QString& path : {first, second})
        ASSERT_NO_FATAL_FAILURE(WriteFile(path, WriteDiagram(made->Diagram)));
    const auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &enter);
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&w, &dropped);
        return enter.isAccepted();
    };
    EXPECT_FALSE(drop({QUrl::fromLocalFile(folder.path()), QUrl("https://example.org/a.qrn")}));
    EXPECT_TRUE(w.session().st.FileName.isEmpty());
    EXPECT_TRUE(ui.messages.isEmpty());

    EXPECT_TRUE(drop({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)}));
    EXPECT_EQ(w.session().st.FileName, first);
    EXPECT_EQ(w.session().st.Diagram.ElemCount, 1);

    // With changes unsaved the question comes first; Cancel keeps the diagram.
    w.Dispatch([](Session& s) { AddElement(s.st, kConstantNumber, "2", 3000, 1000); });
    ui.answers = {Answer::Cancel};
    drop({QUrl::fromLocalFile(second)});
    EXPECT_EQ(ui.questions, QStringList{Tr(kUnsavedQuestion)});
    EXPECT_EQ(w.session().st.FileName, first);
    EXPECT_EQ(w.session().st.Diagram.ElemCount, 2);
}
