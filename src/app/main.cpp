// Starts Quillrun: reads the command line, then shows the main window in Japanese whatever the
// locale, or in English when --language en or オプション > 言語 asks for it, and opens the
// diagram file given.

#include "app/command_line.h"
#include "app/file_commands.h"
#include "app/language.h"
#include "app/preferences.h"
#include "app/views/main_window.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Read before the application object exists: help and version need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const StartArguments start = ParseStartArguments(arguments);
    switch (start.command) {
        case StartCommand::Help:
            PrintUtf8(stdout, StartUsage());
            return kStartOk;
        case StartCommand::Version:
            PrintUtf8(stdout, VersionText(QStringLiteral("quillrun")));
            return kStartOk;
        case StartCommand::UsageError:
            PrintUtf8(stderr, QStringLiteral("quillrun: ") + start.error + u'\n' + StartUsage());
            return kStartUsageError;
        case StartCommand::Open:
            break;
    }

    // The command line is read already: Qt is given only the program name, so that a FILE
    // after "--" is never taken for one of Qt's own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillrun"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillrun"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quillrun")));

    // The command line's choice holds for this run; else the one made in オプション > 言語.
    Translations translations(TranslationsFolder(QCoreApplication::applicationDirPath()));
    if (!translations.Use(start.language.isEmpty() ? Preferences().Language() : start.language))
        PrintUtf8(stderr, QStringLiteral("quillrun: the English translation cannot be loaded from "
                                         "%1; the window is in Japanese\n")
                              .arg(TranslationsFolder(QCoreApplication::applicationDirPath())));

    MainWindow window(QCoreApplication::applicationDirPath());
    window.SetLanguageInUse(translations.InUse());
    window.SetLanguageSwitch([&](const QString& language) { return translations.Use(language); });
    window.show();
    // As ファイル > 開く opens a file: a failure shows its message and leaves the canvas empty.
    if (!start.file.isEmpty()) window.Dispatch([&](Session& s) { LoadDiagram(s, start.file); });
    return QApplication::exec();
}
