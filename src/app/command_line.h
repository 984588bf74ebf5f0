#pragma once
// The command line of quillrun: "quillrun [FILE.qrn]", "--help" and "--version". It is read
// before the application object exists, so that help and version need no display. The version
// text is shared with quillrun-run.

#include <QString>
#include <QStringList>
#include <cstdio>

// Exit statuses of quillrun when it stops at its command line.
constexpr int kStartOk = 0;
constexpr int kStartUsageError = 2;

enum class StartCommand { Open, Help, Version, UsageError };

struct StartArguments {
    StartCommand command = StartCommand::UsageError;
    QString file;      // Open: the diagram to open as an absolute, clean path; empty: none
    QString error;     // UsageError: what was wrong
    QString language;  // --language: "en" or "ja"; empty: the one chosen in the window
};

// Reads the arguments after the program name. Options may come before or after FILE; "--"
// ends the options. An empty FILE counts as none.
StartArguments ParseStartArguments(const QStringList& arguments);
// What --help prints.
QString StartUsage();
// What --version prints for program ("quillrun" or "quillrun-run"): its name and the
// version of Quillrun on the first line, then the copyright and the licence.
QString VersionText(const QString& program);
// Writes text to stream as UTF-8, at once.
void PrintUtf8(std::FILE* stream, const QString& text);
