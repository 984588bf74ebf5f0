#include "app/settings_file.h"
#include "app/startup.h"
#include "small_disk.h"
#include "test_files.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <memory>

namespace {

// A program whose folder cannot be written keeps its settings in the user's configuration
// folder; the tests use Qt's test location for it (see the test main).
struct SettingsFallback : ::testing::Test {
    QString config;

    void SetUp() override {
        config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        ASSERT_TRUE(config.contains(".qttest")) << config.toStdString();
        QDir(config).removeRecursively();
    }
    void TearDown() override { QDir(config).removeRecursively(); }

    QString InConfig() const { return config + QStringLiteral("/mySys.!!!"); }
};

void Remember(TestProgram& p) {
    p.st.FileName = "/work/b.qrn";
    p.st.ImageFileName = "shot.bmp";
    p.frm.mnuFilename[0].Caption = "/work/b.qrn";
    p.frm.mnuFilename[1].Caption = "/work/a.qrn";
}

void ExpectRemembered(const TestProgram& p) {
    EXPECT_EQ(p.st.FileName, "/work/b.qrn");
    EXPECT_EQ(p.st.ImageFileName, "shot.bmp");
    EXPECT_EQ(p.frm.mnuFilename[0].Caption, "/work/b.qrn");
    EXPECT_TRUE(p.frm.mnuFilename[0].Visible);
    EXPECT_EQ(p.frm.mnuFilename[1].Caption, "/work/a.qrn");
    EXPECT_FALSE(p.frm.mnuFilename[2].Visible);
}

TEST_F(SettingsFallback, AWritableProgramFolderKeepsTheSettings) {
    auto p = std::make_unique<TestProgram>();
    EXPECT_EQ(SettingsFilePath(p->frm), p->PathInFolder("mySys.!!!"));
    Remember(*p);
    Shutdown(p->s);
    EXPECT_TRUE(QFile::exists(p->PathInFolder("mySys.!!!")));
    EXPECT_FALSE(QFile::exists(InConfig()));
}

// Settings written and read again by a program in folder, which cannot be written.
void ExpectSettingsInConfig(const QString& folder, const QString& inConfig) {
    auto p = std::make_unique<TestProgram>(false);
    p->frm.AppPath = folder;
    EXPECT_EQ(SettingsFilePath(p->frm), inConfig);
    StartupInitialisation(p->s);
    Remember(*p);
    Shutdown(p->s);  // creates the configuration folder
    EXPECT_TRUE(QFile::exists(inConfig));
    EXPECT_FALSE(QFileInfo::exists(folder + "/mySys.!!!"));

    // The next start remembers the recent files.
    auto q = std::make_unique<TestProgram>(false);
    q->frm.AppPath = folder;
    StartupInitialisation(q->s);
    ExpectRemembered(*q);
}

TEST_F(SettingsFallback, AMissingProgramFolderUsesTheUsersConfigurationFolder) {
    QTemporaryDir parent;
    const QString folder = parent.filePath("program");
    ExpectSettingsInConfig(folder, InConfig());
    EXPECT_FALSE(QFileInfo::exists(folder)) << "the program's folder is never created";
}

TEST_F(SettingsFallback, AReadOnlyProgramFolderUsesTheUsersConfigurationFolder) {
    QTemporaryDir folder;
    const auto writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder.path()).isWritable()) {
        QFile::setPermissions(folder.path(), writable);
        GTEST_SKIP() << "this user may write into any folder";
    }
    ExpectSettingsInConfig(folder.path(), InConfig());
    QFile::setPermissions(folder.path(), writable);
}

TEST_F(SettingsFallback, AProgramFolderThatCannotBeWrittenLendsItsOwnFileUntilTheUserHasOne) {
    QTemporaryDir folder;
    SettingsPlaces places;
    places.programFile = folder.filePath("mySys.!!!");
    places.configFile = InConfig();
    places.programFolderWritable = false;
    EXPECT_EQ(SettingsFileToWrite(places), InConfig());
    EXPECT_EQ(SettingsFileToRead(places), InConfig()) << "neither file: nothing to read";

    ASSERT_NO_FATAL_FAILURE(
        WriteFile(places.programFile,
                  "\"/work/b.qrn\"\r\n\"shot.bmp\"\r\n\"/work/b.qrn\"\r\n\"/work/a.qrn\"\r\n"));
    EXPECT_EQ(SettingsFileToRead(places), places.programFile);
    ASSERT_TRUE(QDir().mkpath(config));
    QFile::copy(places.programFile, InConfig());
    EXPECT_EQ(SettingsFileToRead(places), InConfig()) << "the user's own file comes first";
    EXPECT_EQ(SettingsFileToWrite(places), InConfig());

    // A folder that can be written is the one place, whatever else exists.
    places.programFolderWritable = true;
    EXPECT_EQ(SettingsFileToRead(places), places.programFile);
    EXPECT_EQ(SettingsFileToWrite(places), places.programFile);
}

