#include "app/file_commands.h"
#include "app/settings_file.h"
#include "app/startup.h"
#include "editor/canvas_keys.h"
#include "editor/edit_menu.h"
#include "editor_support.h"
#include "model/change_tracker.h"
#include "model/cp932.h"
#include "model/diagram_file.h"
#include "render/renderer.h"
#include "small_disk.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <memory>

namespace {

const QString kNewQuestion = QStringLiteral("すべての領域がクリアされます。現状態を保存しますか？");

QStringList Captions(const FormControls& frm) {
    QStringList captions;
    for (const MenuEntry& e : frm.mnuFilename) {
        EXPECT_EQ(e.Visible, !e.Caption.isEmpty()) << e.Caption.toStdString();
        captions << e.Caption;
    }
    return captions;
}

void SetRecent(FormControls& frm, const QStringList& paths) {
    for (int i = 0; i < 5; ++i) {
        MenuEntry& e = frm.mnuFilename[static_cast<std::size_t>(i)];
        e.Caption = i < paths.size() ? paths[i] : QString();
        e.Visible = !e.Caption.isEmpty();
    }
}

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden |
                                  QDir::System);
}

// The edit history as far as saving touches it: the diagram stays unsaved until Saved().
struct UnsavedMark : ChangeTracker {
    bool modified = true;
    bool Modified() const override { return modified; }
    void Saved() override { modified = false; }
    void Replaced() override { modified = false; }
};

// A folder in which no file can be made, holding kept.qrn, which may be written. Root, whom no
// permission stops, gets a read-only view of a temporary folder with a writable view of the file
// mounted on it; anyone else a folder without write permission.
struct FolderWithoutRoom {
    QTemporaryDir real, view;
    QString file;
    bool ready = false;
    std::string reason;

