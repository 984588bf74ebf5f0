// Several elements at once in the real window: a box dragged over the canvas, Shift clicks, a
// group dragged and taken back, and copy and paste between two programs through the desktop's
// clipboard.

#include "model/diagram_file.h"
#include "model/selection.h"
#include "window_support.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

std::unique_ptr<MainWindow> SampleWindow(const QTemporaryDir& folder) {
    PutTheSampleIn(folder);
    auto w = std::make_unique<MainWindow>(folder.path());
    ShowActive(*w);
    w->findChild<QAction*>("mnuFileSample")->trigger();
    Settle(*w);
    return w;
}

}  // namespace

TEST(ManyElementsWindow, ABoxAndShiftClicksSelectAndTheGroupIsDraggedAndTakenBack) {
    QTemporaryDir folder;
    const auto w = SampleWindow(folder);
    SharedState& st = w->session().st;
    QWidget* canvas = w->canvasView();
    const QByteArray before = WriteDiagram(st.Diagram);
    // A box around 17, 5 and mod (centres (600, 2900), (600, 3600), (1800, 3200)).
    QTest::mousePress(canvas, Qt::LeftButton, {}, CanvasPixel(*w, 150, 2450));
    MoveTo(canvas, CanvasPixel(*w, 1500, 3800));
    MoveTo(canvas, CanvasPixel(*w, 2200, 4000));
    Screenshot(*w, "selection-box");
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, CanvasPixel(*w, 2200, 4000));
    EXPECT_EQ(SelectedGroup(st), ElementSet().set(8).set(9).set(10));
    // Shift+click on 余り (element 11) adds it, and on 5 takes it out.
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, CanvasPixel(*w, 3000, 3400));
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::ShiftModifier, CanvasPixel(*w, 600, 3800));
    EXPECT_EQ(SelectedGroup(st), ElementSet().set(8).set(10).set(11));
    Screenshot(*w, "group-selected");

    // Dragging mod drags all three.
    QTest::mousePress(canvas, Qt::LeftButton, {}, CanvasPixel(*w, 1800, 3400));
    MoveTo(canvas, CanvasPixel(*w, 2400, 3500));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, CanvasPixel(*w, 2800, 3600));
    EXPECT_EQ(st.Diagram.Elements[10].X, 2800);
    EXPECT_EQ(st.Diagram.Elements[8].X, 600 + 1000);
    EXPECT_EQ(st.Diagram.Elements[11].Y, 3200 + 400);
    EXPECT_EQ(st.Diagram.Elements[9].X, 600) << "the one taken out stays";
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(WriteDiagram(st.Diagram), before) << "one undo brings everything back";
}

// Run by the test below in a second process: pastes into a window of its own and writes what it
// holds to the file QUILLRUN_PEER_OUT names.
TEST(ClipboardPeer, PastesIntoAWindowOfItsOwn) {
    const QString out = qEnvironmentVariable("QUILLRUN_PEER_OUT");
    if (out.isEmpty()) GTEST_SKIP() << "the second program of CopyAndPasteBetweenTwoPrograms";
    QTemporaryDir folder;
    MainWindow w(folder.path());
    ShowActive(w);
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteDiagram(w.session().st.Diagram));
}

TEST(ManyElementsWindow, CopyAndPasteBetweenTwoPrograms) {
    QTemporaryDir folder;
    const auto w = SampleWindow(folder);
    QTest::keyClick(w.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_C, Qt::ControlModifier);
    const QString out = folder.filePath("pasted.qrn");
    QProcess peer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUILLRUN_PEER_OUT", out);
    peer.setProcessEnvironment(env);
    peer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QEventLoop loop;  // this program answers the clipboard's requests meanwhile
    QObject::connect(&peer, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    peer.start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--gtest_filter=ClipboardPeer.*")});
    loop.exec();
    ASSERT_EQ(peer.state(), QProcess::NotRunning) << "the second program did not finish";
    EXPECT_EQ(peer.exitCode(), 0);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    DiagramTables pasted;
    ASSERT_EQ(ReadDiagram(file.readAll(), pasted), DiagramRead::Loaded);
    const DiagramTables& original = w->session().st.Diagram;
    ASSERT_EQ(pasted.ElemCount, original.ElemCount);
    EXPECT_EQ(pasted.ConnCount, original.ConnCount);
    for (int e = 1; e <= original.ElemCount; ++e) {
        EXPECT_EQ(pasted.Elements[e].Text, original.Elements[e].Text) << e;
        EXPECT_EQ(pasted.Elements[e].X, original.Elements[e].X + 300) << e;
    }
}
