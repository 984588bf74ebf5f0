#include "app/runner.h"
#include "app/file_commands.h"
#include "dialogs/arg_no_dialog.h"
#include "dialogs/element_dialog.h"
#include "engine/operators.h"
#include "engine/queued_values.h"
#include "model/cell_pool.h"
#include "model/diagram_edit.h"
#include "program_process.h"
#include "render/renderer.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <sstream>
#include <vector>

namespace {

// The command line.

TEST(RunnerArguments, OptionsTakeTheirValueAfterABlankOrAnEqualsSignOnEitherSideOfTheFile) {
    RunnerArguments a = ParseRunnerArguments({"a.qrn"});
    ASSERT_EQ(a.command, RunnerCommand::Run);
    EXPECT_EQ(a.options.steps, 0);
    EXPECT_TRUE(a.options.savePath.isEmpty() && a.options.snapshotPath.isEmpty());

    a = ParseRunnerArguments({"--steps", "12", "in.qrn", "--save=out.qrn", "--snapshot", "p.png"});
    ASSERT_EQ(a.command, RunnerCommand::Run) << a.error.toStdString();
    EXPECT_EQ(a.options.steps, 12);
    EXPECT_EQ(a.options.file, "in.qrn");
    EXPECT_EQ(a.options.savePath, "out.qrn");
    EXPECT_EQ(a.options.snapshotPath, "p.png");

    EXPECT_EQ(ParseRunnerArguments({"--steps=007", "--", "--help"}).options.file, "--help");
    EXPECT_EQ(ParseRunnerArguments({"--", "--x"}).command, RunnerCommand::Run);
    EXPECT_EQ(ParseRunnerArguments({"a.qrn", "--steps", "3", "-h"}).command, RunnerCommand::Help);
}

TEST(RunnerArguments, BreakpointsAddUpInTheirOrderAndJsonIsASwitch) {
    RunnerArguments a = ParseRunnerArguments({"a.qrn"});
    EXPECT_TRUE(a.options.breakpoints.empty());
    EXPECT_FALSE(a.options.json);

    a = ParseRunnerArguments({"--break", "7", "--json", "a.qrn", "--break=2", "--break", "07"});
    ASSERT_EQ(a.command, RunnerCommand::Run) << a.error.toStdString();
    EXPECT_EQ(a.options.breakpoints, (std::vector<int>{7, 2, 7}));
    EXPECT_TRUE(a.options.json);
    EXPECT_EQ(a.options.file, "a.qrn");
    EXPECT_EQ(ParseRunnerArguments({"--", "--json"}).options.file, "--json");
}

TEST(RunnerArguments, EverythingElseIsAUsageErrorThatSaysWhatIsWrong) {
    const struct {
        QStringList args;
        const char* says;
    } cases[] = {
        {{"--steps", "3"}, "no FILE"},
        {{"a.qrn", "b.qrn"}, "more than one FILE"},
        {{"-s", "3", "a.qrn"}, "unknown option"},
        {{"a.qrn", "--steps"}, "needs a value"},
        {{"--steps", "-1", "a.qrn"}, "whole number"},
        {{"--steps", "2.5", "a.qrn"}, "whole number"},
        {{"--steps", "2147483648", "a.qrn"}, "whole number"},
        {{"--save", "x", "--save", "y", "a.qrn"}, "twice"},
        {{"--snapshot=", "a.qrn"}, "needs a file name"},
        {{"--break", "0", "a.qrn"}, "element number from 1 up"},
        {{"--break", "-1", "a.qrn"}, "element number from 1 up"},
        {{"--break=x", "a.qrn"}, "element number from 1 up"},
        {{"--break", "1.5", "a.qrn"}, "element number from 1 up"},
        {{"--break=", "a.qrn"}, "element number from 1 up"},
        {{"--break", "2147483648", "a.qrn"}, "element number from 1 up"},
        {{"a.qrn", "--break"}, "needs a value"},
        {{"--json=yes", "a.qrn"}, "takes no value"},
        {{"--jsonx", "a.qrn"}, "unknown option"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const RunnerArguments a = ParseRunnerArguments(c.args);
        EXPECT_EQ(a.command, RunnerCommand::UsageError);
        EXPECT_TRUE(a.error.contains(QLatin1String(c.says))) << a.error.toStdString();
    }
}

// The person at the runner.

TEST(RunnerPrompter, EveryMessageIsOneLineOnTheErrorStreamAndNobodyAnswersYes) {
    auto p = std::make_unique<TestProgram>();
    std::ostringstream err;
    RunnerPrompter ui(err);
    ui.Message("領域オーバーフロー");
    ui.Message("要素 ID=3 「/」 で停止\r\n\r\n0 で\n割り\rました。");
    EXPECT_EQ(QString::fromStdString(err.str()),
              "message: 領域オーバーフロー\n"
              "message: 要素 ID=3 「/」 で停止 0 で 割り ました。\n");

    EXPECT_EQ(ui.AskYesNoCancel("画像を保存しますか？。"), Answer::Cancel);
    EXPECT_FALSE(ui.SaveFileName(Tr(kDiagramFilter), "a.qrn").has_value());
    ElementDialog element(p->s);
    ui.ShowElementDialog(element);
    EXPECT_TRUE(element.Closed());
}

TEST(RunnerPrompter, PicturesArePngByTheirNameElseWindowsBitmaps) {
    QTemporaryDir dir;
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 0));
    for (const QString name : {"a.PNG", "c.bmp", "d"}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(WriteImageFile(image, path)) << name.toStdString();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.read(2), name == "a.PNG" ? QByteArray("\x89P") : QByteArray("BM"));
        EXPECT_EQ(QImage(path).pixel(3, 3), qRgb(255, 255, 0));
    }
    EXPECT_FALSE(WriteImageFile(image, dir.filePath("missing/e.bmp")));
}

