#include "app/views/qt_prompter.h"
#include "engine/run_control.h"
#include "engine/snapshot_prompt.h"
#include "small_disk.h"
#include "test_files.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <memory>

namespace {

const QString kFilter = "bmp(*.bmp)|*.bmp|全てのﾌｧｲﾙ(*.*)|*.*";

// A constant 5 (element 1) feeding a variable (element 2): every visit of element 1 sends.
struct Snapshot : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    void SetUp() override {
        AddElement(p->st, kConstantNumber, "5", 2000, 2000);
        AddElement(p->st, kVariableNumber, "v", 4500, 2000);
        AddConnection(p->st, 1, 2);
        frmMain::Command1_Click(p->s);
        p->st.ImageFileName = p->PathInFolder("proposed.bmp");
    }
    // Steps element 1 again (its target's queue emptied first, so that it sends).
    void StepConstant() {
        p->st.Diagram.Elements[2].ArgQueue[1] = -1;
        p->st.StepElem = 0;
        ExecuteStep(p->s);
    }
    static QRgb PixelOf(const QImage& image, double x, double y) {
        return image.pixel(static_cast<int>(x / 15 + 0.5), static_cast<int>(y / 15 + 0.5)) |
               0xFF000000u;
    }
};

}  // namespace

TEST_F(Snapshot, TheQuestionHasItsFourLines) {
    p->ui.answers = {Answer::No};
    StepConstant();
    ASSERT_EQ(p->ui.questions.size(), 1);
    EXPECT_EQ(p->ui.questions[0],
              "画像を保存しますか？。\r\n\r\n保存しないで続行するときは「いいえ」ボタンを\r\n"
              "停止するときは「キャンセル」ボタンをクリックします。");
    EXPECT_EQ(SnapshotQuestion(), p->ui.questions[0]);
    EXPECT_EQ(p->ui.preferredAnswers, std::vector<Answer>{Answer::No}) << "Return goes on";
    EXPECT_EQ(p->st.StopFlag, 0);
    EXPECT_TRUE(p->ui.fileQuestions.empty());
}

TEST_F(Snapshot, CancelStopsTheRun) {
    p->ui.answers = {Answer::Cancel};
    StepConstant();
    EXPECT_EQ(p->st.StopFlag, -1);
    EXPECT_FALSE(p->st.StoppedByError);
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : 定数  Number 5 転送");
}

TEST_F(Snapshot, DuringAnAutomaticRunOnlyTheLineIsShown) {
    p->frm.Text1Text = "0";  // enabled, even though it never ticks
    frmMain::Command3_Click(p->s);
    StepConstant();
    EXPECT_TRUE(p->ui.questions.isEmpty());
    EXPECT_EQ(p->frm.Label1Caption, "ID=1 : 定数  Number 5 転送");
    EXPECT_FALSE(ShowTraceAndOfferSnapshot(p->s, "x"));
    EXPECT_EQ(p->frm.Label1Caption, "x");
}

TEST_F(Snapshot, YesSavesTheBackCanvasWithTheHighlight) {
    const QString path = p->PathInFolder("step.bmp");
    p->ui.answers = {Answer::Yes};
    p->ui.fileAnswers = {path};
    StepConstant();
    ASSERT_EQ(p->ui.fileQuestions.size(), 1);
    EXPECT_TRUE(p->ui.fileQuestions[0].save);
    EXPECT_EQ(p->ui.fileQuestions[0].filter, kFilter);
    EXPECT_EQ(p->ui.fileQuestions[0].proposed, p->st.ImageFileName);
    EXPECT_EQ(p->ui.bitmapPaths, QStringList{path});
    EXPECT_EQ(p->st.StopFlag, 0);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), "BM");
    file.close();
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), p->canvas.Picture2.Image().size());
    EXPECT_EQ(PixelOf(saved, 2000, 1800), kYellow);
    EXPECT_EQ(PixelOf(saved, 4550, 1850), kWhite) << "the variable is not highlighted";
    EXPECT_EQ(PixelOf(saved, 2050, 1850), kYellow);
    EXPECT_EQ(PixelOf(saved, 2000 + 300 + 600, 2000), kRed) << "the connection that carried";
}

TEST_F(Snapshot, TheProposedNameIsTheSameEveryTime) {
    const QString proposed = p->st.ImageFileName;
    p->ui.answers = {Answer::Yes, Answer::Yes};
    p->ui.fileAnswers = {p->PathInFolder("a.bmp"), p->PathInFolder("b.bmp")};
    StepConstant();
    StepConstant();
    ASSERT_EQ(p->ui.fileQuestions.size(), 2);
    EXPECT_EQ(p->ui.fileQuestions[1].proposed, proposed);
    EXPECT_EQ(p->st.ImageFileName, proposed);
    EXPECT_TRUE(QFile::exists(p->PathInFolder("b.bmp")));
}

TEST_F(Snapshot, CancellingTheSaveDialogSaysSoAndTheRunGoesOn) {
    p->ui.answers = {Answer::Yes, Answer::No, Answer::Cancel};
    p->ui.fileAnswers = {std::nullopt};
    frmMain::Command2_Click(p->s);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList{"画像の保存は取り消されました。"});
    EXPECT_TRUE(p->ui.bitmapPaths.isEmpty());
    EXPECT_EQ(p->ui.questions.size(), 3) << "the run went on after the cancelled dialog";
}

TEST_F(Snapshot, AnEmptyFileNameSavesNothing) {
    p->ui.answers = {Answer::Yes};
    p->ui.fileAnswers = {QString()};
    StepConstant();
    EXPECT_TRUE(p->ui.bitmapPaths.isEmpty());
    EXPECT_EQ(p->st.StopFlag, 0);
}

TEST_F(Snapshot, AFailedWriteIsReportedAndTheRunGoesOn) {
    const QString path = p->PathInFolder("no/such/folder/x.bmp");
    p->ui.answers = {Answer::Yes, Answer::Cancel};
    p->ui.fileAnswers = {path};
    p->ui.failBitmapWrites = true;
    frmMain::Command2_Click(p->s);
    EXPECT_EQ(p->ui.TakeMessages(),
              QStringList{"画像を保存できませんでした。 File Name = [" + path + "]"});
    EXPECT_EQ(p->ui.questions.size(), 2);
}

// The window's own writer of the picture, which the scripted person above stands in for.
TEST_F(Snapshot, TheWindowsBitmapOntoAFullDiskFailsAndKeepsTheOldPicture) {
    SmallDisk disk;
    if (!disk.mounted) GTEST_SKIP() << disk.reason;
    const QString path = disk.Path("kept.bmp");
    WriteFile(path, "the old picture");
    ASSERT_TRUE(disk.Fill());
    QtPrompter window(nullptr);
    EXPECT_FALSE(window.SaveBitmap(p->canvas.Picture2.Image(), path));
    EXPECT_EQ(ReadFile(path), "the old picture");
}
