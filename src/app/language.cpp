#include "app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <utility>

bool IsLanguage(const QString& language) {
    return language == kEnglish || language == kJapanese;
}

QString TranslationsFolder(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("translations"));
}

Translations::Translations(QString folder) : folder_(std::move(folder)) {}

Translations::~Translations() {
    RemoveAll();
}

void Translations::RemoveAll() {
    QCoreApplication::removeTranslator(&program_);
    QCoreApplication::removeTranslator(&qt_);
}

bool Translations::Use(const QString& language) {
    RemoveAll();
    if (language == kEnglish) {
        if (program_.load(QStringLiteral("quillrun_en"), folder_)) {
            QCoreApplication::installTranslator(&program_);
            inUse_ = kEnglish;
            return true;
        }
    }
    if (qt_.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt_);
    inUse_ = kJapanese;
    return language != kEnglish;
}