// Diagrams used below, built in a program of their own and saved with the program's save.

// Constants 5 and 0 into a "/".
void BuildDivisionByZero(SharedState& st) {
    AddElement(st, kConstantNumber, "5", 1000, 1000);
    AddElement(st, kConstantNumber, "0", 1000, 3000);
    AddElement(st, kDivide, "/", 3000, 2000);
    AddConnection(st, 1, 3, "1");
    AddConnection(st, 2, 3, "2");
}

// A "+" visited before its inputs come, a variable v visited before it has a value, and a
// variable w that is given v's value but sends it nowhere: 3 and 4 into the "+" (element 1),
// its sum to v (2), v to w (5). Step 1: the "+" waits; 2: v has nothing; 3, 4: the constants
// send; 5: w has nothing; 6: the "+" fires; 7: v sends 7 to w.
void BuildLateStarters(SharedState& st) {
    AddElement(st, kPlus, "+", 3000, 2000);
    AddElement(st, kVariableNumber, "v", 5000, 2000);
    AddElement(st, kConstantNumber, "3", 1000, 1000);
    AddElement(st, kConstantNumber, "4", 1000, 3000);
    AddElement(st, kVariableNumber, "w", 7000, 2000);
    AddConnection(st, 3, 1, "1");
    AddConnection(st, 4, 1, "2");
    AddConnection(st, 1, 2);
    AddConnection(st, 2, 5);
}

// 1 + 2 and 2 * 5 both into input 1 of a "mod" whose input 2 is never fed: step 4 queues 3 there
// and step 5 queues 10 behind it. The constant 5 also feeds input 3 of the constant 1, which
// takes no input: its value stays queued there.
void BuildTwoInOneQueue(SharedState& st) {
    AddElement(st, kConstantNumber, "1", 1000, 1000);
    AddElement(st, kConstantNumber, "2", 1000, 3000);
    AddElement(st, kConstantNumber, "5", 1000, 5000);
    AddElement(st, kPlus, "+", 3000, 2000);
    AddElement(st, kTimes, "*", 3000, 4000);
    AddElement(st, kFunction, "mod", 5000, 3000);
    st.Diagram.Elements[6].ArgCount = 2;
    AddConnection(st, 1, 4, "1");
    AddConnection(st, 2, 4, "2");
    AddConnection(st, 2, 5, "1");
    AddConnection(st, 3, 5, "2");
    AddConnection(st, 4, 6, "1");
    AddConnection(st, 5, 6, "1");
    AddConnection(st, 3, 1, "3");
}

const char kWorkedRun[] =
    "1\t1\tID=1 : 定数  Number 3 転送\n"
    "2\t2\tID=2 : 定数  Number 4 転送\n"
    "3\t3\tID=3 演算 : Number 3 + Number 4 ⇒ Number 7\n"
    "4\t4\t\n"
    "5\t1\tID=1 : 定数  Number 3 転送\n";

// Every line of a --json output parsed back; a line that is not one compact JSON object fails
// the test.
std::vector<QJsonObject> JsonLines(const QString& out) {
    EXPECT_TRUE(out.endsWith(u'\n')) << out.toStdString();
    QStringList lines = out.split(u'\n');
    lines.removeLast();
    std::vector<QJsonObject> objects;
    for (const QString& line : lines) {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        EXPECT_TRUE(doc.isObject()) << line.toStdString();
        EXPECT_EQ(doc.toJson(QJsonDocument::Compact), line.toUtf8());
        objects.push_back(doc.object());
    }
    return objects;
}

// The step objects of a --json run say what the lines of the same run without it say, and the
// elements object comes after them.
void ExpectSameSteps(const QString& plain, const std::vector<QJsonObject>& json) {
    QStringList lines = plain.split(u'\n');
    lines.removeLast();
    ASSERT_EQ(json.size(), static_cast<size_t>(lines.size()) + 1);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        SCOPED_TRACE(lines[k].toStdString());
        const QStringList fields = lines[k].split(u'\t');
        const QJsonObject& step = json[k];
        EXPECT_EQ(step.keys(), (QStringList{"element", "step", "text"}));
        EXPECT_EQ(step.value("step").toInt(-1), fields[0].toInt());
        EXPECT_EQ(step.value("element").toInt(-1), fields[1].toInt());
        if (fields.size() == 2) {
            EXPECT_TRUE(step.value("text").isNull());
        } else {
            EXPECT_TRUE(step.value("text").isString());
            EXPECT_EQ(EscapeField(step.value("text").toString()), fields[2]);
        }
    }
    EXPECT_EQ(json.back().keys(), QStringList{"elements"});
}

