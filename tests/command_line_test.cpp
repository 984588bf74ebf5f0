#include "app/command_line.h"
#include "app/dropped_files.h"
#include "program_process.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

namespace {

// The command line of quillrun.

TEST(StartArguments, OneFileIsOpenedByItsAbsolutePathAndHelpOrVersionWinsWherever) {
    StartArguments a = ParseStartArguments({});
    EXPECT_EQ(a.command, StartCommand::Open);
    EXPECT_EQ(a.file, "");

    a = ParseStartArguments({"sub/../a.qrn"});
    ASSERT_EQ(a.command, StartCommand::Open) << a.error.toStdString();
    EXPECT_EQ(a.file, QDir::current().absoluteFilePath("a.qrn"));
    EXPECT_EQ(ParseStartArguments({"--", "-v.qrn"}).file,
              QDir::current().absoluteFilePath("-v.qrn"));

    EXPECT_EQ(ParseStartArguments({"a.qrn", "--help"}).command, StartCommand::Help);
    EXPECT_EQ(ParseStartArguments({"-h"}).command, StartCommand::Help);
    EXPECT_EQ(ParseStartArguments({"--version", "a.qrn"}).command, StartCommand::Version);
    EXPECT_EQ(ParseStartArguments({"-v"}).command, StartCommand::Version);
}

TEST(StartArguments, AnUnknownOptionOrASecondFileIsAUsageError) {
    StartArguments a = ParseStartArguments({"--steps", "a.qrn"});
    EXPECT_EQ(a.command, StartCommand::UsageError);
    EXPECT_TRUE(a.error.contains("steps")) << a.error.toStdString();

    a = ParseStartArguments({"a.qrn", "b.qrn"});
    EXPECT_EQ(a.command, StartCommand::UsageError);
    EXPECT_TRUE(a.error.contains("more than one FILE")) << a.error.toStdString();

    a = ParseStartArguments({"--language", "fr", "a.qrn"});
    EXPECT_EQ(a.command, StartCommand::UsageError);
    EXPECT_TRUE(a.error.contains("en or ja")) << a.error.toStdString();
    a = ParseStartArguments({"a.qrn", "--language=en"});
    EXPECT_EQ(a.command, StartCommand::Open);
    EXPECT_EQ(a.language, "en");
}

// A drop on the main window.

TEST(DroppedDiagramFile, TheFirstLocalFileIsOpenedAndNothingElse) {
    QTemporaryDir dir;
    for (const char* name : {"a.qrn", "b.qrn"})
        ASSERT_NO_FATAL_FAILURE(WriteFile(dir.filePath(name), QByteArray()));
    const QUrl a = QUrl::fromLocalFile(dir.filePath("a.qrn"));
    const QUrl b = QUrl::fromLocalFile(dir.filePath("b.qrn"));
    const QUrl folder = QUrl::fromLocalFile(dir.path());
    const QUrl missing = QUrl::fromLocalFile(dir.filePath("missing.qrn"));
    const QUrl remote("https://example.org/a.qrn");

    EXPECT_EQ(DroppedDiagramFile({a, b}), dir.filePath("a.qrn"));
    EXPECT_EQ(DroppedDiagramFile({folder, remote, missing, b}), dir.filePath("b.qrn"));
    EXPECT_EQ(DroppedDiagramFile({folder}), std::nullopt);
    EXPECT_EQ(DroppedDiagramFile({remote}), std::nullopt);
    EXPECT_EQ(DroppedDiagramFile({}), std::nullopt);
}

// The real executable, started without a display: what it prints it prints before it needs one.

Finished RunQuillrun(const QStringList& args) {
    QTemporaryDir home;
    return RunProgram(QStringLiteral(QUILLRUN_PROGRAM_PATH), args, home.path(), home.path());
}

TEST(QuillrunProcess, HelpAndVersionGoToStandardOutput) {
    const Finished help = RunQuillrun({"--help"});
    EXPECT_EQ(help.status, kStartOk);
    EXPECT_EQ(help.out, StartUsage());
    EXPECT_TRUE(help.out.startsWith("Usage: quillrun [options] [FILE.qrn]\n"));
    EXPECT_TRUE(help.out.contains("--version"));
    EXPECT_EQ(help.err, "");

    const Finished version = RunQuillrun({"--version"});
    EXPECT_EQ(version.status, kStartOk);
    EXPECT_TRUE(version.out.startsWith("quillrun " QUILLRUN_VERSION "\n"))
        << version.out.toStdString();
    EXPECT_EQ(version.err, "");
}

TEST(QuillrunProcess, AUsageErrorEndsWithStatusTwoAndTheUsageOnStandardError) {
    for (const QStringList& args : {QStringList{"--bogus"}, QStringList{"a.qrn", "b.qrn"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Finished f = RunQuillrun(args);
        EXPECT_EQ(f.status, kStartUsageError);
        EXPECT_EQ(f.out, "");
        EXPECT_TRUE(f.err.startsWith("quillrun: ")) << f.err.toStdString();
        EXPECT_TRUE(f.err.endsWith(StartUsage())) << f.err.toStdString();
    }
}

}  // namespace
