// Several elements at once: copy, cut, paste and duplicate through the clipboard, the limits,
// clipboard content that is no diagram, and each command one edit that one undo takes back.

#include "editor/copy_paste.h"
#include "editor/edit_menu.h"
#include "editor/selection_panel.h"
#include "editor_support.h"
#include "model/cp932.h"
#include "model/diagram_file.h"
#include "render/renderer.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

namespace {

// 3 and 4 into "+" (3), the sum into a variable (4), with a bend and a bold label on 1 → 3.
struct CopyPaste : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    SharedState& st = p->st;

    void SetUp() override {
        AddElement(st, kConstantNumber, "3", 1000, 1000);
        AddElement(st, kConstantNumber, "4", 1000, 3000);
        AddElement(st, kPlus, "+", 3000, 2000);
        AddElement(st, kVariableNumber, "合計", 5000, 2000);
        AddConnection(st, 1, 3, "1", {{2000, 1200}});
        st.Diagram.Connections[1].Font.Bold = true;
        AddConnection(st, 2, 3, "2");
        AddConnection(st, 3, 4);
        RedrawDiagram(p->s, -1);
        p->program.history.Replaced();
    }
    void Do(void (*command)(Session&)) { p->program.Dispatch(command); }
    void Select(std::initializer_list<int> elements) {
        ElementSet set;
        for (int e : elements) set.set(static_cast<std::size_t>(e));
        SelectElements(st, set);
    }
    QByteArray File() const { return WriteDiagram(st.Diagram); }
};

}  // namespace

TEST_F(CopyPaste, APastedPartIsTheSelectionWithItsInnerConnectionsMovedOnTheGrid) {
    Select({1, 3});
    Do(frmMain::mnuEditCopy_Click);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(kDiagramMimeType));
    EXPECT_EQ(data->text(), FromCp932(data->data(kDiagramMimeType).constData(),
                                      data->data(kDiagramMimeType).size()));
    const QByteArray before = File();
    Do([](Session& s) { frmMain::mnuEditPaste_Click(s); });
    ASSERT_EQ(st.Diagram.ElemCount, 6);
    ASSERT_EQ(st.Diagram.ConnCount, 4) << "only 1 → 3 lies inside the copied part";
    const ElementRec& three = st.Diagram.Elements[5];
    EXPECT_EQ(three.Text, "3");
    EXPECT_EQ(three.X, 1300);
    EXPECT_EQ(three.Y, 1300);
    const ConnectionRec& c = st.Diagram.Connections[4];
    EXPECT_EQ(c.FromElem, 5);
    EXPECT_EQ(c.ToElem, 6);
    EXPECT_EQ(c.Points[1].X, 2300);
    EXPECT_TRUE(c.Font.Bold);
    EXPECT_EQ(SelectedGroup(st), ElementSet().set(5).set(6)) << "what was pasted is selected";
    EXPECT_TRUE(p->program.history.Modified());

    // At the pointer: the part's middle on the grid point there.
    Do([](Session& s) { frmMain::mnuEditPaste_Click(s, PointRec{6010, 3990}); });
    ASSERT_EQ(st.Diagram.ElemCount, 8);
    EXPECT_EQ(st.Diagram.Elements[7].X, 6000 - 1000);  // the part spans 700..3300: middle 2000
    EXPECT_EQ(st.Diagram.Elements[8].Y, 4000 + 500);

    // Each paste is one edit.
    p->program.history.Undo();
    p->program.history.Undo();
    EXPECT_EQ(File(), before);
}

TEST_F(CopyPaste, CutAndDuplicateAreOneEditEachAndTakenBackByteForByte) {
    const QByteArray before = File();
    Select({2, 3});
    Do(frmMain::mnuEditCut_Click);
    EXPECT_EQ(st.Diagram.ElemCount, 2);
    EXPECT_EQ(st.Diagram.ConnCount, 0);
    p->program.history.Undo();
    EXPECT_EQ(File(), before);
    Do([](Session& s) { frmMain::mnuEditPaste_Click(s); });  // what was cut comes back, moved
    EXPECT_EQ(st.Diagram.ElemCount, 6);
    EXPECT_EQ(st.Diagram.ConnCount, 4);
    p->program.history.Undo();
    Select({1, 2, 3, 4});
    Do(frmMain::mnuEditDuplicate_Click);
    EXPECT_EQ(st.Diagram.ElemCount, 8);
    EXPECT_EQ(st.Diagram.ConnCount, 6);
    EXPECT_EQ(p->program.history.Stack().count(), 1) << "the duplicate is one edit";
    p->program.history.Undo();
    EXPECT_EQ(File(), before);

    // すべて選択 and the panel's 要素削除: every element goes, one undo brings all back.
    Do(frmMain::mnuEditSelectAll_Click);
    EXPECT_EQ(SelectedGroup(st).count(), 4u);
    Do(frmMain::Command7_Click);
    EXPECT_EQ(st.Diagram.ElemCount, 0);
    p->program.history.Undo();
    EXPECT_EQ(File(), before);
}

TEST_F(CopyPaste, APasteBeyondTheLimitsOrOfNoDiagramAddsNothingAndSaysSo) {
    Select({1, 2, 3, 4});
    Do(frmMain::mnuEditCopy_Click);
    while (st.Diagram.ElemCount < kMaxElements - 3) AddElement(st, kConstantNumber, "0", 500, 500);
    const QByteArray full = File();
    Do([](Session& s) { frmMain::mnuEditPaste_Click(s); });
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({Tr(kTooManyElements)}));
    EXPECT_EQ(File(), full);

    p = std::make_unique<TestProgram>();
    AddElement(p->st, kConstantNumber, "1", 500, 500);
    AddElement(p->st, kVariableNumber, "v", 1500, 500);
    for (int j = 0; j < kMaxConnections - 2; ++j) AddConnection(p->st, 1, 2);
    const QByteArray connections = WriteDiagram(p->st.Diagram);
    p->program.Dispatch([](Session& s) { frmMain::mnuEditPaste_Click(s); });
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({Tr(kTooManyConnections)}));
    EXPECT_EQ(WriteDiagram(p->st.Diagram), connections);

    // Text that is no diagram, or only the start of one: nothing, and a word why.
    for (const char* text : {"hello", "5", "2\r\n260,120\r\n"}) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
        p->program.Dispatch([](Session& s) { frmMain::mnuEditPaste_Click(s); });
        EXPECT_EQ(p->ui.TakeMessages(), QStringList({Tr(kNotADiagramMessage)})) << text;
        EXPECT_EQ(WriteDiagram(p->st.Diagram), connections) << text;
    }
    // The text of a diagram file, as a text editor copies it, pastes as a part.
    const QByteArray example =
        ReadFile(QStringLiteral(QUILLRUN_SOURCE_DIR "/tests/data/example.qrn"));
    QGuiApplication::clipboard()->setText(FromCp932(example.constData(), example.size()));
    auto q = std::make_unique<TestProgram>();
    q->program.Dispatch([](Session& s) { frmMain::mnuEditPaste_Click(s); });
    EXPECT_EQ(q->st.Diagram.ElemCount, 2);
    EXPECT_EQ(q->st.Diagram.ConnCount, 1);
}
