#include "app/runner.h"

#include "app/diagram_export.h"
#include "app/file_commands.h"
#include "app/file_writing.h"
#include "app/language.h"
#include "app/program.h"
#include "app/run_report.h"
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
#include <optional>
#include <ostream>

namespace {

void WriteBytes(std::ostream& out, const QByteArray& bytes) {
    out.write(bytes.constData(), bytes.size());
}

void WriteUtf8(std::ostream& out, const QString& text) {
    WriteBytes(out, text.toUtf8());
}

// A step count or an element number: decimal digits only, within the range of int.
bool ReadWholeNumber(const QString& text, int& number) {
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok) return false;
    number = n;
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
        if (arg == QLatin1String("--json")) {
            o.json = true;
            continue;
        }
        if (arg == QLatin1String("--grid")) {
            o.exportGrid = true;
            continue;
        }
        if (arg.startsWith(QLatin1String("--json=")))
            return UsageError(QStringLiteral("--json takes no value: ") + arg);
        // --name VALUE or --name=VALUE
        QString name = arg, value;
        bool hasValue = false;
        if (const qsizetype eq = arg.indexOf(u'='); eq > 0) {
            name = arg.left(eq);
            value = arg.mid(eq + 1);
            hasValue = true;
        }
        const bool known = name == QLatin1String("--steps") || name == QLatin1String("--break") ||
                           name == QLatin1String("--save") || name == QLatin1String("--snapshot") ||
                           name == QLatin1String("--export") || name == QLatin1String("--language");
        if (!known) return UsageError(QStringLiteral("unknown option: ") + arg);
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return UsageError(name + QStringLiteral(" needs a value"));
            value = arguments[++i];
        }
        if (name == QLatin1String("--steps")) {
            if (stepsGiven) return UsageError(QStringLiteral("--steps given twice"));
            if (!ReadWholeNumber(value, o.steps))
                return UsageError(QStringLiteral("--steps needs a whole number from 0 up: ") +
                                  value);
            stepsGiven = true;
        } else if (name == QLatin1String("--break")) {
            int element = 0;
            if (!ReadWholeNumber(value, element) || element < 1)
                return UsageError(QStringLiteral("--break needs an element number from 1 up: ") +
                                  value);
            o.breakpoints.push_back(element);
        } else if (name == QLatin1String("--language")) {
            if (!IsLanguage(value))
                return UsageError(QStringLiteral("--language is en or ja: ") + value);
            o.language = value;
        } else {
            QString& path = name == QLatin1String("--save")       ? o.savePath
                            : name == QLatin1String("--snapshot") ? o.snapshotPath
                                                                  : o.exportPath;
            if (!path.isEmpty()) return UsageError(name + QStringLiteral(" given twice"));
            if (value.isEmpty()) return UsageError(name + QStringLiteral(" needs a file name"));
            path = value;
        }
    }
    if (!fileGiven || o.file.isEmpty()) return UsageError(QStringLiteral("no FILE given"));
    if (o.exportGrid && o.exportPath.isEmpty())
        return UsageError(QStringLiteral("--grid goes with --export"));
    result.command = RunnerCommand::Run;
    return result;
}