    explicit FolderWithoutRoom(const QByteArray& bytes) {
        const QString inReal = real.filePath(QStringLiteral("kept.qrn"));
        WriteFile(inReal, bytes);
        if (::geteuid() != 0) {
            file = inReal;
            QFile::setPermissions(real.path(), QFile::ReadOwner | QFile::ExeOwner);
            ready = !QFileInfo(real.path()).isWritable();
            if (!ready) reason = "this user may write into any folder";
            return;
        }
        file = view.filePath(QStringLiteral("kept.qrn"));
        ready = ::mount(Native(real.path()), Native(view.path()), nullptr, MS_BIND, nullptr) == 0 &&
                ::mount(nullptr, Native(view.path()), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                        nullptr) == 0 &&
                ::mount(Native(inReal), Native(file), nullptr, MS_BIND, nullptr) == 0;
        if (!ready)
            reason =
                std::string("the read-only view could not be mounted: ") + std::strerror(errno);
    }
    ~FolderWithoutRoom() {
        ::umount2(Native(file), MNT_DETACH);
        ::umount2(Native(view.path()), MNT_DETACH);
        QFile::setPermissions(real.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

struct FileCommands : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    QString Path(const QString& name) const { return p->PathInFolder(name); }

    // Black pixels of the visible canvas in a box given in canvas units.
    int BlackPixels(double x1, double y1, double x2, double y2) const {
        const QImage& shown = p->canvas.Picture1();
        const double k = p->canvas.Picture2.UnitsPerPixelX();
        int n = 0;
        for (int y = int(y1 / k); y <= int(y2 / k) && y < shown.height(); ++y)
            for (int x = int(x1 / k); x <= int(x2 / k) && x < shown.width(); ++x)
                if ((shown.pixel(x, y) | 0xFF000000u) == kBlack) ++n;
        return n;
    }

    // Two elements and one connection, drawn.
    void DrawSmallDiagram() {
        AddElement(p->st, kConstantNumber, "5", 600, 600);
        AddElement(p->st, kVariableNumber, "x", 2000, 600);
        AddConnection(p->st, 1, 2);
        RedrawDiagram(p->s, -1);
    }

    // n elements in a row and no connections.
    static void AddRow(SharedState& st, int n) {
        for (int i = 0; i < n; ++i)
            AddElement(st, kConstantNumber, QString::number(i), 600 + 700 * i, 600);
    }
    // A diagram file with n elements in a row and no connections.
    QString MakeDiagramFile(const QString& name, int n) {
        auto st = std::make_unique<SharedState>();
        AddRow(*st, n);
        const QString path = Path(name);
        WriteFile(path, WriteDiagram(st->Diagram));
        return path;
    }

    // Expects that nothing of the diagram, the current file, the recent files or the canvas
    // differs from the snapshot.
    struct Snapshot {
        std::unique_ptr<SharedState> st;
        QStringList recent;
        QImage picture;
    };
    Snapshot Take() const {
        return {std::make_unique<SharedState>(p->st), Captions(p->frm),
                p->canvas.Picture1().copy()};
    }
    void ExpectUnchanged(const Snapshot& before) const {
        EXPECT_EQ(p->st.Diagram.ElemCount, before.st->Diagram.ElemCount);
        EXPECT_EQ(p->st.Diagram.ConnCount, before.st->Diagram.ConnCount);
        EXPECT_TRUE(p->st.Diagram.Elements == before.st->Diagram.Elements);
        EXPECT_TRUE(p->st.Diagram.Connections == before.st->Diagram.Connections);
        EXPECT_EQ(p->st.FileName, before.st->FileName);
        EXPECT_EQ(Captions(p->frm), before.recent);
        EXPECT_TRUE(p->canvas.Picture1() == before.picture);
    }
};

}  // namespace

TEST_F(FileCommands, SaveThenLoadGivesTheDiagramBackAndMakesItTheCurrentFile) {
    DrawSmallDiagram();
    const QString path = Path("small.qrn");
    ASSERT_TRUE(SaveDiagram(p->s, path));
    EXPECT_EQ(ReadFile(path), WriteDiagram(p->st.Diagram));
    EXPECT_EQ(p->st.FileName, path);
    EXPECT_EQ(Captions(p->frm), QStringList({path, "", "", "", ""}));

    auto saved = std::make_unique<SharedState>(p->st);
    p->st.Diagram.ElemCount = 0;
    p->st.Diagram.ConnCount = 0;
    p->st.FileName.clear();
    p->st.Diagram.Connections[1].Active = -1;
    ASSERT_TRUE(LoadDiagram(p->s, path));
    EXPECT_EQ(p->st.Diagram.ElemCount, 2);
    EXPECT_EQ(p->st.Diagram.ConnCount, 1);
    EXPECT_TRUE(p->st.Diagram.Elements[1] == saved->Diagram.Elements[1]);
    EXPECT_TRUE(p->st.Diagram.Connections[1] == saved->Diagram.Connections[1]);
    EXPECT_EQ(p->st.Diagram.Connections[1].Active, 0);
    EXPECT_EQ(p->st.FileName, path);
    EXPECT_GT(BlackPixels(250, 250, 950, 950), 0);  // element 1 is drawn
}

TEST_F(FileCommands, LoadingAMissingFileSaysSoAndChangesNothing) {
    DrawSmallDiagram();
    p->st.FileName = "/old.qrn";
    SetRecent(p->frm, {"/old.qrn", "/b.qrn"});
    const Snapshot before = Take();
    const QString path = Path("nowhere.qrn");
    EXPECT_FALSE(LoadDiagram(p->s, path));
    const QStringList messages = p->ui.TakeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "ファイルが見つかりません。 File Name = [" + path + "]");
    EXPECT_TRUE(messages[0].endsWith(" File Name = [" + path + "]"));
    ExpectUnchanged(before);
}

TEST_F(FileCommands, LoadingAFolderSaysItCannotBeOpenedAndChangesNothing) {
    DrawSmallDiagram();
    const Snapshot before = Take();
    const QString path = Path("folder.qrn");
    ASSERT_TRUE(QDir().mkdir(path));
    EXPECT_FALSE(LoadDiagram(p->s, path));
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotOpen, path)}));
    ExpectUnchanged(before);
}

TEST_F(FileCommands, AFileWithCountsBeyondTheLimitsIsRefusedAndChangesNothing) {
    DrawSmallDiagram();
    const Snapshot before = Take();
    const QString path = Path("big.qrn");
    WriteFile(path, "0\r\n101\r\n");
    EXPECT_FALSE(LoadDiagram(p->s, path));
    EXPECT_EQ(p->ui.TakeMessages(),
              QStringList({"ファイルの内容が正しくありません。 File Name = [" + path + "]"}));
    ExpectUnchanged(before);
}