// Element i (from 1) of an elements object.
QJsonObject ElementOf(const QJsonObject& report, int i) {
    return report.value("elements").toArray().at(i - 1).toObject();
}

QJsonArray JsonArray(const char* text) {
    return QJsonDocument::fromJson(text).array();
}

// The values waiting at inputs, read from the pool without taking them.

TEST(RunnerQueues, TheInputsListedFollowTheKindAndEveryQueueThatHoldsAValue) {
    auto p = std::make_unique<TestProgram>();
    SharedState& st = p->st;
    InitCellPool(st);
    AddElement(st, kFunction, "f", 1000, 1000);
    st.Diagram.Elements[1].ArgCount = 0;
    AddElement(st, kDivide, "/", 3000, 1000);
    st.Diagram.Elements[2].ArgCount = 40;  // a damaged file: there are only 30 queues
    AddElement(st, kVariableString, "v", 5000, 1000);
    AddElement(st, kConstantString, "c", 7000, 1000);
    AddElement(st, kConstantString, "d", 9000, 1000);
    st.Cells[1] = {Integer{-1}, kTypeString, "x"};
    st.Diagram.Elements[5].ArgQueue[4] = 1;
    EXPECT_EQ(ListedInputs(st, 1), 1);
    EXPECT_EQ(ListedInputs(st, 2), kMaxArgs);
    EXPECT_EQ(ListedInputs(st, 3), 1);
    EXPECT_EQ(ListedInputs(st, 4), 0);
    EXPECT_EQ(ListedInputs(st, 5), 4);
    EXPECT_EQ(ListedInputs(st, 6), 0) << "no such element";
    EXPECT_EQ(QueuedInputs(st, 5),
              (std::vector<std::vector<QueuedValue>>{{}, {}, {}, {{kTypeString, "x"}}}));
    EXPECT_TRUE(QueuedInputs(st, 0).empty());
}

TEST(RunnerQueues, ACellMetAgainOrALinkOutOfThePoolEndsAQueue) {
    auto p = std::make_unique<TestProgram>();
    SharedState& st = p->st;
    InitCellPool(st);
    AddElement(st, kFunction, "f", 1000, 1000);
    ElementRec& e = st.Diagram.Elements[1];
    e.ArgCount = 3;
    st.Cells[5] = {Integer{9}, kTypeNumber, "a"};
    st.Cells[9] = {Integer{5}, kTypeNumber, "b"};  // back to the first
    st.Cells[7] = {Integer{2000}, kTypeNumber, "c"};
    e.ArgQueue[1] = 5;
    e.ArgQueue[2] = 7;
    e.ArgQueue[3] = kMaxCells + 1;
    EXPECT_EQ(QueuedInputs(st, 1),
              (std::vector<std::vector<QueuedValue>>{
                  {{kTypeNumber, "a"}, {kTypeNumber, "b"}}, {{kTypeNumber, "c"}}, {}}));
}

// The run loop, in this process.

struct RunnerSteps : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();
    std::ostringstream out;

    QString Output() const { return QString::fromUtf8(out.str()); }
};

TEST_F(RunnerSteps, AStepThatLeavesTheStatusLineAloneHasTwoFields) {
    AddElement(p->st, kVariableNumber, "v", 1000, 1000);
    AddElement(p->st, kFunction, "sin", 3000, 1000);
    EXPECT_FALSE(RunSteps(p->s, 3, out));
    EXPECT_EQ(Output(), "1\t1\n2\t2\n3\t1\n");
}

TEST_F(RunnerSteps, AFullPoolIsToldForEveryValueAndTheRunGoesOn) {
    BuildPoolFiller(p->st);
    p->canvas.DrawingSuspended = true;
    EXPECT_FALSE(RunSteps(p->s, 4040, out));
    EXPECT_EQ(Output().count(u'\n'), 4040);
    const QStringList shown = p->ui.TakeMessages();
    EXPECT_GE(shown.size(), 2) << "the run went on after the first";
    EXPECT_EQ(shown, QStringList(shown.size(), Tr(kPoolOverflow)));
}

TEST_F(RunnerSteps, TabsLineBreaksAndBackslashesInAValueAreEscaped) {
    AddElement(p->st, kConstantString, "a\tb\\c\r\nd", 1000, 1000);
    AddElement(p->st, kVariableString, "v", 3000, 1000);
    AddConnection(p->st, 1, 2);
    EXPECT_FALSE(RunSteps(p->s, 1, out));
    EXPECT_EQ(Output(), "1\t1\tID=1 : 定数  String a\\tb\\\\c\\r\\nd 転送\n");
}

