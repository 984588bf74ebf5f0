#include "app/grid.h"
#include "app/views/grid_dialog_view.h"
#include "model/grid_snap.h"
#include "render/renderer.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

struct Grid : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    double Snap(double v) const { return SnapToGrid(p->st, v); }
    // Whether the visible canvas shows a vertical grid line at x (canvas units), away from
    // the horizontal lines.
    bool LineAt(double x) const { return p->Pixel(x, 2050) == kGridColour; }
    int GridPixels() const {
        const QImage& shown = p->canvas.Picture1();
        int n = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                n += (shown.pixel(x, y) | 0xFF000000u) == kGridColour;
        return n;
    }
};

}  // namespace

TEST_F(Grid, SnapsToTheNearestMultipleWithHalvesGoingUp) {
    EXPECT_EQ(Snap(150), 200);
    EXPECT_EQ(Snap(149.99), 100);
    EXPECT_EQ(Snap(-150), -100);
    EXPECT_EQ(Snap(-151), -200);
    EXPECT_EQ(Snap(0), 0);
    EXPECT_EQ(Snap(1234.5), 1200);
    p->st.GridSize = 150;
    EXPECT_EQ(Snap(225), 300);
    EXPECT_EQ(Snap(224), 150);
}

TEST_F(Grid, AGridOfZeroKeepsEveryCoordinateFractionsIncluded) {
    p->st.GridSize = 0;
    for (double v : {0.0, 123.456, -7.25, 1e9 + 0.5}) EXPECT_EQ(Snap(v), v);
}

TEST_F(Grid, ANegativeGridSnapsToMultiplesOfItsMagnitudeWithHalvesGoingDown) {
    p->st.GridSize = -100;
    EXPECT_EQ(Snap(150), 100);
    EXPECT_EQ(Snap(151), 200);
    EXPECT_EQ(Snap(-150), -200);
    EXPECT_EQ(Snap(-149), -100);
    EXPECT_EQ(Snap(30), 0);
}

TEST_F(Grid, TheDialogStartsWithOneHundredWhateverTheGrid) {
    p->st.GridSize = 150;
    GridDialog dialog(p->s);
    EXPECT_EQ(dialog.Text1Text, "100");
    EXPECT_FALSE(dialog.Closed());
    EXPECT_EQ(Tr(kGridDialogCaption), "グリッドサイズ");
}

TEST_F(Grid, SettingASizeRedrawsWithItAndCloses) {
    GridDialog dialog(p->s);
    dialog.Text1Text = "150";
    dialog.Command1_Click();
    EXPECT_EQ(p->st.GridSize, 150);
    EXPECT_TRUE(dialog.Closed());
    EXPECT_TRUE(LineAt(1500));
    EXPECT_FALSE(LineAt(1000));
}

TEST_F(Grid, SizesAreRoundedHalfToEven) {
    const std::pair<const char*, int> cases[] = {{"12.5", 12}, {"13.5", 14},   {"99.4", 99},
                                                 {"2e2", 200}, {" 1 20", 120}, {"80px", 80}};
    for (const auto& [text, size] : cases) {
        GridDialog dialog(p->s);
        dialog.Text1Text = QString::fromUtf8(text);
        dialog.Command1_Click();
        EXPECT_EQ(p->st.GridSize, size) << text;
        EXPECT_TRUE(dialog.Closed()) << text;
    }
}

TEST_F(Grid, ZeroOrATextWithoutANumberSwitchesTheGridOffAndStaysOpen) {
    for (const char* text : {"0", "abc", "", "0.4"}) {
        p->st.GridSize = 100;
        RedrawDiagram(p->s, -1);
        ASSERT_GT(GridPixels(), 0);
        GridDialog dialog(p->s);
        dialog.Text1Text = QString::fromUtf8(text);
        dialog.Command1_Click();
        EXPECT_EQ(p->st.GridSize, 0) << text;
        EXPECT_FALSE(dialog.Closed()) << text;
        EXPECT_EQ(GridPixels(), 0) << text;
    }
}

TEST_F(Grid, ANegativeSizeIsAcceptedAndDrawsNoLines) {
    GridDialog dialog(p->s);
    dialog.Text1Text = "-50";
    dialog.Command1_Click();
    EXPECT_EQ(p->st.GridSize, -50);
    EXPECT_TRUE(dialog.Closed());
    EXPECT_EQ(GridPixels(), 0);
}

TEST_F(Grid, ASizeBeyondSixteenBitsIsRefusedAndTheDialogStaysOpen) {
    for (const char* text : {"32768", "-32769", "1e10", "&H10000"}) {
        p->st.GridSize = 150;
        GridDialog dialog(p->s);
        dialog.Text1Text = QString::fromUtf8(text);
        dialog.Command1_Click();
        EXPECT_EQ(p->ui.TakeMessages(), QStringList{Tr(kGridSizeRangeMessage)}) << text;
        EXPECT_EQ(p->st.GridSize, 150) << text;
        EXPECT_FALSE(dialog.Closed()) << text;
    }
    // The limits themselves are fine.
    for (int size : {32767, -32768}) {
        GridDialog dialog(p->s);
        dialog.Text1Text = QString::number(size);
        dialog.Command1_Click();
        EXPECT_EQ(p->st.GridSize, size);
        EXPECT_TRUE(dialog.Closed());
    }
}