TEST_F(FileCommands, DanglingConnectionsOfAFileArePurgedByTheRedrawAfterTheLoad) {
    auto st = std::make_unique<SharedState>();
    AddElement(*st, kConstantNumber, "1", 600, 600);
    AddElement(*st, kVariableNumber, "a", 2000, 600);
    AddConnection(*st, 1, 2);
    AddConnection(*st, 1, 7);  // no element 7
    AddConnection(*st, 0, 2);  // no element 0
    AddConnection(*st, 1, 2, "2");
    const QString path = Path("dangling.qrn");
    WriteFile(path, WriteDiagram(st->Diagram));
    ASSERT_TRUE(LoadDiagram(p->s, path));
    const QString purge =
        QStringLiteral("始点／終点が指定されていない要素がありますので削除します。i=");
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({purge + "2", purge + "2"}));
    ASSERT_EQ(p->st.Diagram.ConnCount, 2);
    EXPECT_EQ(p->st.Diagram.Connections[1].ArgNo, "");
    EXPECT_EQ(p->st.Diagram.Connections[2].ArgNo, "2");
    EXPECT_EQ(p->st.FileName, path);
}

TEST_F(FileCommands, ATruncatedFileLoadsWhatItHoldsWithoutAMessage) {
    const QString full = MakeDiagramFile("full.qrn", 3);
    QByteArray bytes = ReadFile(full);
    bytes.truncate(bytes.indexOf("\"2\""));
    const QString path = Path("cut.qrn");
    WriteFile(path, bytes);
    ASSERT_TRUE(LoadDiagram(p->s, path));
    EXPECT_EQ(p->st.Diagram.ElemCount, 3);
    EXPECT_EQ(p->st.Diagram.ConnCount, 0);
    EXPECT_EQ(p->st.Diagram.Elements[2].Text, "1");
    EXPECT_EQ(p->st.Diagram.Elements[3].X, 600 + 700 * 2);
    EXPECT_EQ(p->st.FileName, path);
}

TEST_F(FileCommands, SavingIntoAFolderThatDoesNotExistSaysSoAndChangesNothing) {
    DrawSmallDiagram();
    p->st.FileName = Path("old.qrn");
    SetRecent(p->frm, {p->st.FileName});
    const Snapshot before = Take();
    const QString path = Path("missing/new.qrn");
    EXPECT_FALSE(SaveDiagram(p->s, path));
    EXPECT_EQ(p->ui.TakeMessages(),
              QStringList({"ファイルに書き込めません。 File Name = [" + path + "]"}));
    EXPECT_FALSE(QFileInfo::exists(path));
    ExpectUnchanged(before);
}

TEST_F(FileCommands, SavingOverAFolderKeepsItAndLeavesNoTemporaryFileBehind) {
    DrawSmallDiagram();
    const QString path = Path("taken.qrn");
    ASSERT_TRUE(QDir().mkdir(path));
    WriteFile(path + "/inside.txt", "keep me");
    const QStringList filesBefore =
        QDir(p->folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    const Snapshot before = Take();
    EXPECT_FALSE(SaveDiagram(p->s, path));
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotWrite, path)}));
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(ReadFile(path + "/inside.txt"), "keep me");
    EXPECT_EQ(QDir(p->folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              filesBefore);
    ExpectUnchanged(before);
}

TEST_F(FileCommands, SavingOntoAFullDiskSaysSoAndKeepsTheOldFileAndTheUnsavedMark) {
    SmallDisk disk;
    if (!disk.mounted) GTEST_SKIP() << disk.reason;
    const QString path = disk.Path("kept.qrn");
    const QByteArray old = ReadFile(MakeDiagramFile("old.qrn", 3));
    WriteFile(path, old);
    ASSERT_TRUE(disk.Fill());
    DrawSmallDiagram();
    UnsavedMark mark;
    p->s.changes = &mark;
    p->st.FileName = path;
    p->st.FileNameShown = true;  // opened in this run
    const Snapshot before = Take();
    frmMain::mnuFileSave_Click(p->s);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotWrite, path)}));
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_TRUE(mark.modified);
    EXPECT_EQ(FilesIn(disk.dir.path()), QStringList({"filler", "kept.qrn"}));
    ExpectUnchanged(before);
}

TEST_F(FileCommands, APipeOrADeviceIsRefusedAndStaysWhatItWas) {
    DrawSmallDiagram();
    QStringList paths{Path("pipe.qrn")};
    ASSERT_EQ(::mkfifo(Native(paths[0]), 0600), 0);
    // The device /dev/null is, where this user may make one.
    const QString device = Path("null.qrn");
    if (::mknod(Native(device), S_IFCHR | 0666, makedev(1, 3)) == 0) paths << device;
    const QStringList filesBefore = FilesIn(p->folder.path());
    const Snapshot before = Take();
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(SaveDiagram(p->s, path));
        EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotWrite, path)}));
        struct stat after {};
        ASSERT_EQ(::lstat(Native(path), &after), 0);
        EXPECT_FALSE(S_ISREG(after.st_mode));
    }
    EXPECT_EQ(FilesIn(p->folder.path()), filesBefore);
    ExpectUnchanged(before);
}

