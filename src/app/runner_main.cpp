// Starts quillrun-run, the headless runner: reads the command line, then opens and runs one
// diagram on Qt's offscreen platform, so that no display is needed.

#include "app/command_line.h"
#include "app/language.h"
#include "app/runner.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <iostream>

namespace {

// Qt's own diagnostics (font and platform notes) would mix with the program's messages on
// standard error; only critical and fatal ones are let through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) PrintUtf8(stderr, text + u'\n');
}

}  // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    const RunnerArguments parsed = ParseRunnerArguments(arguments);
    switch (parsed.command) {
        case RunnerCommand::Help:
            PrintUtf8(stdout, RunnerUsage());
            return kRunnerOk;
        case RunnerCommand::Version:
            PrintUtf8(stdout, VersionText(QStringLiteral("quillrun-run")));
            return kRunnerOk;
        case RunnerCommand::UsageError:
            PrintUtf8(stderr,
                      QStringLiteral("quillrun-run: ") + parsed.error + u'\n' + RunnerUsage());
            return kRunnerUsageError;
        case RunnerCommand::Run:
            break;
    }

    // Text on the canvas needs a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Quillrun"));
    // Japanese unless --language en asks for English; the window's choice is not read, so that
    // the output of a given command line is always the same.
    Translations translations(TranslationsFolder(QCoreApplication::applicationDirPath()));
    if (!translations.Use(parsed.options.language))
        PrintUtf8(stderr, QStringLiteral("quillrun-run: the English translation cannot be loaded "
                                         "from %1; the messages are in Japanese\n")
                              .arg(TranslationsFolder(QCoreApplication::applicationDirPath())));

    return RunDiagramFile(parsed.options, std::cout, std::cerr);
}
