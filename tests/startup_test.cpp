#include "app/startup.h"
#include "app/settings_file.h"
#include "model/cell_pool.h"
#include "test_files.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QFile>
#include <memory>

namespace {

QStringList VisibleEntries(const FormControls& frm) {
    QStringList shown;
    for (const MenuEntry& e : frm.mnuFilename)
        if (e.Visible) shown << e.Caption;
    return shown;
}

}  // namespace

TEST(Startup, InitialisesTheStateAndTheCanvas) {
    auto p = std::make_unique<TestProgram>(false);
    p->st.GridSize = 7;
    p->st.Diagram.ElemCount = 3;
    p->st.Diagram.ConnCount = 2;
    p->st.EditState = Editing::ConnectStart;
    p->st.FreeHead = -1;
    StartupInitialisation(p->s);
    EXPECT_EQ(p->st.GridSize, 100);
    EXPECT_EQ(p->st.Diagram.ElemCount, 0);
    EXPECT_EQ(p->st.Diagram.ConnCount, 0);
    EXPECT_EQ(p->st.EditState, Editing::Idle);
    EXPECT_EQ(p->st.FreeHead, 1);
    EXPECT_EQ(p->canvas.Picture2.PixelWidth(), 417);
    EXPECT_EQ(p->canvas.Picture2.PixelHeight(), 281);
    EXPECT_DOUBLE_EQ(p->canvas.Picture2.ScaleWidth(), 6255);
    EXPECT_EQ(p->Pixel(0, 50), kGridColour);
    EXPECT_EQ(p->frm.Label1Caption, "座標 (0, 0)");
    EXPECT_EQ(p->frm.Text1Text, "1000");
    EXPECT_FALSE(p->frm.Frame1Visible);
    EXPECT_FALSE(p->frm.Timer1.Enabled);
}

TEST(SettingsFile, FirstRunHasNoRecentFilesAndExitWritesSevenEmptyLines) {
    auto p = std::make_unique<TestProgram>();
    EXPECT_TRUE(p->st.FileName.isEmpty());
    EXPECT_TRUE(VisibleEntries(p->frm).isEmpty());
    Shutdown(p->s);
    EXPECT_EQ(ReadFile(SettingsFilePath(p->frm)), QByteArray("\"\"\r\n").repeated(7));
}