TEST_F(FileCommands, AFileWithSeveralNamesIsWrittenInPlaceSoThatEveryNameShowsTheNewDiagram) {
    const QString path = MakeDiagramFile("one.qrn", 6);
    const QString other = Path("other.qrn");
    ASSERT_EQ(::link(Native(path), Native(other)), 0);
    DrawSmallDiagram();
    const QByteArray bytes = WriteDiagram(p->st.Diagram);
    ASSERT_LT(bytes.size(), ReadFile(path).size()) << "the file also has to become shorter";
    ASSERT_TRUE(SaveDiagram(p->s, path));
    EXPECT_EQ(ReadFile(path), bytes);
    EXPECT_EQ(ReadFile(other), bytes);
    EXPECT_EQ(QFileInfo(other).size(), bytes.size());
}

TEST_F(FileCommands, AFileWithSeveralNamesOnAFullDiskIsLeftAsItWas) {
    SmallDisk disk;
    if (!disk.mounted) GTEST_SKIP() << disk.reason;
    const QString path = disk.Path("one.qrn"), other = disk.Path("other.qrn");
    const QByteArray old = ReadFile(MakeDiagramFile("old.qrn", 2));
    WriteFile(path, old);
    ASSERT_EQ(::link(Native(path), Native(other)), 0);
    ASSERT_TRUE(disk.Fill());
    AddRow(p->st, 60);
    ASSERT_GT(WriteDiagram(p->st.Diagram).size(), old.size() + 4096) << "a page more at least";
    EXPECT_FALSE(SaveDiagram(p->s, other));
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotWrite, other)}));
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(ReadFile(other), old);
    EXPECT_EQ(FilesIn(disk.dir.path()), QStringList({"filler", "one.qrn", "other.qrn"}));
}

TEST_F(FileCommands, AFileThatMayBeWrittenInAFolderThatMayNotIsWrittenInPlace) {
    FolderWithoutRoom folder(ReadFile(MakeDiagramFile("old.qrn", 6)));
    if (!folder.ready) GTEST_SKIP() << folder.reason;
    DrawSmallDiagram();
    EXPECT_TRUE(SaveDiagram(p->s, folder.file));
    EXPECT_EQ(ReadFile(folder.file), WriteDiagram(p->st.Diagram));
    EXPECT_EQ(p->st.FileName, folder.file);
}

TEST_F(FileCommands, SavingAnotherUsersFileKeepsItsOwnerGroupAndMode) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    const QString path = MakeDiagramFile("theirs.qrn", 3);
    ASSERT_EQ(::chown(Native(path), 65534, 65534), 0);
    ASSERT_EQ(::chmod(Native(path), 0640), 0);
    DrawSmallDiagram();
    ASSERT_TRUE(SaveDiagram(p->s, path));
    EXPECT_EQ(ReadFile(path), WriteDiagram(p->st.Diagram));
    struct stat after {};
    ASSERT_EQ(::stat(Native(path), &after), 0);
    EXPECT_EQ(after.st_uid, 65534u);
    EXPECT_EQ(after.st_gid, 65534u);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
}

TEST_F(FileCommands, SavingThroughARelativeSymbolicLinkWritesItsTargetAndKeepsTheLink) {
    ASSERT_TRUE(QDir().mkdir(Path("sub")));
    const QString target = Path("sub/target.qrn");
    WriteFile(target, "old");
    const QString link = Path("link.qrn");
    ASSERT_EQ(::symlink("sub/target.qrn", Native(link)), 0);
    DrawSmallDiagram();
    ASSERT_TRUE(SaveDiagram(p->s, link));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFile::symLinkTarget(link), target);
    EXPECT_EQ(ReadFile(target), WriteDiagram(p->st.Diagram));
    EXPECT_EQ(p->st.FileName, link);
    EXPECT_EQ(FilesIn(p->folder.path()), QStringList({"link.qrn", "sub"}));
    EXPECT_EQ(FilesIn(Path("sub")), QStringList({"target.qrn"}));
}

TEST_F(FileCommands, SaveAsOverAnExistingFileReplacesItWithoutAsking) {
    const QString path = MakeDiagramFile("old.qrn", 3);
    DrawSmallDiagram();
    p->ui.fileAnswers.push_back(path);
    frmMain::mnuFileSaveAs_Click(p->s);
    EXPECT_EQ(ReadFile(path), WriteDiagram(p->st.Diagram));
    EXPECT_TRUE(p->ui.questions.isEmpty());
    EXPECT_EQ(p->st.FileName, path);
}

