// Seeing the run in the real window: single steps forward and back with the keys, the values
// panel beside the canvas and the canvas's tool tips.

#include "app/run_values.h"
#include "app/views/run_values_dock.h"
#include "window_support.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolTip>

namespace {

QImage CanvasOnScreen(MainWindow& w) {
    Settle(w);
    const QWidget* canvas = w.canvasView();
    const QPoint at = canvas->mapTo(&w, QPoint(0, 0));
    return Screenshot(w, QString()).copy(QRect(at, canvas->size()));
}

}  // namespace

TEST(RunWindow, StepsForwardAndBackWithTheKeysShowTheSamePicturesAgain) {
    QTemporaryDir folder;
    PutTheSampleIn(folder);
    MainWindow w(folder.path());
    ShowActive(w);
    w.findChild<QAction*>("mnuFileSample")->trigger();
    w.findChild<QAction*>("mnuRunValues")->setChecked(false);
    w.findChild<QPushButton*>("Command1")->click();  // 初期化
    auto* status = w.findChild<QLabel*>("Label1");

    std::vector<QImage> pictures{CanvasOnScreen(w)};
    std::vector<QString> lines{status->text()};
    for (int n = 1; n <= 7; ++n) {
        QTest::keyClick(&w, Qt::Key_F8);  // 1ステップ実行: no question in the way
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        pictures.push_back(CanvasOnScreen(w));
        lines.push_back(status->text());
    }
    EXPECT_EQ(lines[3], "ID=3 演算 : Number 3 + Number 4 ⇒ Number 7");
    for (int n = 0; n < 4; ++n)
        QTest::keyClick(&w, Qt::Key_F8, Qt::ShiftModifier);  // 1ステップ戻る
    EXPECT_EQ(w.session().st.StepElem, 3);
    EXPECT_EQ(status->text(), lines[3]);
    EXPECT_EQ(CanvasOnScreen(w), pictures[3]) << "step 3's picture, pixel for pixel";
    Screenshot(w, "stepped-back-to-3");
    for (int n = 4; n <= 7; ++n) {
        QTest::keyClick(&w, Qt::Key_F8);
        EXPECT_EQ(CanvasOnScreen(w), pictures[static_cast<std::size_t>(n)]) << n;
    }
}

TEST(RunWindow, TheValuesPanelShowsTheRunAndTheCanvasTellsAnElementsValues) {
    QTemporaryDir folder;
    PutTheSampleIn(folder);
    MainWindow w(folder.path());
    w.resize(900, 420);
    ShowActive(w);
    w.findChild<QAction*>("mnuFileSample")->trigger();
    w.findChild<QPushButton*>("Command1")->click();
    QAction* values = w.findChild<QAction*>("mnuRunValues");
    values->setChecked(false);
    QTest::keyClick(&w, Qt::Key_F7);
    EXPECT_TRUE(values->isChecked());
    auto* dock = w.findChild<RunValuesDock*>("ValuesPanel");
    ASSERT_TRUE(dock->isVisible());
    for (int n = 0; n < 4; ++n) QTest::keyClick(&w, Qt::Key_F8);
    QTest::qWait(100);  // the panel follows within a frame
    const RunValuesModel& model = dock->Model();
    EXPECT_EQ(model.data(model.index(3, kColumnValue), Qt::DisplayRole), "7") << "合計 took 7";
    EXPECT_TRUE(model.Changed(3, kColumnValue));
    EXPECT_EQ(model.SteppedRow(), 3);
    Screenshot(w, "values-panel");

    // The tool tip over 合計 (element 4, centre 3000, 1300).
    QHelpEvent tip(QEvent::ToolTip, CanvasPixel(w, 3000, 1300),
                   w.canvasView()->mapToGlobal(CanvasPixel(w, 3000, 1300)));
    QApplication::sendEvent(w.canvasView(), &tip);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().contains("値: 7")) << QToolTip::text().toStdString();
    QToolTip::hideText();

    // Closed by its menu entry, it stays closed at the next start.
    values->setChecked(false);
    EXPECT_FALSE(dock->isVisible());
    MainWindow again(folder.path());
    ShowActive(again);
    EXPECT_FALSE(again.findChild<RunValuesDock*>("ValuesPanel")->isVisible());
    again.findChild<QAction*>("mnuRunValues")->setChecked(true);
    MainWindow third(folder.path());
    ShowActive(third);
    EXPECT_TRUE(third.findChild<RunValuesDock*>("ValuesPanel")->isVisible());
    third.findChild<QAction*>("mnuRunValues")->setChecked(false);
}

// On a screen scaled to 2 (QT_SCALE_FACTOR, as the desktop's own scaling sets it), in a second
// program started with that scaling: the canvas is drawn in the screen's own pixels, and a click
// still hits what lies under it.
TEST(ScaledWindow, TheCanvasIsSharpAtTwiceTheScaleAndClicksHitAsBefore) {
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != QLatin1String("2")) {
        QProcess scaled;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_SCALE_FACTOR", "2");
        scaled.setProcessEnvironment(env);
        scaled.setProcessChannelMode(QProcess::ForwardedChannels);
        scaled.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=ScaledWindow.*")});
        ASSERT_TRUE(scaled.waitForFinished(120000));
        EXPECT_EQ(scaled.exitCode(), 0) << "the scaled window's test failed (its output above)";
        return;
    }
    QTemporaryDir folder;
    PutTheSampleIn(folder);
    MainWindow w(folder.path());
    ShowActive(w);
    w.findChild<QAction*>("mnuFileSample")->trigger();
    ASSERT_EQ(w.devicePixelRatioF(), 2);
    const QImage shot = Screenshot(w, "scaled-2");
    const QPoint origin = w.canvasView()->mapTo(&w, QPoint(0, 0)) * 2;
    // The label 合計 (at canvas (2840, 1220)) has detail finer than 2 × 2 screen pixels.
    int mixed = 0;
    for (int y = 0; y < 40; y += 2)
        for (int x = 0; x < 80; x += 2) {
            const QPoint at = origin + CanvasPixel(w, 2840, 1220) * 2 + QPoint(x, y);
            const QRgb c = shot.pixel(at);
            mixed += shot.pixel(at + QPoint(1, 0)) != c || shot.pixel(at + QPoint(0, 1)) != c ||
                     shot.pixel(at + QPoint(1, 1)) != c;
        }
    EXPECT_GT(mixed, 10);
    QTest::mouseClick(w.canvasView(), Qt::RightButton, {}, CanvasPixel(w, 3000, 1450));
    EXPECT_EQ(w.session().st.SelKind, kSelElement);
    EXPECT_EQ(w.session().st.SelIndex, 4);
}