TEST(SettingsFile, RoundTripsFileNamesAndRecentEntriesInCodePage932) {
    auto p = std::make_unique<TestProgram>();
    p->st.FileName = "/home/user/図.qrn";
    p->st.ImageFileName = "/tmp/a.bmp";
    p->frm.mnuFilename[0] = {"/home/user/図.qrn", true};
    p->frm.mnuFilename[1] = {"/x/b.qrn", true};
    Shutdown(p->s);
    const QByteArray bytes = ReadFile(SettingsFilePath(p->frm));
    EXPECT_TRUE(bytes.startsWith("\"/home/user/\x90\x7d.qrn\"\r\n\"/tmp/a.bmp\"\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 7);

    auto q = std::make_unique<TestProgram>(false);
    q->frm.AppPath = p->frm.AppPath;
    StartupInitialisation(q->s);
    EXPECT_EQ(q->st.FileName, "/home/user/図.qrn");
    EXPECT_EQ(q->st.ImageFileName, "/tmp/a.bmp");
    EXPECT_EQ(VisibleEntries(q->frm), QStringList({"/home/user/図.qrn", "/x/b.qrn"}));
}

TEST(SettingsFile, PathsCodePage932CannotHoldSurviveARestartInUtf8) {
    auto p = std::make_unique<TestProgram>();
    const QString cafe = QString::fromUtf8("/home/user/caf\u00e9.qrn");
    const QString emoji = QString::fromUtf8("/home/user/\U0001F600/\u9C7C.qrn");
    p->st.FileName = cafe;
    p->frm.mnuFilename[0] = {cafe, true};
    p->frm.mnuFilename[1] = {"/home/user/say \"hi\".qrn", true};  // no item can hold a quote
    p->frm.mnuFilename[2] = {"/home/user/図.qrn", true};
    p->frm.mnuFilename[3] = {emoji, true};
    Shutdown(p->s);
    EXPECT_EQ(ReadFile(SettingsFilePath(p->frm)),
              "\xEF\xBB\xBF\"" + cafe.toUtf8() + "\"\r\n\"\"\r\n\"" + cafe.toUtf8() +
                  "\"\r\n\"\"\r\n\"/home/user/図.qrn\"\r\n\"" + emoji.toUtf8() + "\"\r\n\"\"\r\n");

    auto q = std::make_unique<TestProgram>(false);
    q->frm.AppPath = p->frm.AppPath;
    StartupInitialisation(q->s);
    EXPECT_EQ(q->st.FileName, cafe);
    EXPECT_EQ(VisibleEntries(q->frm), QStringList({cafe, "/home/user/図.qrn", emoji}));
}

TEST(SettingsFile, AShortFileFillsTheFirstEntriesOnly) {
    auto p = std::make_unique<TestProgram>(false);
    WriteFile(SettingsFilePath(p->frm), "\"cur.qrn\"\r\n\"img.bmp\"\r\n\"one.qrn\"\r\n");
    StartupInitialisation(p->s);
    EXPECT_EQ(p->st.FileName, "cur.qrn");
    EXPECT_EQ(VisibleEntries(p->frm), QStringList({"one.qrn"}));
    EXPECT_FALSE(p->frm.mnuFilename[1].Visible);
}

TEST(SettingsFile, AnEmptyEntryBetweenTwoFullOnesStaysHidden) {
    auto p = std::make_unique<TestProgram>(false);
    WriteFile(SettingsFilePath(p->frm),
              "\"\"\r\n\"\"\r\n\"a\"\r\n\"\"\r\n\"c\"\r\n\"\"\r\n\"\"\r\n");
    StartupInitialisation(p->s);
    EXPECT_TRUE(p->frm.mnuFilename[0].Visible);
    EXPECT_FALSE(p->frm.mnuFilename[1].Visible);
    EXPECT_TRUE(p->frm.mnuFilename[2].Visible);
    EXPECT_EQ(p->frm.mnuFilename[2].Caption, "c");
}

TEST(SettingsFile, AMissingOrDamagedFileIsSilent) {
    auto p = std::make_unique<TestProgram>(false);
    WriteFile(SettingsFilePath(p->frm), "\"only the current file\r\n");
    StartupInitialisation(p->s);
    EXPECT_TRUE(p->st.FileName.isEmpty());
    EXPECT_TRUE(VisibleEntries(p->frm).isEmpty());
    // Messages would fail the test through the fake.
}

TEST(SettingsFile, APipeOfThatNameIsPassedByInsteadOfWaitedOn) {
    auto p = std::make_unique<TestProgram>(false);
    const QByteArray path = QFile::encodeName(SettingsFilePath(p->frm));
    ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
    StartupInitialisation(p->s);  // reading the pipe would block here
    EXPECT_TRUE(p->st.FileName.isEmpty());
    EXPECT_EQ(p->st.GridSize, 100);
}

TEST(SettingsFile, AnUnwritableFolderIsSilentAtShutdown) {
    auto p = std::make_unique<TestProgram>();
    p->frm.AppPath = "/nonexistent/folder";
    Shutdown(p->s);
    EXPECT_FALSE(QFile::exists("/nonexistent/folder/mySys.!!!"));
}

TEST(Layout, TheCanvasFillsTheWindowWithTheStatusLineBelowIt) {
    auto p = std::make_unique<TestProgram>();
    ResizeLayout(p->s, 12000, 9000);
    EXPECT_EQ(p->frm.Picture1.Width, 12000 - 1560);
    EXPECT_EQ(p->frm.Label1.Top, p->frm.Picture1.Top + p->frm.Picture1.Height + 100);
    EXPECT_EQ(p->frm.Label1.Width, p->frm.Picture1.Width);
    EXPECT_EQ(p->frm.Label1.Left, p->frm.Picture1.Left);
    EXPECT_EQ(p->canvas.Picture2.PixelWidth(), 696);
    // The unit keeps its size: the grid spacing stays 100 units of 1/15 pixel.
    EXPECT_DOUBLE_EQ(p->canvas.Picture2.UnitsPerPixelX(), 15);
    EXPECT_EQ(p->Pixel(10200, 50), kGridColour);
}

TEST(Layout, ACanvasUnder200UnitsKeepsTheOldLayout) {
    auto p = std::make_unique<TestProgram>();
    ResizeLayout(p->s, 9000, 7000);
    const FormControls before = p->frm;
    ResizeLayout(p->s, 1700, 7000);
    ResizeLayout(p->s, 9000, 500);
    EXPECT_EQ(p->frm.Picture1.Width, before.Picture1.Width);
    EXPECT_EQ(p->frm.Picture1.Height, before.Picture1.Height);
    EXPECT_EQ(p->frm.Label1.Top, before.Label1.Top);
    ResizeLayout(p->s, 10000, 7000);
    EXPECT_EQ(p->frm.Picture1.Width, 10000 - 1560);
}