TEST_F(FileCommands, OpenShowsTheDiagramFilterWithTheCurrentFileProposed) {
    const QString path = MakeDiagramFile("three.qrn", 3);
    p->st.FileName = "/proposed.qrn";
    p->ui.fileAnswers.push_back(path);
    frmMain::mnuFileOpen_Click(p->s);
    ASSERT_EQ(p->ui.fileQuestions.size(), 1u);
    EXPECT_FALSE(p->ui.fileQuestions[0].save);
    EXPECT_EQ(p->ui.fileQuestions[0].filter, "Quillrun(*.qrn)|*.qrn|すべてのファイル(*.*)|*.*");
    EXPECT_EQ(p->ui.fileQuestions[0].filter, Tr(kDiagramFilter));
    EXPECT_EQ(p->ui.fileQuestions[0].proposed, "/proposed.qrn");
    EXPECT_EQ(p->st.Diagram.ElemCount, 3);
    EXPECT_EQ(p->st.FileName, path);
}

TEST_F(FileCommands, CancellingOrChoosingNoFileInTheDialogsDoesNothing) {
    DrawSmallDiagram();
    p->st.FileName = Path("current.qrn");
    const Snapshot before = Take();
    p->ui.fileAnswers = {std::nullopt, QString(), std::nullopt, QString()};
    frmMain::mnuFileOpen_Click(p->s);
    frmMain::mnuFileOpen_Click(p->s);
    frmMain::mnuFileSaveAs_Click(p->s);
    frmMain::mnuFileSaveAs_Click(p->s);
    EXPECT_EQ(p->ui.fileQuestions.size(), 4u);
    EXPECT_FALSE(QFileInfo::exists(p->st.FileName));
    ExpectUnchanged(before);
}

TEST_F(FileCommands, SaveAsAddsTheDiagramExtensionToANameWithoutOne) {
    DrawSmallDiagram();
    const QString path = Path("plain");
    p->ui.fileAnswers = {path, Path("notes.txt")};
    frmMain::mnuFileSaveAs_Click(p->s);
    ASSERT_EQ(p->ui.fileQuestions.size(), 1u);
    EXPECT_TRUE(p->ui.fileQuestions[0].save);
    EXPECT_EQ(p->ui.fileQuestions[0].filter, Tr(kDiagramFilter));
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(QFileInfo(path + ".qrn").isFile());
    EXPECT_EQ(p->st.FileName, path + ".qrn");
    frmMain::mnuFileSaveAs_Click(p->s);  // an extension of its own is kept
    EXPECT_TRUE(QFileInfo(Path("notes.txt")).isFile());
    EXPECT_EQ(p->st.FileName, Path("notes.txt"));
}

TEST_F(FileCommands, ALoadForgetsTheSelectionAndThePanelOfTheDiagramBefore) {
    const QString other = MakeDiagramFile("other.qrn", 2);
    DrawSmallDiagram();
    p->st.SelKind = kSelElement;
    p->st.SelIndex = 1;
    p->frm.Frame1Visible = true;
    p->st.EditState = Editing::MoveElement;  // a pick-up under way, too
    ASSERT_TRUE(LoadDiagram(p->s, other));
    EXPECT_EQ(p->st.SelKind, "");
    EXPECT_FALSE(p->frm.Frame1Visible);
    EXPECT_EQ(p->st.EditState, Editing::Idle);
    int blue = 0;
    for (int y = 0; y < p->canvas.Picture1().height(); ++y)
        for (int x = 0; x < p->canvas.Picture1().width(); ++x)
            blue += (p->canvas.Picture1().pixel(x, y) | 0xFF000000u) == kBlue;
    EXPECT_EQ(blue, 0) << "no element of the new diagram is drawn selected";
    frmMain::Picture1_KeyDown(p->s, Qt::Key_Delete);
    EXPECT_EQ(p->st.Diagram.ElemCount, 2) << "Delete finds nothing to delete";
}

