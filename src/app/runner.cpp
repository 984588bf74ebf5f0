#include "app/runner.h"

#include "app/file_commands.h"
#include "app/file_writing.h"
#include "app/startup.h"
#include "dialogs/arg_no_dialog.h"
#include "dialogs/element_dialog.h"
#include "engine/run_control.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"

#include <QImage>
#include <QRegularExpression>
#include <memory>
#include <ostream>

namespace {

void WriteUtf8(std::ostream& out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    out.write(bytes.constData(), bytes.size());
}

// A step count: decimal digits only, within the range of int.
bool ReadStepCount(const QString& text, int& steps) {
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok) return false;
    steps = n;
    return true;
}

RunnerArguments UsageError(const QString& error) {
    RunnerArguments result;
    result.command = RunnerCommand::UsageError;
    result.error = error;
    return result;
}

}  // namespace

RunnerArguments ParseRunnerArguments(const QStringList& arguments) {
    RunnerArguments result;
    RunnerOptions& o = result.options;
    bool stepsGiven = false, fileGiven = false, optionsEnded = false;

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnded || !arg.startsWith(u'-') || arg == u'-') {
            if (fileGiven) return UsageError(QStringLiteral("more than one FILE: ") + arg);
            o.file = arg;
            fileGiven = true;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            result.command = RunnerCommand::Help;
            return result;
        }
        if (arg == QLatin1String("--version") || arg == QLatin1String("-v")) {
            result.command = RunnerCommand::Version;
            return result;
        }
        // --name VALUE or --name=VALUE
        QString name = arg, value;
        bool hasValue = false;
        if (const qsizetype eq = arg.indexOf(u'='); eq > 0) {
            name = arg.left(eq);
            value = arg.mid(eq + 1);
            hasValue = true;
        }
        const bool known = name == QLatin1String("--steps") || name == QLatin1String("--save") ||
                           name == QLatin1String("--snapshot");
        if (!known) return UsageError(QStringLiteral("unknown option: ") + arg);
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return UsageError(name + QStringLiteral(" needs a value"));
            value = arguments[++i];
        }
        if (name == QLatin1String("--steps")) {
            if (stepsGiven) return UsageError(QStringLiteral("--steps given twice"));
            if (!ReadStepCount(value, o.steps))
                return UsageError(QStringLiteral("--steps needs a whole number from 0 up: ") +
                                  value);
            stepsGiven = true;
        } else {
            QString& path = name == QLatin1String("--save") ? o.savePath : o.snapshotPath;
            if (!path.isEmpty()) return UsageError(name + QStringLiteral(" given twice"));
            if (value.isEmpty()) return UsageError(name + QStringLiteral(" needs a file name"));
            path = value;
        }
    }
    if (!fileGiven || o.file.isEmpty()) return UsageError(QStringLiteral("no FILE given"));
    result.command = RunnerCommand::Run;
    return result;
}

QString RunnerUsage() {
    return QStringLiteral(
        "Usage: quillrun-run [--steps N] [--save OUT.qrn] [--snapshot OUT.bmp] FILE.qrn\n"
        "  or:  quillrun-run --help\n"
        "  or:  quillrun-run --version\n"
        "Opens a Quillrun diagram without a window and runs it.\n"
        "  --steps N           press 初期化, then perform N steps as an automatic run\n"
        "                      does (default 0: no run)\n"
        "  --save OUT.qrn      save the diagram after the run, with the values it left\n"
        "  --snapshot OUT.bmp  save the canvas as last drawn (PNG when OUT ends in .png)\n"
        "  -h, --help          print this help and exit\n"
        "  -v, --version       print the version and exit\n"
        "Standard output: one line per step, fields separated by a tab: the step number,\n"
        "the element visited and, when the step set the status line, its text, in which\n"
        "a backslash, tab, carriage return or line feed is written \\\\, \\t, \\r or \\n.\n"
        "Standard error: each message of the program as a line \"message: <text>\".\n"
        "Exit status: 0 all went well; 1 FILE could not be opened or a file could not be\n"
        "written; 2 usage error; 3 the run stopped at an arithmetic error.\n");
}

