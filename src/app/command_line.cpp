#include "app/command_line.h"

#include "app/language.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>

namespace {

const QString kUsageLine = QStringLiteral("Usage: quillrun [options] [FILE.qrn]");

// The parser with quillrun's options and argument, and the two options to ask it about.
struct StartParser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Display this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Display the version and exit.")};
    QCommandLineOption language{
        QStringLiteral("language"),
        QStringLiteral("en (English) or ja (Japanese) for this run, whatever\n"
                       "オプション > 言語 chose."),
        QStringLiteral("LANGUAGE")};

    StartParser() {
        parser.setApplicationDescription(QStringLiteral(
            "Draws data-flow diagrams and runs them step by step. When FILE is given,\n"
            "opens it at start-up as ファイル > 開く does."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(language);
        parser.addPositionalArgument(QStringLiteral("FILE.qrn"),
                                     QStringLiteral("The diagram file to open."),
                                     QStringLiteral("[FILE.qrn]"));
    }
};

StartArguments UsageError(const QString& error) {
    StartArguments result;
    result.command = StartCommand::UsageError;
    result.error = error;
    return result;
}

}  // namespace

StartArguments ParseStartArguments(const QStringList& arguments) {
    StartParser p;
    // The parser takes the program name first.
    if (!p.parser.parse(QStringList{QStringLiteral("quillrun")} + arguments))
        return UsageError(p.parser.errorText());

    StartArguments result;
    if (p.parser.isSet(p.help)) {
        result.command = StartCommand::Help;
        return result;
    }
    if (p.parser.isSet(p.version)) {
        result.command = StartCommand::Version;
        return result;
    }
    if (p.parser.isSet(p.language)) {
        result.language = p.parser.value(p.language);
        if (!IsLanguage(result.language))
            return UsageError(QStringLiteral("--language is en or ja: ") + result.language);
    }
    const QStringList files = p.parser.positionalArguments();
    if (files.size() > 1)
        return UsageError(QStringLiteral("more than one FILE: ") + files.join(u' '));
    result.command = StartCommand::Open;
    // The recent-file list keeps the path as given, so a relative one is made absolute here,
    // as the file dialog would give it.
    if (!files.isEmpty() && !files.first().isEmpty())
        result.file = QDir::cleanPath(QDir::current().absoluteFilePath(files.first()));
    return result;
}

QString StartUsage() {
    // Without an application object the parser does not know the program's name.
    QString text = StartParser().parser.helpText();
    text.replace(0, text.indexOf(u'\n'), kUsageLine);
    return text;
}

QString VersionText(const QString& program) {
    return program + u' ' + QStringLiteral(QUILLRUN_VERSION) +
           QStringLiteral(
               "\nCopyright (C) 2026 Quillrun developers.\n"
               "License: MIT (Expat). There is NO WARRANTY, to the extent permitted by law.\n");
}

void PrintUtf8(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}