TEST_F(FileCommands, SaveRightAfterStartAsksForANameInsteadOfWritingOverTheLastRunsFile) {
    const QString yesterday = MakeDiagramFile("yesterday.qrn", 3);
    const QByteArray kept = ReadFile(yesterday);
    p->st.FileName = yesterday;
    Shutdown(p->s);
    auto q = std::make_unique<TestProgram>(false);
    q->frm.AppPath = p->frm.AppPath;
    StartupInitialisation(q->s);
    ASSERT_EQ(q->st.FileName, yesterday);  // named by the settings file, never shown
    AddElement(q->st, kConstantNumber, "new", 600, 600);
    q->ui.fileAnswers = {std::nullopt};
    frmMain::mnuFileSave_Click(q->s);
    ASSERT_EQ(q->ui.fileQuestions.size(), 1u) << "保存 acts as 名前を付けて保存";
    EXPECT_TRUE(q->ui.fileQuestions[0].save);
    EXPECT_EQ(q->ui.fileQuestions[0].proposed, yesterday);
    EXPECT_EQ(ReadFile(yesterday), kept);
    // Once this run has saved (or loaded) it, 保存 writes it without a question.
    q->ui.fileAnswers = {yesterday};
    frmMain::mnuFileSave_Click(q->s);
    frmMain::mnuFileSave_Click(q->s);
    EXPECT_EQ(q->ui.fileQuestions.size(), 2u);
    EXPECT_EQ(ReadFile(yesterday), WriteDiagram(q->st.Diagram));
}

TEST_F(FileCommands, SaveWritesTheCurrentFileWithoutAQuestion) {
    DrawSmallDiagram();
    UpdateRecentFiles(p->s, Path("current.qrn"));  // as a load or a save leaves it
    frmMain::mnuFileSave_Click(p->s);
    EXPECT_TRUE(p->ui.fileQuestions.empty());
    EXPECT_EQ(ReadFile(p->st.FileName), WriteDiagram(p->st.Diagram));
    EXPECT_EQ(Captions(p->frm)[0], p->st.FileName);
}

TEST_F(FileCommands, SavingWhileAConnectionIsBeingDrawnLeavesItOutAndGoesOnDrawing) {
    DrawSmallDiagram();
    const QByteArray finished = WriteDiagram(p->st.Diagram);
    frmMain::mnuConect_Click(p->s);
    Left(*p, 600, 600);  // from the constant
    Move(*p, 1000, 1500);
    Left(*p, 1000, 1500);  // one bend on empty canvas
    ASSERT_EQ(p->st.EditState, Editing::ConnectBends);
    ASSERT_EQ(p->st.Diagram.ConnCount, 2);
    UpdateRecentFiles(p->s, Path("drawing.qrn"));
    frmMain::mnuFileSave_Click(p->s);
    EXPECT_EQ(ReadFile(p->st.FileName), finished);
    // The drawing goes on and ends on the variable.
    EXPECT_EQ(p->st.EditState, Editing::ConnectBends);
    Left(*p, 2000, 600);
    EXPECT_EQ(p->st.Diagram.ConnCount, 2);
    EXPECT_EQ(p->st.Diagram.Connections[2].ToElem, 2);
    EXPECT_EQ(p->st.Diagram.Connections[2].PointCount, 1);
    // What was saved loads without the message about a connection without an end.
    auto q = std::make_unique<TestProgram>();
    ASSERT_TRUE(LoadDiagram(q->s, p->st.FileName));
    EXPECT_EQ(q->st.Diagram.ConnCount, 1);
}

TEST_F(FileCommands, SaveWithoutACurrentFileIsSaveAs) {
    DrawSmallDiagram();
    ASSERT_TRUE(p->st.FileName.isEmpty());
    const QString path = Path("chosen.qrn");
    p->ui.fileAnswers.push_back(path);
    frmMain::mnuFileSave_Click(p->s);
    ASSERT_EQ(p->ui.fileQuestions.size(), 1u);
    EXPECT_TRUE(p->ui.fileQuestions[0].save);
    EXPECT_EQ(p->ui.fileQuestions[0].proposed, "");
    EXPECT_EQ(ReadFile(path), WriteDiagram(p->st.Diagram));
    EXPECT_EQ(p->st.FileName, path);

    // Cancelled, it does nothing.
    p->st.FileName.clear();
    p->ui.fileAnswers.push_back(std::nullopt);
    frmMain::mnuFileSave_Click(p->s);
    EXPECT_EQ(p->ui.fileQuestions.size(), 2u);
    EXPECT_TRUE(p->st.FileName.isEmpty());
}

TEST_F(FileCommands, NewAnsweredYesRunsSaveAsAndKeepsTheDiagram) {
    DrawSmallDiagram();
    const QString path = Path("kept.qrn");
    p->ui.answers.push_back(Answer::Yes);
    p->ui.fileAnswers.push_back(path);
    frmMain::mnuFileNew_Click(p->s);
    EXPECT_EQ(p->ui.questions, QStringList({kNewQuestion}));
    EXPECT_EQ(ReadFile(path), WriteDiagram(p->st.Diagram));
    EXPECT_EQ(p->st.Diagram.ElemCount, 2);
    EXPECT_EQ(p->st.Diagram.ConnCount, 1);
    EXPECT_EQ(p->st.FileName, path);
}