TEST_F(RunnerSteps, AJsonTextIsTheStatusLineItselfAndAStepThatSetNoneHasNull) {
    AddElement(p->st, kConstantString, "a\tb\\c\r\nd", 1000, 1000);
    AddElement(p->st, kVariableString, "v", 3000, 1000);
    AddElement(p->st, kFunction, "mod", 5000, 1000);
    p->st.Diagram.Elements[3].ArgCount = 2;
    AddConnection(p->st, 1, 2);
    AddConnection(p->st, 2, 3, "1");
    EXPECT_FALSE(RunSteps(p->s, 3, out, StepFormat::Json));
    const std::vector<QJsonObject> steps = JsonLines(Output());
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].value("text").toString(), "ID=1 : 定数  String a\tb\\c\r\nd 転送");
    EXPECT_EQ(steps[1].value("text").toString(), "ID=2 : 変数 String a\tb\\c\r\nd 転送");
    EXPECT_EQ(steps[1].value("step").toInt(), 2);
    EXPECT_EQ(steps[1].value("element").toInt(), 2);
    EXPECT_TRUE(steps[2].value("text").isNull()) << "the function waits for input 2 silently";
}

TEST_F(RunnerSteps, AnEmptyDiagramHasNoStepToPerform) {
    EXPECT_FALSE(RunSteps(p->s, 3, out));
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(p->st.StepElem, 0);
}

