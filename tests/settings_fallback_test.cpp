#include "app/settings_file.h"
#include "app/startup.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <memory>

namespace {

// The user's configuration folder, in Qt's test location so that no real settings are touched.
struct SettingsFallback : ::testing::Test {
    QString config;

    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        ASSERT_FALSE(config.isEmpty());
        QDir(config).removeRecursively();
    }
    void TearDown() override {
        QDir(config).removeRecursively();
        QStandardPaths::setTestModeEnabled(false);
    }

    QString InConfig() const { return config + QStringLiteral("/mySys.!!!"); }

    // A program whose folder exists but cannot be written, or nullptr where the user may write
    // everywhere (the superuser).
    static std::unique_ptr<TestProgram> ProgramInReadOnlyFolder() {
        auto p = std::make_unique<TestProgram>(false);
        QFile::setPermissions(p->folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(p->folder.path()).isWritable()) {
            QFile::setPermissions(p->folder.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return nullptr;
        }
        return p;
    }
    static void MakeWritable(TestProgram& p) {
        QFile::setPermissions(p.folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    static void Remember(TestProgram& p) {
        p.st.FileName = "/work/b.qrn";
        p.st.ImageFileName = "shot.bmp";
        p.frm.mnuFilename[0].Caption = "/work/b.qrn";
        p.frm.mnuFilename[1].Caption = "/work/a.qrn";
    }
    static void ExpectRemembered(const TestProgram& p) {
        EXPECT_EQ(p.st.FileName, "/work/b.qrn");
        EXPECT_EQ(p.st.ImageFileName, "shot.bmp");
        EXPECT_EQ(p.frm.mnuFilename[0].Caption, "/work/b.qrn");
        EXPECT_TRUE(p.frm.mnuFilename[0].Visible);
        EXPECT_EQ(p.frm.mnuFilename[1].Caption, "/work/a.qrn");
        EXPECT_FALSE(p.frm.mnuFilename[2].Visible);
    }
};

TEST_F(SettingsFallback, AWritableProgramFolderKeepsTheSettings) {
    auto p = std::make_unique<TestProgram>();
    EXPECT_EQ(SettingsFilePath(p->frm), p->PathInFolder("mySys.!!!"));
    Remember(*p);
    Shutdown(p->s);
    EXPECT_TRUE(QFile::exists(p->PathInFolder("mySys.!!!")));
    EXPECT_FALSE(QFile::exists(InConfig()));
}

TEST_F(SettingsFallback, AMissingProgramFolderUsesTheUsersConfigurationFolder) {
    auto p = std::make_unique<TestProgram>(false);
    const QString gone = p->PathInFolder("not-there");
    p->frm.AppPath = gone;
    EXPECT_EQ(SettingsFilePath(p->frm), InConfig());

    StartupInitialisation(p->s);
    Remember(*p);
    Shutdown(p->s);  // creates the configuration folder
    EXPECT_TRUE(QFile::exists(InConfig()));
    EXPECT_FALSE(QFileInfo::exists(gone)) << "the program's folder is never created";

    // The next start remembers the recent files.
    auto q = std::make_unique<TestProgram>(false);
    q->frm.AppPath = gone;
    StartupInitialisation(q->s);
    ExpectRemembered(*q);
}

TEST_F(SettingsFallback, AReadOnlyProgramFolderUsesTheUsersConfigurationFolder) {
    auto p = ProgramInReadOnlyFolder();
    if (!p) GTEST_SKIP() << "this user may write into any folder";
    EXPECT_EQ(SettingsFilePath(p->frm), InConfig());
    StartupInitialisation(p->s);
    Remember(*p);
    Shutdown(p->s);
    EXPECT_FALSE(QFile::exists(p->PathInFolder("mySys.!!!")));

    auto q = std::make_unique<TestProgram>(false);
    q->frm.AppPath = p->frm.AppPath;
    StartupInitialisation(q->s);
    ExpectRemembered(*q);
    MakeWritable(*p);
}

TEST_F(SettingsFallback, AProgramWithoutAFolderKeepsNoSettings) {
    // Settings a start with a folder would find.
    ASSERT_TRUE(QDir().mkpath(config));
    {
        QFile f(InConfig());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"/work/b.qrn\"\r\n\"shot.bmp\"\r\n\"/work/b.qrn\"\r\n");
    }
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