TEST_F(Grid, ReleaseSwitchesTheGridOffAndCloses) {
    GridDialog dialog(p->s);
    dialog.Text1Text = "250";
    dialog.Command2_Click();
    EXPECT_EQ(p->st.GridSize, 0);
    EXPECT_TRUE(dialog.Closed());
    EXPECT_EQ(GridPixels(), 0);
}

TEST_F(Grid, CancelLeavesTheGridAsItWas) {
    p->st.GridSize = 150;
    GridDialog dialog(p->s);
    dialog.Text1Text = "300";
    dialog.Command3_Click();
    EXPECT_EQ(p->st.GridSize, 150);
    EXPECT_TRUE(dialog.Closed());
}

// The tool window.

namespace {

struct GridWindow : Grid {
    QWidget owner;
    int changes = 0;

    GridDialogView* Open() {
        return ShowGridDialog(&owner, p->s, [this](const std::function<void()>& press) {
            press();
            ++changes;
        });
    }
    static QPushButton* Button(GridDialogView* view, const char* name) {
        return view->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QLineEdit* Text1(GridDialogView* view) {
        return view->findChild<QLineEdit*>(QStringLiteral("Text1"));
    }
    static void Type(GridDialogView* view, const QString& text) {
        Text1(view)->selectAll();
        QTest::keyClicks(Text1(view), text);
    }
    // Lets closed windows be destroyed.
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

}  // namespace

TEST_F(GridWindow, ShowsItsControlsAtTheirPlaces) {
    GridDialogView* view = Open();
    EXPECT_EQ(view->windowTitle(), "グリッドサイズ");
    EXPECT_TRUE(view->isWindow());
    EXPECT_EQ(view->size(), QSize(276, 34));
    EXPECT_EQ(Text1(view)->text(), "100");
    EXPECT_EQ(Text1(view)->geometry(), QRect(8, 8, 49, 18));
    EXPECT_EQ(Button(view, "Command1")->text(), "設定");
    EXPECT_EQ(Button(view, "Command2")->text(), "解除");
    EXPECT_EQ(Button(view, "Command3")->text(), "取消");
    EXPECT_EQ(Button(view, "Command1")->geometry(), QRect(64, 8, 57, 17));
    EXPECT_EQ(Button(view, "Command3")->geometry(), QRect(192, 8, 57, 17));
    view->close();
}

TEST_F(GridWindow, SettingClosesAndReopeningShowsOneHundredAgain) {
    GridDialogView* view = Open();
    Type(view, "150");
    Button(view, "Command1")->click();
    EXPECT_EQ(p->st.GridSize, 150);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(view->isVisible());
    Settle();
    EXPECT_TRUE(owner.findChildren<GridDialogView*>().isEmpty());

    GridDialogView* again = Open();
    EXPECT_EQ(Text1(again)->text(), "100");
    EXPECT_EQ(p->st.GridSize, 150);
    again->close();
}

TEST_F(GridWindow, ZeroKeepsTheWindowOpenAndAShowBringsTheSameWindowBack) {
    GridDialogView* view = Open();
    Type(view, "0");
    Button(view, "Command1")->click();
    EXPECT_EQ(p->st.GridSize, 0);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(Open(), view);
    EXPECT_EQ(Text1(view)->text(), "0");
    view->close();
}

TEST_F(GridWindow, ClosingByTheTitleBarLeavesTheGridAlone) {
    GridDialogView* view = Open();
    Type(view, "300");
    view->close();
    EXPECT_EQ(p->st.GridSize, 100);
    EXPECT_EQ(changes, 0);
    // A window that is closing is not shown again; a fresh one comes instead.
    GridDialogView* fresh = Open();
    EXPECT_NE(fresh, view);
    EXPECT_EQ(Text1(fresh)->text(), "100");
    fresh->close();
    Settle();
}

TEST_F(GridWindow, ReleaseAndCancelClose) {
    GridDialogView* view = Open();
    Button(view, "Command2")->click();
    EXPECT_EQ(p->st.GridSize, 0);
    EXPECT_FALSE(view->isVisible());
    GridDialogView* second = Open();
    Type(second, "500");
    Button(second, "Command3")->click();
    EXPECT_EQ(p->st.GridSize, 0);
    EXPECT_FALSE(second->isVisible());
    Settle();
}

TEST_F(GridWindow, TheKeyboardStartsInTheSizeReturnSetsAndEscapeCancels) {
    GridDialogView* view = Open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    EXPECT_EQ(QApplication::focusWidget(), Text1(view));
    EXPECT_EQ(Text1(view)->selectedText(), "100");
    QTest::keyClicks(Text1(view), "150");  // replaces the selected text
    QTest::keyClick(Text1(view), Qt::Key_Return);
    EXPECT_EQ(p->st.GridSize, 150);
    EXPECT_EQ(changes, 1) << "one press";
    EXPECT_FALSE(view->isVisible());
    Settle();

    GridDialogView* again = Open();
    QTest::keyClicks(Text1(again), "300");
    QTest::keyClick(Text1(again), Qt::Key_Escape);
    EXPECT_EQ(p->st.GridSize, 150);
    EXPECT_FALSE(again->isVisible());
    Settle();
}