// The runner draws only when a snapshot is asked for; without drawing, the sample diagram runs
// through the same steps, status lines, messages and values.
TEST_F(RunnerSteps, ARunWithoutDrawingTakesTheSameStepsAsOneThatDraws) {
    auto run = [](bool suspended, QString& lines, QStringList& messages, SharedState& after) {
        auto q = std::make_unique<TestProgram>();
        q->canvas.DrawingSuspended = suspended;
        EXPECT_TRUE(LoadDiagram(q->s, QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn")));
        std::ostringstream out;
        RunSteps(q->s, 60, out);
        lines = QString::fromUtf8(out.str());
        messages = q->ui.TakeMessages();
        after = q->st;
    };
    QString drawn, undrawn;
    QStringList drawnMessages, undrawnMessages;
    auto a = std::make_unique<SharedState>(), b = std::make_unique<SharedState>();
    run(false, drawn, drawnMessages, *a);
    run(true, undrawn, undrawnMessages, *b);
    EXPECT_EQ(undrawn, drawn);
    EXPECT_EQ(undrawnMessages, drawnMessages);
    EXPECT_EQ(drawn.count(u'\n'), 60);
    for (int i = 1; i <= a->Diagram.ElemCount; ++i)
        EXPECT_EQ(b->Diagram.Elements[i], a->Diagram.Elements[i]) << i;
}

// The real executable, started without a display.

struct RunnerProcess : ::testing::Test {
    QTemporaryDir dir;
    QTemporaryDir home;  // the runner's home and configuration folder: it must stay empty

    QString Path(const QString& name) const { return dir.filePath(name); }

    Finished Run(const QStringList& args) const {
        return RunProgram(QStringLiteral(QUILLRUN_RUNNER_PATH), args, dir.path(), home.path());
    }

    // Saves a diagram built by build under name with the program's own save.
    QString Write(const QString& name, void (*build)(SharedState&)) const {
        auto p = std::make_unique<TestProgram>();
        build(p->st);
        const QString path = Path(name);
        EXPECT_TRUE(SaveDiagram(p->s, path));
        return path;
    }

    static QByteArray Bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // True when the picture holds the yellow of the stepped element.
    static bool ShowsAHighlight(const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == 0xFFFF00) return true;
        return false;
    }
};

TEST_F(RunnerProcess, TheWorkedRunPrintsOneLinePerStepAndSavesTheValuesItGave) {
    const QString file = Write("worked.qrn", BuildWorkedExample);
    const QString beside =
        QFileInfo(QStringLiteral(QUILLRUN_RUNNER_PATH)).dir().filePath("mySys.!!!");
    const QByteArray settingsBefore = Bytes(beside);

    const Finished f = Run({"--steps", "5", "--save=after.qrn", file});
    EXPECT_EQ(f.status, kRunnerOk);
    EXPECT_EQ(f.out, QString::fromUtf8(kWorkedRun));
    EXPECT_EQ(f.err, "");

    auto p = std::make_unique<TestProgram>();
    ASSERT_TRUE(LoadDiagram(p->s, Path("after.qrn")));  // relative to the working folder
    EXPECT_EQ(p->st.Diagram.Elements[4].DataType, "Number");
    EXPECT_EQ(p->st.Diagram.Elements[4].Value, "7");
    EXPECT_EQ(p->st.Diagram.ConnCount, 3);

    // No settings file was read or written, neither beside the program nor in the user's folder.
    EXPECT_EQ(Bytes(beside), settingsBefore);
    EXPECT_TRUE(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(RunnerProcess, NoStepsAndASaveGiveTheFileBackByteForByte) {
    const QString sample = QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn");
    for (const QString& file : {sample, Write("worked.qrn", BuildWorkedExample)}) {
        SCOPED_TRACE(file.toStdString());
        QFile::remove(Path("copy.qrn"));
        const Finished f = Run({file, "--save", Path("copy.qrn")});
        EXPECT_EQ(f.status, kRunnerOk) << f.err.toStdString();
        EXPECT_EQ(f.out, "");
        EXPECT_EQ(f.err, "");
        const QByteArray original = Bytes(file);
        ASSERT_FALSE(original.isEmpty());
        EXPECT_EQ(Bytes(Path("copy.qrn")), original);
    }
}

TEST_F(RunnerProcess, TheSnapshotIsTheCanvasAsLastDrawn) {
    const QString file = Write("worked.qrn", BuildWorkedExample);
    ASSERT_EQ(Run({"--steps", "3", "--snapshot", "step3.png", file}).status, kRunnerOk);
    ASSERT_EQ(Run({"--snapshot", "loaded.bmp", file}).status, kRunnerOk);

    EXPECT_TRUE(Bytes(Path("step3.png")).startsWith("\x89PNG"));
    EXPECT_TRUE(Bytes(Path("loaded.bmp")).startsWith("BM"));
    const QImage step3(Path("step3.png")), loaded(Path("loaded.bmp"));
    ASSERT_FALSE(step3.isNull());
    ASSERT_FALSE(loaded.isNull());
    EXPECT_EQ(step3.size(), loaded.size());
    EXPECT_TRUE(ShowsAHighlight(step3)) << "step 3 fired the operator";
    EXPECT_FALSE(ShowsAHighlight(loaded)) << "nothing was stepped";
}

// --export writes what ファイル > エクスポート writes: the trimmed picture with the last step's
// highlight, its kind by the name's ending, the labels as text in a vector file.
TEST_F(RunnerProcess, TheExportIsTheDiagramAfterTheRunInTheFormatOfItsName) {
    const QString file = Write("worked.qrn", BuildWorkedExample);
    ASSERT_EQ(Run({"--steps", "3", "--export", "step3.png", file}).status, kRunnerOk);
    ASSERT_EQ(Run({"--steps", "3", "--export", "step3.svg", "--grid", file}).status, kRunnerOk);
    ASSERT_EQ(Run({"--export=loaded.pdf", file}).status, kRunnerOk);

    const QImage step3(Path("step3.png"));
    ASSERT_FALSE(step3.isNull());
    EXPECT_TRUE(ShowsAHighlight(step3));
    const QByteArray svg = Bytes(Path("step3.svg"));
    EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).toStdString();
    EXPECT_TRUE(svg.contains(">x</text>")) << "labels are text";
    EXPECT_TRUE(Bytes(Path("loaded.pdf")).startsWith("%PDF-"));
}

TEST_F(RunnerProcess, AFileThatCannotBeOpenedEndsWithStatusOne) {
    const QString missing = Path("missing.qrn");
    const Finished f = Run({"--steps", "3", missing});
    EXPECT_EQ(f.status, kRunnerFileFailed);
    EXPECT_EQ(f.out, "");
    EXPECT_EQ(f.err, "message: " + FileFailureMessage(kFileNotFound, missing) + "\n");
}

// --language en gives the messages and the step texts in English; the type texts stay.
TEST_F(RunnerProcess, InEnglishTheMessagesAndStepsAreEnglish) {
    const QString missing = Path("missing.qrn");
    const Finished failed = Run({"--language", "en", missing});
    EXPECT_EQ(failed.status, kRunnerFileFailed);
    EXPECT_EQ(failed.err, "message: The file cannot be found. File Name = [" + missing + "]\n");
    const Finished f =
        Run({"--steps", "3", "--language=en", Write("worked.qrn", BuildWorkedExample)});
    EXPECT_EQ(f.status, kRunnerOk) << f.err.toStdString();
    EXPECT_EQ(f.out,
              "1\t1\tID=1 : Constant  Number 3 sent\n"
              "2\t2\tID=2 : Constant  Number 4 sent\n"
              "3\t3\tID=3 computes : Number 3 + Number 4 ⇒ Number 7\n");
    EXPECT_EQ(Run({"--steps", "1", "--language", "ja", Path("worked.qrn")}).out,
              "1\t1\tID=1 : 定数  Number 3 転送\n");
}

TEST_F(RunnerProcess, AnOutputThatCannotBeWrittenEndsWithStatusOneAfterTheSteps) {
    const QString file = Write("worked.qrn", BuildWorkedExample);
    const QString save = Path("no/such/folder/out.qrn");
    const QString snapshot = Path("no/such/folder/out.bmp");
    const QString picture = Path("no/such/folder/out.svg");
    const Finished f =
        Run({"--steps", "1", "--save", save, "--snapshot", snapshot, "--export", picture, file});
    EXPECT_EQ(f.status, kRunnerFileFailed);
    EXPECT_EQ(f.out, "1\t1\tID=1 : 定数  Number 3 転送\n");
    EXPECT_EQ(f.err, "message: " + FileFailureMessage(kFileCannotWrite, save) + "\n" +
                         "message: " + FileFailureMessage(kFileCannotWrite, snapshot) + "\n" +
                         "message: " + FileFailureMessage(kFileCannotWrite, picture) + "\n");
}

// In a mount namespace of its own (so that no root is needed) a 64 KiB file system holds an old
// diagram and picture and is filled up; the runner then saves over both.
TEST_F(RunnerProcess, SavingOntoAFullDiskEndsWithStatusOneAndKeepsTheOldFiles) {
    const QString file = Write("worked.qrn", BuildWorkedExample);
    const QString disk = Path("disk");
    ASSERT_TRUE(QDir().mkdir(disk));
    const char script[] = R"sh(
        mount -t tmpfs -o size=64k tmpfs "$1" || exit 100
        cp "$2" "$1/kept.qrn" && cp "$2" "$1/kept.png" || exit 101
        dd if=/dev/zero of="$1/filler" bs=1024 2>/dev/null
        "$3" --save "$1/kept.qrn" --snapshot "$1/kept.png" "$2"
        status=$?
        cmp -s "$2" "$1/kept.qrn" && cmp -s "$2" "$1/kept.png" || exit 102
        [ "$(ls -A "$1" | tr '\n' ' ')" = "filler kept.png kept.qrn " ] || exit 103
        exit $status)sh";
    const Finished f =
        RunProgram("unshare", {"-rm", "sh", "-c", script, "sh", disk, file, QUILLRUN_RUNNER_PATH},
                   dir.path(), home.path());
    if (f.status == 100) GTEST_SKIP() << "no file system can be mounted here";
    EXPECT_EQ(f.status, kRunnerFileFailed) << "102: a file changed, 103: a file was left behind";
    EXPECT_EQ(f.err, "message: " + FileFailureMessage(kFileCannotWrite, disk + "/kept.qrn") +
                         "\nmessage: " + FileFailureMessage(kFileCannotWrite, disk + "/kept.png") +
                         "\n");
}

// A user who may write a file of another but not give a file away writes it in place.
TEST_F(RunnerProcess, AFileThatTheUserMayWriteButDoesNotOwnKeepsItsOwner) {
    if (::geteuid() != 0) GTEST_SKIP() << "starting the runner as another user needs root";
    const QString file = Write("worked.qrn", BuildWorkedExample);
    const QString kept = Path("kept.qrn");
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write("old"), 3);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(kept).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const Finished f = RunProgram("setpriv",
                                  {"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                                   QUILLRUN_RUNNER_PATH, "--save", kept, file},
                                  dir.path(), home.path());
    EXPECT_EQ(f.status, kRunnerOk) << f.err.toStdString();
    EXPECT_EQ(Bytes(kept), Bytes(file));
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(kept).constData(), &after), 0);
    EXPECT_EQ(after.st_uid, 0u);
    EXPECT_EQ(after.st_gid, 0u);
    EXPECT_EQ(after.st_mode & 07777, 0666u);
}