// Started from <prefix>/lib/quillrun, as installed, the program keeps its settings in the user's
// folder even where it could write its own (as root), so that no user inherits another's files.
TEST_F(SettingsFallback, AnInstalledProgramNeverWritesItsOwnFolder) {
    QTemporaryDir prefix;
    const QString folder = prefix.filePath("lib/quillrun");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFileInfo(folder).isWritable());
    const QString installed = folder + "/mySys.!!!";
    const QByteArray lent =
        "\"/work/b.qrn\"\r\n\"shot.bmp\"\r\n\"/work/b.qrn\"\r\n\"/work/a.qrn\"\r\n";
    ASSERT_NO_FATAL_FAILURE(WriteFile(installed, lent));

    auto p = std::make_unique<TestProgram>(false);
    p->frm.AppPath = folder;
    EXPECT_EQ(SettingsFilePath(p->frm), InConfig());
    StartupInitialisation(p->s);
    ExpectRemembered(*p);  // from the file installed with the program
    p->frm.mnuFilename[2].Caption = "/work/c.qrn";
    Shutdown(p->s);
    EXPECT_EQ(ReadFile(installed), lent);
    EXPECT_EQ(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList({"mySys.!!!"}));

    auto q = std::make_unique<TestProgram>(false);
    q->frm.AppPath = folder + "/";
    StartupInitialisation(q->s);
    EXPECT_EQ(q->frm.mnuFilename[2].Caption, "/work/c.qrn") << "the user's own file comes first";

    // Without a configuration folder it keeps no settings rather than write its own folder.
    SettingsPlaces places = FindSettingsPlaces(q->frm);
    places.configFile.clear();
    EXPECT_EQ(SettingsFileToWrite(places), QString());
    EXPECT_EQ(SettingsFileToRead(places), installed);

    // A build folder that merely ends in the same name is no installed tree.
    ASSERT_TRUE(QDir().mkpath(prefix.filePath("xlib/quillrun")));
    q->frm.AppPath = prefix.filePath("xlib/quillrun");
    EXPECT_EQ(SettingsFilePath(q->frm), prefix.filePath("xlib/quillrun/mySys.!!!"));
}

TEST_F(SettingsFallback, ASettingsFileThatNoLongerFitsOnTheDiskKeepsWhatItHeld) {
    SmallDisk disk;
    if (!disk.mounted) GTEST_SKIP() << disk.reason;
    auto p = std::make_unique<TestProgram>(false);
    p->frm.AppPath = disk.dir.path();
    Remember(*p);
    Shutdown(p->s);
    const QByteArray old = ReadFile(disk.Path("mySys.!!!"));
    ASSERT_FALSE(old.isEmpty());
    ASSERT_TRUE(disk.Fill());
    p->frm.mnuFilename[2].Caption = "/work/c.qrn";
    Shutdown(p->s);  // silent: the fake fails the test on any message
    EXPECT_EQ(ReadFile(disk.Path("mySys.!!!")), old);
    EXPECT_EQ(
        QDir(disk.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
        QStringList({"filler", "mySys.!!!"}));
}

TEST_F(SettingsFallback, AProgramWithoutAFolderKeepsNoSettings) {
    // Settings a start with a folder would find.
    ASSERT_TRUE(QDir().mkpath(config));
    ASSERT_NO_FATAL_FAILURE(
        WriteFile(InConfig(), "\"/work/b.qrn\"\r\n\"shot.bmp\"\r\n\"/work/b.qrn\"\r\n"));
    auto p = std::make_unique<TestProgram>(false);
    p->frm.AppPath.clear();
    EXPECT_TRUE(SettingsFilePath(p->frm).isEmpty());
    StartupInitialisation(p->s);
    EXPECT_TRUE(p->st.FileName.isEmpty());
    EXPECT_FALSE(p->frm.mnuFilename[0].Visible);

    QFile::remove(InConfig());
    Remember(*p);
    Shutdown(p->s);
    EXPECT_FALSE(QFile::exists(InConfig()));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/mySys.!!!")));
}

}  // namespace
