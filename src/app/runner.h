#pragma once
// The headless runner quillrun-run: its command line, a person who only reads (messages go to an
// error stream, no question is ever answered yes) and a diagram run without a window. Loading,
// stepping, drawing and saving are the program's own routines; the runner keeps no settings.

#include "model/prompter.h"

#include <QString>
#include <QStringList>
#include <iosfwd>
#include <vector>

struct Session;

// Exit statuses of quillrun-run.
constexpr int kRunnerOk = 0;
constexpr int kRunnerFileFailed = 1;  // FILE could not be opened, or an output not written
constexpr int kRunnerUsageError = 2;
constexpr int kRunnerStoppedByError = 3;  // an arithmetic error stopped the run

struct RunnerOptions {
    int steps = 0;
    std::vector<int> breakpoints;  // --break: element numbers from 1 up, as given
    bool json = false;             // --json: standard output as JSON lines
    QString savePath;              // empty: no --save
    QString snapshotPath;          // empty: no --snapshot
    QString exportPath;            // empty: no --export
    bool exportGrid = false;       // --grid
    QString language;              // --language: "en" or "ja"; empty: Japanese
    QString file;
};

enum class RunnerCommand { Run, Help, Version, UsageError };

struct RunnerArguments {
    RunnerCommand command = RunnerCommand::UsageError;
    RunnerOptions options;
    QString error;  // for a usage error: what was wrong
};

// Reads the arguments after the program name. Options may come before or after FILE, as
// "--steps N" or "--steps=N"; "--" ends the options. --break may be given more than once.
// Whether a --break names an element of the diagram is seen only once it is loaded.
RunnerArguments ParseRunnerArguments(const QStringList& arguments);
QString RunnerUsage();

// A message as one line: every run of line breaks (CR LF, CR or LF) becomes one blank.
QString FlattenMessage(const QString& text);
// A field of a step line: a backslash, tab, carriage return or line feed in it is written as
// \\, \t, \r or \n, so that every step stays one line of tab-separated fields.
QString EscapeField(const QString& text);

// Writes a picture as PNG when the name ends in ".png" (in any letter case), else as a Windows
// bitmap; false when the file could not be written.
bool WriteImageFile(const QImage& image, const QString& path);

// The person at the runner: every message is a line "message: <text>" on the error stream (as
// UTF-8); file dialogs and modal dialogs are cancelled, and a question (which an automatic run
// never asks) is answered Cancel.
class RunnerPrompter : public Prompter {
public:
    explicit RunnerPrompter(std::ostream& err) : err_(err) {}

    void Message(const QString& text) override;
    Answer AskYesNoCancel(const QString& text, Answer preferred = Answer::Yes) override;
    std::optional<QString> OpenFileName(const QString& filter, const QString& proposed) override;
    std::optional<QString> SaveFileName(const QString& filter, const QString& proposed) override;
    void ShowElementDialog(ElementDialog& dialog) override;
    void ShowArgNoDialog(ArgNoDialog& dialog) override;
    bool SaveBitmap(const QImage& image, const QString& path) override;

private:
    std::ostream& err_;
};

// How RunSteps writes a step: as tab-separated fields, or as a JSON object (see StepReport).
enum class StepFormat { Tabs, Json };

// Presses 初期化, switches the timer on as 自動実行 does and performs steps timer ticks, writing
// one line per step to out: the step number, the element visited and, only when the step set
// the status line, its text, separated by tabs. Stops early, after writing that step's line,
// when an element with a breakpoint sent a value or fired, and when an element could not
// compute; returns true only for the latter. A diagram without elements has no step to perform.
bool RunSteps(Session& s, int steps, std::ostream& out, StepFormat format = StepFormat::Tabs);

// The whole run of one FILE, headless: start-up, load (with its redraw), the breakpoints, the
// steps (with --json followed by every element's values), then the save and the snapshot asked
// for. A breakpoint beyond the diagram's elements is a usage error, told on err before anything
// is run. Needs a QGuiApplication. Returns the exit status.
int RunDiagramFile(const RunnerOptions& options, std::ostream& out, std::ostream& err);