TEST_F(RunnerProcess, AUsageErrorEndsWithStatusTwoAndTheUsage) {
    for (const QStringList& args :
         {QStringList{}, QStringList{"--steps", "x", "a.qrn"}, QStringList{"--break", "0", "a.qrn"},
          QStringList{"--json=1", "a.qrn"}, QStringList{"--grid", "a.qrn"},
          QStringList{"--language", "fr", "a.qrn"}, QStringList{"--export", "a.png"}}) {
        const Finished f = Run(args);
        EXPECT_EQ(f.status, kRunnerUsageError);
        EXPECT_EQ(f.out, "");
        EXPECT_TRUE(f.err.startsWith("quillrun-run: ")) << f.err.toStdString();
        EXPECT_TRUE(f.err.contains("Usage: quillrun-run")) << f.err.toStdString();
    }
    const Finished help = Run({"--help"});
    EXPECT_EQ(help.status, kRunnerOk);
    EXPECT_EQ(help.out, RunnerUsage());
    EXPECT_EQ(help.err, "");
}

TEST_F(RunnerProcess, TheVersionGoesToStandardOutput) {
    const Finished f = Run({"--version"});
    EXPECT_EQ(f.status, kRunnerOk);
    EXPECT_TRUE(f.out.startsWith("quillrun-run " QUILLRUN_VERSION "\n")) << f.out.toStdString();
    EXPECT_EQ(f.err, "");
}

TEST_F(RunnerProcess, AnArithmeticErrorEndsWithStatusThreeAfterTheStepsDone) {
    const QString file = Write("divide.qrn", BuildDivisionByZero);
    Finished f = Run({"--steps", "100", "--save", "stopped.qrn", file});
    EXPECT_EQ(f.status, kRunnerStoppedByError);
    EXPECT_EQ(f.out,
              "1\t1\tID=1 : 定数  Number 5 転送\n"
              "2\t2\tID=2 : 定数  Number 0 転送\n"
              "3\t3\tID=3 停止 : 0 で割ろうとしました。\n");
    EXPECT_EQ(f.err,
              "message: 要素 ID=3 「/」 でエラーが発生したため、実行を停止しました。 "
              "0 で割ろうとしました。\n");
    EXPECT_TRUE(QFile::exists(Path("stopped.qrn"))) << "the diagram is saved all the same";

    // A file that could not be written weighs more.
    f = Run({"--steps", "100", "--save", "no/such/folder/out.qrn", file});
    EXPECT_EQ(f.status, kRunnerFileFailed);

    // A text that doubles at every pass stops at its limit instead of taking all memory.
    const QString doubling = Write("doubling.qrn", [](SharedState& st) {
        AddElement(st, kConstantString, "ab", 1000, 1000);
        AddElement(st, kVariableString, "s", 3000, 1000);
        AddElement(st, kPlus, "+", 3000, 3000);
        AddConnection(st, 1, 2);
        AddConnection(st, 2, 3, "1");
        AddConnection(st, 2, 3, "2");
        AddConnection(st, 3, 2);
    });
    f = Run({"--steps", "100000", doubling});
    EXPECT_EQ(f.status, kRunnerStoppedByError);
    EXPECT_TRUE(f.out.endsWith("\t3\tID=3 停止 : " + TooLongMessage() + "\n"))
        << f.out.right(200).toStdString();
    EXPECT_TRUE(f.err.endsWith(TooLongMessage() + "\n")) << f.err.toStdString();
}