QString FlattenMessage(const QString& text) {
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]+"));
    QString flat = text;
    return flat.replace(lineBreaks, QStringLiteral(" "));
}

QString EscapeField(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'\\':
                escaped += QLatin1String("\\\\");
                break;
            case u'\t':
                escaped += QLatin1String("\\t");
                break;
            case u'\r':
                escaped += QLatin1String("\\r");
                break;
            case u'\n':
                escaped += QLatin1String("\\n");
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

bool WriteImageFile(const QImage& image, const QString& path) {
    const bool png = path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    return WriteImageSafely(image, path, png ? "PNG" : "BMP");
}

void RunnerPrompter::Message(const QString& text) {
    WriteUtf8(err_, QStringLiteral("message: ") + FlattenMessage(text) + u'\n');
    err_.flush();
}

Answer RunnerPrompter::AskYesNoCancel(const QString&, Answer) {
    return Answer::Cancel;
}

std::optional<QString> RunnerPrompter::OpenFileName(const QString&, const QString&) {
    return std::nullopt;
}

std::optional<QString> RunnerPrompter::SaveFileName(const QString&, const QString&) {
    return std::nullopt;
}

void RunnerPrompter::ShowElementDialog(ElementDialog& dialog) {
    dialog.Command2_Click();
}

void RunnerPrompter::ShowArgNoDialog(ArgNoDialog& dialog) {
    dialog.Command2_Click();
}

bool RunnerPrompter::SaveBitmap(const QImage& image, const QString& path) {
    return WriteImageFile(image, path);
}

bool RunSteps(Session& s, int steps, std::ostream& out) {
    frmMain::Command1_Click(s);
    // The timer switched on keeps the engine from asking after each step; its ticks are
    // given here one after the other instead of waiting for them.
    frmMain::Command3_Click(s);
    for (int n = 1; n <= steps && s.st.Diagram.ElemCount > 0; ++n) {
        // A full value pool stops the timer as 停止 would; the runner goes on as a person
        // pressing 自動実行 again would, so that every value that could not be queued is told.
        if (!s.frm.Timer1.Enabled) frmMain::Command3_Click(s);
        const int writes = s.frm.Label1Writes;
        frmMain::Timer1_Timer(s);
        QString line = QString::number(n) + u'\t' + QString::number(s.st.StepElem);
        if (s.frm.Label1Writes != writes) line += u'\t' + EscapeField(s.frm.Label1Caption);
        WriteUtf8(out, line + u'\n');
        if (s.st.StoppedByError) return true;
    }
    return false;
}

int RunDiagramFile(const RunnerOptions& options, std::ostream& out, std::ostream& err) {
    auto st = std::make_unique<SharedState>();  // large: kept off the stack
    FormControls frm;  // no AppPath: the runner neither reads nor writes the settings file
    Canvas canvas;
    RunnerPrompter ui(err);
    Session s{*st, frm, canvas, ui};

    StartupInitialisation(s);
    // No one sees this canvas: it is drawn only when a snapshot of it is asked for.
    canvas.DrawingSuspended = options.snapshotPath.isEmpty();
    if (!LoadDiagram(s, options.file)) return kRunnerFileFailed;

    const bool stoppedByError = options.steps > 0 && RunSteps(s, options.steps, out);
    out.flush();

    bool written = true;
    if (!options.savePath.isEmpty() && !SaveDiagram(s, options.savePath)) written = false;
    if (!options.snapshotPath.isEmpty() &&
        !WriteImageFile(canvas.Picture2.Image(), options.snapshotPath)) {
        ui.Message(FileFailureMessage(kFileCannotWrite, options.snapshotPath));
        written = false;
    }
    if (!written) return kRunnerFileFailed;
    return stoppedByError ? kRunnerStoppedByError : kRunnerOk;
}
