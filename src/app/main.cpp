// Starts Quillrun: a Japanese user interface whatever the locale, and the main window.

#include "app/views/main_window.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillrun"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillrun"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quillrun")));

    QTranslator translator;
    if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);

    MainWindow window(QCoreApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}