// JSON output.

TEST_F(RunnerProcess, JsonStepsSayWhatThePlainLinesSay) {
    const struct {
        QString file;
        const char* steps;
    } runs[] = {
        {QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn"), "60"},
        {Write("late.qrn", BuildLateStarters), "20"},
        {Write("worked.qrn", BuildWorkedExample), "5"},
        {Write("divide.qrn", BuildDivisionByZero), "10"},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.file.toStdString());
        const Finished plain = Run({"--steps", r.steps, r.file});
        const Finished json = Run({"--json", "--steps", r.steps, r.file});
        EXPECT_EQ(json.status, plain.status);
        EXPECT_EQ(json.err, plain.err);
        ExpectSameSteps(plain.out, JsonLines(json.out));
    }

    // A step that showed no text is null; one that showed an empty text is "".
    const std::vector<QJsonObject> late =
        JsonLines(Run({"--json", "--steps", "2", runs[1].file}).out);
    ASSERT_EQ(late.size(), 3u);
    EXPECT_TRUE(late[1].value("text").isNull());
    const std::vector<QJsonObject> worked =
        JsonLines(Run({"--json", "--steps", "4", runs[2].file}).out);
    ASSERT_EQ(worked.size(), 5u);
    EXPECT_EQ(worked[3].value("text"), QJsonValue(""));
}

TEST_F(RunnerProcess, AfterThreeStepsOfTheSampleTheSumWaitsAtTheVariable) {
    const QString sample = QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn");
    const Finished f = Run({"--steps=3", sample, "--json"});
    EXPECT_EQ(f.status, kRunnerOk);
    EXPECT_EQ(f.err, "");
    const std::vector<QJsonObject> lines = JsonLines(f.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].value("text"), QJsonValue("ID=3 演算 : Number 3 + Number 4 ⇒ Number 7"));

    const QJsonObject& report = lines[3];
    ASSERT_EQ(report.value("elements").toArray().size(), 11);
    for (int i = 1; i <= 11; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ElementOf(report, i).value("element").toInt(), i);
        EXPECT_EQ(ElementOf(report, i).keys(),
                  (QStringList{"element", "inputs", "kind", "text", "type", "value"}));
    }
    EXPECT_EQ(ElementOf(report, 1), QJsonDocument::fromJson(R"({"element":1,"kind":0,"text":"3",
        "type":"Number","value":"3","inputs":[]})")
                                        .object());
    EXPECT_EQ(ElementOf(report, 3), QJsonDocument::fromJson(R"({"element":3,"kind":5,"text":"+",
        "type":"","value":"","inputs":[[],[]]})")
                                        .object())
        << "the \"+\" took both its inputs when it fired";
    EXPECT_EQ(ElementOf(report, 4), QJsonDocument::fromJson(R"({"element":4,"kind":2,"text":"合計",
        "type":"*Undefine*","value":"","inputs":[[["Number","7"]]]})")
                                        .object());
    EXPECT_EQ(ElementOf(report, 6).value("inputs").toArray(), JsonArray("[[],[]]"));
}