QString RunnerUsage() {
    return QStringLiteral(
        "Usage: quillrun-run [--steps N] [--break N]... [--json] [--save OUT.qrn]\n"
        "                    [--snapshot OUT.bmp] [--export OUT.png|OUT.svg|OUT.pdf [--grid]]\n"
        "                    [--language en|ja] FILE.qrn\n"
        "  or:  quillrun-run --help\n"
        "  or:  quillrun-run --version\n"
        "Opens a Quillrun diagram without a window and runs it.\n"
        "  --steps N           press 初期化, then perform N steps as an automatic run\n"
        "                      does (default 0: no run)\n"
        "  --break N           set the breakpoint of element N: the run stops after the\n"
        "                      first step of N that sends a value or fires, once that\n"
        "                      step is printed (may be given more than once)\n"
        "  --json              print JSON instead: one object a line for each step,\n"
        "                      then one with every element's value and queued inputs\n"
        "  --save OUT.qrn      save the diagram after the run, with the values it left\n"
        "  --snapshot OUT.bmp  save the canvas as last drawn (PNG when OUT ends in .png)\n"
        "  --export OUT        write a picture of the diagram after the run, as the\n"
        "                      window's ファイル > エクスポート does: PNG, SVG or PDF by\n"
        "                      the name's ending (PNG for any other), trimmed to the\n"
        "                      diagram, with the last step's highlight\n"
        "  --grid              with --export: the grid lines beneath the diagram\n"
        "  --language en|ja    the language of the messages and of the step texts:\n"
        "                      Japanese unless en is given\n"
        "  -h, --help          print this help and exit\n"
        "  -v, --version       print the version and exit\n"
        "Standard output: one line per step, fields separated by a tab: the step number,\n"
        "the element visited and, when the step set the status line, its text, in which\n"
        "a backslash, tab, carriage return or line feed is written \\\\, \\t, \\r or \\n.\n"
        "With --json every line is one JSON object instead: for each step its \"step\",\n"
        "\"element\" and \"text\" (null when the step left the status line alone); after\n"
        "the run (also with --steps 0) one \"elements\" array with, for each element,\n"
        "its number, \"kind\" (0 to 8, as in the file), \"text\", \"type\", \"value\" and\n"
        "\"inputs\": for each input the values queued there, first to last, as\n"
        "[type, value] pairs.\n"
        "Standard error: each message of the program as a line \"message: <text>\".\n"
        "Exit status: 0 all went well; 1 FILE could not be opened or a file could not be\n"
        "written; 2 usage error, also a --break N when the diagram has no element N;\n"
        "3 the run stopped at an arithmetic error (a breakpoint stop is 0).\n");
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

bool RunSteps(Session& s, int steps, std::ostream& out, StepFormat format) {
    frmMain::Command1_Click(s);
    // The timer switched on keeps the engine from asking after each step; its ticks are
    // given here one after the other instead of waiting for them.
    frmMain::Command3_Click(s);
    for (int n = 1; n <= steps && s.st.Diagram.ElemCount > 0; ++n) {
        // A full value pool stops the timer as 停止 would; the runner goes on as a person
        // pressing 自動実行 again would, so that every value that could not be queued is told.
        if (!s.frm.Timer1.Enabled) frmMain::Command3_Click(s);
        const StepOutcome step = frmMain::Timer1_Timer(s);
        const int element = step.stepped ? step.element : s.st.StepElem;
        if (format == StepFormat::Json) {
            const std::optional<QString> text =
                step.textShown ? std::optional<QString>(step.text) : std::nullopt;
            WriteBytes(out, JsonLine(StepReport(n, element, text)));
        } else {
            QString line = QString::number(n) + u'\t' + QString::number(element);
            if (step.textShown) line += u'\t' + EscapeField(step.text);
            WriteUtf8(out, line + u'\n');
        }
        if (s.st.StoppedByError) return true;
        // The breakpoint stopped the timer; unlike a full pool, it is not switched on again.
        if (step.stoppedAtBreakpoint) break;
    }
    return false;
}

int RunDiagramFile(const RunnerOptions& options, std::ostream& out, std::ostream& err) {
    RunnerPrompter ui(err);
    // No program folder: the runner neither reads nor writes the settings file.
    auto program = std::make_unique<Program>(ui, QString());  // large: kept off the stack
    Session& s = program->s;
    SharedState* st = &program->st;
    Canvas& canvas = program->canvas;
    st->Journal.SetEnabled(false);  // nothing is ever taken back here
    program->Start();
    // No one sees this canvas: it is drawn only when a snapshot of it is asked for.
    canvas.DrawingSuspended = options.snapshotPath.isEmpty();
    if (!LoadDiagram(s, options.file)) return kRunnerFileFailed;
    for (const int element : options.breakpoints) {
        if (element > st->Diagram.LiveElements()) {
            WriteUtf8(err,
                      QStringLiteral("quillrun-run: --break %1: the diagram has no element %1\n")
                          .arg(element));
            return kRunnerUsageError;
        }
        st->Diagram.Elements[element].Breakpoint = true;
    }

    const StepFormat format = options.json ? StepFormat::Json : StepFormat::Tabs;
    const bool stoppedByError = options.steps > 0 && RunSteps(s, options.steps, out, format);
    if (options.json) WriteBytes(out, JsonLine(ElementsReport(*st)));
    out.flush();

    bool written = true;
    if (!options.savePath.isEmpty() && !SaveDiagram(s, options.savePath)) written = false;
    if (!options.snapshotPath.isEmpty() &&
        !WriteImageFile(canvas.Picture2.Image(), options.snapshotPath)) {
        ui.Message(FileFailureMessage(kFileCannotWrite, options.snapshotPath));
        written = false;
    }
    if (!options.exportPath.isEmpty()) {
        ExportOptions picture;
        picture.grid = options.exportGrid;
        if (!ExportDiagram(s, options.exportPath, picture)) written = false;
    }
    if (!written) return kRunnerFileFailed;
    return stoppedByError ? kRunnerStoppedByError : kRunnerOk;
}