TEST_F(FileCommands, NewAnsweredYesAndThenCancelledChangesNothing) {
    DrawSmallDiagram();
    const Snapshot before = Take();
    p->ui.answers.push_back(Answer::Yes);
    p->ui.fileAnswers.push_back(std::nullopt);
    frmMain::mnuFileNew_Click(p->s);
    EXPECT_EQ(p->ui.fileQuestions.size(), 1u);
    ExpectUnchanged(before);
}

TEST_F(FileCommands, NewAnsweredNoClearsAndRestoresTheSettingsOfTheLastExit) {
    SetRecent(p->frm, {"/a.qrn", "/b.qrn"});
    p->st.FileName = "/a.qrn";
    Shutdown(p->s);  // the settings as they were at the last exit
    DrawSmallDiagram();
    p->st.GridSize = 250;
    p->st.EditState = Editing::ConnectStart;
    p->st.SelKind = kSelElement;
    p->st.SelIndex = 2;
    p->frm.Frame1Visible = true;
    UpdateRecentFiles(p->s, "/c.qrn");
    p->ui.answers.push_back(Answer::No);
    frmMain::mnuFileNew_Click(p->s);
    EXPECT_EQ(p->st.Diagram.ElemCount, 0);
    EXPECT_EQ(p->st.Diagram.ConnCount, 0);
    EXPECT_EQ(p->st.GridSize, 100);
    EXPECT_EQ(p->st.EditState, Editing::Idle);
    EXPECT_EQ(p->st.FileName, "/a.qrn");
    EXPECT_EQ(Captions(p->frm), QStringList({"/a.qrn", "/b.qrn", "", "", ""}));
    EXPECT_EQ(p->st.SelKind, "") << "a selection of the old diagram means nothing in the new";
    EXPECT_FALSE(p->frm.Frame1Visible);
    EXPECT_EQ(BlackPixels(250, 250, 950, 950), 0);  // the element is gone from the canvas
    EXPECT_EQ(p->Pixel(0, 50), kGridColour);
}

TEST_F(FileCommands, NewCancelledDoesNothing) {
    DrawSmallDiagram();
    const Snapshot before = Take();
    p->ui.answers.push_back(Answer::Cancel);
    frmMain::mnuFileNew_Click(p->s);
    EXPECT_EQ(p->ui.questions, QStringList({kNewQuestion}));
    EXPECT_TRUE(p->ui.fileQuestions.empty());
    ExpectUnchanged(before);
}

TEST_F(FileCommands, OpeningEntryTwoMovesItToTheTop) {
    QStringList paths;
    for (int i = 0; i < 5; ++i) paths << MakeDiagramFile(QStringLiteral("f%1.qrn").arg(i), i + 1);
    SetRecent(p->frm, paths);
    frmMain::mnuFilename_Click(p->s, 2);
    EXPECT_EQ(p->st.Diagram.ElemCount, 3);
    EXPECT_EQ(p->st.FileName, paths[2]);
    EXPECT_EQ(Captions(p->frm), QStringList({paths[2], paths[0], paths[1], paths[3], paths[4]}));
}

TEST_F(FileCommands, ASixthFileDropsTheOldest) {
    const QStringList old = {"/1.qrn", "/2.qrn", "/3.qrn", "/4.qrn", "/5.qrn"};
    SetRecent(p->frm, old);
    const QString path = MakeDiagramFile("sixth.qrn", 1);
    ASSERT_TRUE(LoadDiagram(p->s, path));
    EXPECT_EQ(Captions(p->frm), QStringList({path, "/1.qrn", "/2.qrn", "/3.qrn", "/4.qrn"}));
}

TEST_F(FileCommands, APathDifferingOnlyInLetterCaseIsANewEntry) {
    SetRecent(p->frm, {"/x/Diagram.qrn", "/y.qrn"});
    UpdateRecentFiles(p->s, "/x/diagram.qrn");
    EXPECT_EQ(Captions(p->frm),
              QStringList({"/x/diagram.qrn", "/x/Diagram.qrn", "/y.qrn", "", ""}));
    EXPECT_EQ(p->st.FileName, "/x/diagram.qrn");
}

TEST_F(FileCommands, UpdateRecentFilesClosesGapsAndKeepsTheOrder) {
    SetRecent(p->frm, {"/a", "", "/b", "/a2", ""});
    UpdateRecentFiles(p->s, "/b");
    EXPECT_EQ(Captions(p->frm), QStringList({"/b", "/a", "", "/a2", ""}));
    UpdateRecentFiles(p->s, "/b");
    EXPECT_EQ(Captions(p->frm), QStringList({"/b", "/a", "", "/a2", ""}));
}