TEST_F(RunnerProcess, WithoutStepsTheJsonIsTheDiagramAsLoaded) {
    const Finished f = Run({"--json", QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn")});
    EXPECT_EQ(f.status, kRunnerOk);
    const std::vector<QJsonObject> lines = JsonLines(f.out);
    ASSERT_EQ(lines.size(), 1u);
    const int kinds[] = {0, 0, 5, 2, 1, 5, 3, 0, 0, 4, 2};
    const qsizetype inputs[] = {0, 0, 2, 1, 0, 2, 1, 0, 0, 2, 1};
    ASSERT_EQ(lines[0].value("elements").toArray().size(), 11);
    for (int i = 1; i <= 11; ++i) {
        SCOPED_TRACE(i);
        const QJsonObject e = ElementOf(lines[0], i);
        EXPECT_EQ(e.value("kind").toInt(-1), kinds[i - 1]);
        const QJsonArray queues = e.value("inputs").toArray();
        EXPECT_EQ(queues.size(), inputs[i - 1]);
        for (const QJsonValue& queue : queues) EXPECT_EQ(queue.toArray(), QJsonArray());
    }
    EXPECT_EQ(ElementOf(lines[0], 5).value("value"), QJsonValue("合計は"));
    EXPECT_EQ(ElementOf(lines[0], 11).value("type"), QJsonValue("*Undefine*"));

    EXPECT_EQ(JsonLines(Run({"--json", Write("empty.qrn", [](SharedState&) {})}).out).front(),
              QJsonDocument::fromJson(R"({"elements":[]})").object());
}

TEST_F(RunnerProcess, AQueueListsItsValuesFirstToLast) {
    const Finished f = Run({"--json", "--steps", "6", Write("two.qrn", BuildTwoInOneQueue)});
    EXPECT_EQ(f.status, kRunnerOk);
    const std::vector<QJsonObject> lines = JsonLines(f.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(ElementOf(lines[6], 6).value("inputs").toArray(),
              JsonArray(R"([[["Number","3"],["Number","10"]],[]])"));
    EXPECT_EQ(ElementOf(lines[6], 1).value("inputs").toArray(),
              JsonArray(R"([[],[],[["Number","5"]]])"))
        << "a constant lists no input but one that holds a value";
}

// Breakpoints.

TEST_F(RunnerProcess, ABreakpointStopsTheRunAfterTheFirstStepOfItsElementThatActs) {
    const QString sample = QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn");
    const Finished three = Run({"--steps", "3", sample});
    Finished f = Run({"--steps", "100", "--break", "3", sample});
    EXPECT_EQ(f.status, kRunnerOk);
    EXPECT_EQ(f.err, "");
    EXPECT_EQ(f.out, three.out);
    EXPECT_EQ(three.out.count(u'\n'), 3);

    f = Run({"--json", "--steps", "100", "--break=3", sample});
    EXPECT_EQ(f.status, kRunnerOk);
    EXPECT_EQ(f.out, Run({"--json", "--steps", "3", sample}).out);
}

TEST_F(RunnerProcess, AStepOfABreakpointThatNeitherSendsNorFiresGoesOn) {
    const QString late = Write("late.qrn", BuildLateStarters);
    const QStringList all = Run({"--steps", "20", late}).out.split(u'\n');
    ASSERT_EQ(all.size(), 21);
    ASSERT_EQ(all[0], "1\t1\t転送処理なし") << "the \"+\" waits for its inputs";
    ASSERT_EQ(all[1], "2\t2") << "v has no value yet";
    ASSERT_EQ(all[6], "7\t2\tID=2 : 変数 Number 7 転送");

    const struct {
        QStringList breaks;
        int steps;
    } cases[] = {
        {{"--break", "1"}, 6},
        {{"--break", "2"}, 7},
        {{"--break", "2", "--break", "1"}, 6},
        {{"--break=1", "--break=2"}, 6},
        {{"--break", "5"}, 20},  // w sends nowhere; it is also the last element
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.breaks.join(' ').toStdString());
        const Finished f = Run(QStringList{"--steps", "20"} + c.breaks + QStringList{late});
        EXPECT_EQ(f.status, kRunnerOk);
        EXPECT_EQ(f.err, "");
        EXPECT_EQ(f.out, QStringList(all.mid(0, c.steps)).join(u'\n') + u'\n');
    }

    // The run stopped at a breakpoint saves what it left, and no breakpoint.
    ASSERT_EQ(Run({"--steps", "7", "--save", "seven.qrn", late}).status, kRunnerOk);
    ASSERT_EQ(Run({"--steps", "20", "--break", "2", "--save", "stopped.qrn", late}).status,
              kRunnerOk);
    EXPECT_EQ(Bytes(Path("stopped.qrn")), Bytes(Path("seven.qrn")));
    EXPECT_NE(Bytes(Path("stopped.qrn")), Bytes(late)) << "v holds 7";
}

TEST_F(RunnerProcess, AnArithmeticErrorAtABreakpointStillEndsWithStatusThree) {
    const QString file = Write("divide.qrn", BuildDivisionByZero);
    const Finished plain = Run({"--steps", "100", file});
    const Finished f = Run({"--steps", "100", "--break", "3", file});
    EXPECT_EQ(f.status, kRunnerStoppedByError);
    EXPECT_EQ(f.out, plain.out);
    EXPECT_EQ(f.err, plain.err);
}

TEST_F(RunnerProcess, ABreakpointBeyondTheDiagramIsAUsageErrorBeforeAnythingRuns) {
    const QString file = Write("worked.qrn", BuildWorkedExample);
    const Finished f =
        Run({"--steps", "5", "--break", "4", "--break", "5", "--json", "--save", "x.qrn", file});
    EXPECT_EQ(f.status, kRunnerUsageError);
    EXPECT_EQ(f.out, "");
    EXPECT_EQ(f.err, "quillrun-run: --break 5: the diagram has no element 5\n");
    EXPECT_FALSE(QFile::exists(Path("x.qrn")));
}

TEST_F(RunnerProcess, LoadingDropsUnfinishedConnectionsWithTheProgramsMessage) {
    const QString file = Write("loose.qrn", [](SharedState& st) {
        BuildWorkedExample(st);
        AddConnection(st, 4, 77);  // names no element: loading takes its destination
    });
    const Finished f = Run({"--save", "clean.qrn", file});
    EXPECT_EQ(f.status, kRunnerOk);
    EXPECT_EQ(f.err, "message: " + PurgeMessage(4) + "\n");

    auto p = std::make_unique<TestProgram>();
    ASSERT_TRUE(LoadDiagram(p->s, Path("clean.qrn")));
    EXPECT_EQ(p->st.Diagram.ConnCount, 3);
}

}  // namespace
