#pragma once
// The language of the texts the person reads. Japanese is the default whatever the locale;
// English is chosen with --language en or オプション > 言語, and comes from quillrun_en.qm in the
// translations folder beside the programs. Qt's own texts (the buttons of a question, the file
// dialog) follow: Japanese from Qt's translations, English as Qt writes them.

#include <QString>
#include <QTranslator>

inline const QString kJapanese = QStringLiteral("ja");
inline const QString kEnglish = QStringLiteral("en");

// True for kEnglish and kJapanese, the values --language takes.
bool IsLanguage(const QString& language);

// The folder that holds the program's translations: translations/ in programDir.
QString TranslationsFolder(const QString& programDir);

class Translations {
public:
    explicit Translations(QString folder);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Installs language for the whole application: kEnglish, or Japanese for anything else.
    // False when English was asked for and its translation cannot be loaded; the texts are then
    // Japanese.
    bool Use(const QString& language);
    // The language in use: kEnglish or kJapanese.
    QString InUse() const { return inUse_; }

private:
    void RemoveAll();

    QString folder_;
    QTranslator program_;  // quillrun_en.qm
    QTranslator qt_;       // Qt's Japanese
    QString inUse_ = kJapanese;
};