TEST_F(FileCommands, ARecentEntryWhoseFileIsGoneSaysSoAndStaysInTheList) {
    const QString gone = Path("gone.qrn");
    SetRecent(p->frm, {"/first.qrn", gone});
    frmMain::mnuFilename_Click(p->s, 1);
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileNotFound, gone)}));
    EXPECT_EQ(Captions(p->frm), QStringList({"/first.qrn", gone, "", "", ""}));
    EXPECT_TRUE(p->st.FileName.isEmpty());
}

TEST_F(FileCommands, AMissingSampleFileGivesTheFailureMessage) {
    frmMain::mnuFileSample_Click(p->s);
    EXPECT_EQ(
        p->ui.TakeMessages(),
        QStringList({FileFailureMessage(kFileNotFound, p->folder.path() + "/testData5.qrn")}));
}

// The sample diagram that comes with the program.
TEST_F(FileCommands, TheSampleDiagramLoadsCleanly) {
    const QByteArray bytes = ReadFile(QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn"));
    ASSERT_FALSE(bytes.isEmpty());
    const QString path = Path("testData5.qrn");
    WriteFile(path, bytes);
    frmMain::mnuFileSample_Click(p->s);  // no message: the fake fails the test on any left unseen
    EXPECT_EQ(p->st.FileName, path);

    const SharedState& st = p->st;
    EXPECT_GT(BlackPixels(0, 0, 6000, 4000), 0);
    ASSERT_EQ(st.Diagram.ElemCount, 11);
    ASSERT_EQ(st.Diagram.ConnCount, 9);
    EXPECT_LE(st.Diagram.ElemCount, 15);
    for (int i = 1; i <= st.Diagram.ElemCount; ++i) {
        const ElementRec& e = st.Diagram.Elements[i];
        SCOPED_TRACE(i);
        EXPECT_GE(e.Kind, 0);
        EXPECT_LE(e.Kind, 8);
        EXPECT_EQ(std::fmod(e.X, 100), 0);
        EXPECT_EQ(std::fmod(e.Y, 100), 0);
        EXPECT_GE(e.X - e.R, 0);
        EXPECT_GE(e.Y - e.R, 0);
        EXPECT_LE(e.X + e.R, 6000);
        EXPECT_LE(e.Y + e.R, 4000);
        EXPECT_EQ(e.Font.Size, 10);
        EXPECT_EQ(e.TextX, e.X - 4 * e.Font.Size * TextWidthUnits(e.Text));
        EXPECT_EQ(e.TextY, e.Y - 8 * e.Font.Size);
    }
    for (int j = 1; j <= st.Diagram.ConnCount; ++j) {
        const ConnectionRec& c = st.Diagram.Connections[j];
        SCOPED_TRACE(j);
        ASSERT_GE(c.FromElem, 1);
        ASSERT_LE(c.FromElem, st.Diagram.ElemCount);
        ASSERT_GE(c.ToElem, 1);
        ASSERT_LE(c.ToElem, st.Diagram.ElemCount);
        const ElementRec& from = st.Diagram.Elements[c.FromElem];
        const ElementRec& to = st.Diagram.Elements[c.ToElem];
        EXPECT_GE(to.Kind, 2);  // constants take no input
        EXPECT_NEAR(std::hypot(c.X1 - from.X, c.Y1 - from.Y), from.R, 1e-6);
        EXPECT_NEAR(std::hypot(c.X2 - to.X, c.Y2 - to.Y), to.R, 1e-6);
        const double fx = c.PointCount > 0 ? c.Points[c.PointCount].X : c.X1;
        const double fy = c.PointCount > 0 ? c.Points[c.PointCount].Y : c.Y1;
        EXPECT_NEAR(c.ArgTextX, (fx + c.X2) / 2, 1e-6);
        EXPECT_NEAR(c.ArgTextY, (fy + c.Y2) / 2, 1e-6);
        EXPECT_EQ(c.Font.Size, 8);
        if (to.Kind >= kFunction && to.ArgCount >= 2)
            EXPECT_TRUE(c.ArgNo == "1" || c.ArgNo == "2");
        else
            EXPECT_EQ(c.ArgNo, "");
    }
    // The file is exactly what the program writes for these tables, CR LF and code page 932.
    EXPECT_EQ(WriteDiagram(st.Diagram), bytes);
    EXPECT_FALSE(bytes.contains("\n\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
}
