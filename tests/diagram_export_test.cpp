// Pictures of the diagram: PNG, SVG and PDF files of the sample against the canvas, the export
// command with its dialog, the clipboard's picture, printing into a PDF file, and the failures.

#include "app/diagram_export.h"
#include "app/export_dialog.h"
#include "app/file_commands.h"
#include "app/views/diagram_printing.h"
#include "engine/run_control.h"
#include "engine/run_menu.h"
#include "picture_compare.h"
#include "render/diagram_picture.h"
#include "render/renderer.h"
#include "small_disk.h"
#include "test_files.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <memory>

namespace {

const QString kSample = QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn");
// Every label of the sample diagram, the elements' and the connections'.
const QStringList kSampleLabels = {"合計", "合計は", "表示", "mod", "余り", "17", "+"};

// Runs a poppler tool; its standard output.
QByteArray Poppler(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    EXPECT_FALSE(program.isEmpty())
        << tool.toStdString() << " is missing: scripts/setup.sh installs poppler-utils";
    if (program.isEmpty()) return {};
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

// The first page of a PDF file as pixels, at dpi dots to the inch.
QImage PdfPage(const QString& pdf, int dpi, const QString& folder) {
    const QString stem = QDir(folder).filePath("page");
    Poppler("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, stem});
    return QImage(stem + ".png");
}

QString PdfText(const QString& pdf) {
    return QString::fromUtf8(Poppler("pdftotext", {"-enc", "UTF-8", pdf, "-"}));
}

// The texts of an SVG document's text elements.
QStringList SvgTexts(const QByteArray& svg) {
    QStringList texts;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text")
            texts << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

int SvgElements(const QByteArray& svg, QStringView name) {
    int n = 0;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name) ++n;
    return n;
}

// An SVG document drawn back with Qt SVG onto a white picture of the given size.
QImage SvgPicture(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

struct DiagramExport : ::testing::Test {
    std::unique_ptr<TestProgram> p = std::make_unique<TestProgram>();

    QString Path(const QString& name) const { return p->PathInFolder(name); }

    // The sample, initialised and stepped until the canvas shows a highlighted element and a
    // connection that carried a value.
    void StepTheSample() {
        ASSERT_TRUE(LoadDiagram(p->s, kSample));
        frmMain::Command1_Click(p->s);
        for (int n = 0; n < 20; ++n) {
            frmMain::mnuRunStep_Click(p->s);
            if (p->canvas.Shown.highlight >= 1 && p->canvas.Shown.active.any()) break;
        }
        p->ui.TakeMessages();
        ASSERT_GE(p->canvas.Shown.highlight, 1);
        ASSERT_TRUE(p->canvas.Shown.active.any());
    }

    QByteArray Export(const QString& name, const ExportOptions& options = {}) {
        const QString path = Path(name);
        EXPECT_TRUE(ExportDiagram(p->s, path, options));
        return ReadFile(path);
    }

    QImage ExportPng(const ExportOptions& options = {}) {
        return QImage::fromData(Export("picture.png", options), "PNG");
    }

    // Where the picture lies on the canvas, in canvas pixels.
    QRect PictureOnCanvas() const {
        const DiagramPicture picture = TakeDiagramPicture(p->st, p->canvas, false);
        const double ux = picture.unitsX, uy = picture.unitsY;
        const QPointF origin = p->canvas.Picture2.Origin();
        const QPointF first = picture.FirstPixel();
        return QRect(QPoint(static_cast<int>(std::lround((first.x() - origin.x()) / ux)),
                            static_cast<int>(std::lround((first.y() - origin.y()) / uy))),
                     picture.PixelSize());
    }
};

}  // namespace

TEST_F(DiagramExport, APngAtTheCanvasScaleWithTheGridIsTheCanvasPixelForPixel) {
    StepTheSample();
    ExportOptions options;
    options.grid = true;
    const QImage png = ExportPng(options);
    const QRect on = PictureOnCanvas();
    ASSERT_EQ(png.size(), on.size());
    // The margin may reach beyond the canvas; the rest is the canvas's.
    const QRect both = on.intersected(p->canvas.Picture1().rect());
    ASSERT_GT(both.width() * both.height(), on.width() * on.height() * 9 / 10);
    const QImage shown = p->canvas.Picture1().copy(both).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(png.copy(both.translated(-on.topLeft())).convertToFormat(QImage::Format_RGB32) ==
                shown);
    // The run as the canvas shows it.
    EXPECT_GT(PixelsOf(png, kYellow), 0);
    EXPECT_GT(PixelsOf(png, kRed), 0);
}

TEST_F(DiagramExport, APictureIsTrimmedToTheDiagramAndHasNoGridUnlessAsked) {
    StepTheSample();
    const QImage png = ExportPng();
    EXPECT_EQ(PixelsOf(png, kGridColour), 0);
    EXPECT_GT(PixelsOf(p->canvas.Picture1(), kGridColour), 0);
    // The margin is white all round, and a diagram's figure lies just inside it on each side.
    auto darkInRow = [&](int y) {
        for (int x = 0; x < png.width(); ++x)
            if (png.pixel(x, y) != 0xFFFFFFFFu) return true;
        return false;
    };
    auto darkInColumn = [&](int x) {
        for (int y = 0; y < png.height(); ++y)
            if (png.pixel(x, y) != 0xFFFFFFFFu) return true;
        return false;
    };
    const int m = kPictureMargin;
    for (int k = 0; k < m - 2; ++k) {
        EXPECT_FALSE(darkInRow(k)) << k;
        EXPECT_FALSE(darkInRow(png.height() - 1 - k)) << k;
        EXPECT_FALSE(darkInColumn(k)) << k;
        EXPECT_FALSE(darkInColumn(png.width() - 1 - k)) << k;
    }
    EXPECT_TRUE(darkInRow(m + 1) || darkInRow(m + 2));
    EXPECT_TRUE(darkInColumn(m + 1) || darkInColumn(m + 2));
    EXPECT_LT(png.width(), p->canvas.Picture1().width());
}

TEST_F(DiagramExport, ThePictureLeavesOutTheSelectionAndThePanel) {
    StepTheSample();
    const QImage before = ExportPng();
    p->st.SelKind = kSelElement;
    p->st.SelIndex = p->canvas.Shown.highlight == 1 ? 2 : 1;  // a highlight hides the blue
    p->frm.Frame1Visible = true;
    RedrawDiagram(p->s, p->canvas.Shown.highlight);
    ASSERT_GT(PixelsOf(p->canvas.Picture1(), kBlue), 0);
    const QImage png = ExportPng();
    EXPECT_EQ(PixelsOf(png, kBlue), 0);
    EXPECT_TRUE(png == before);
}

TEST_F(DiagramExport, LargerPngPicturesScaleEveryLine) {
    StepTheSample();
    const QImage one = ExportPng();
    for (const int scale : {2, 4}) {
        ExportOptions options;
        options.scale = scale;
        const QImage larger = ExportPng(options);
        ASSERT_EQ(larger.size(), one.size() * scale) << scale;
        const QImage back =
            larger.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_EQ(UncoveredDarkPixels(one, back, 2), 0) << scale;
        EXPECT_EQ(UncoveredDarkPixels(back, one, 2), 0) << scale;
        EXPECT_GT(PixelsOf(larger, kYellow), 0);
    }
}

TEST_F(DiagramExport, TheSvgDrawsThePngsLinesWithCirclesAndItsLabelsAsText) {
    StepTheSample();
    const QImage png = ExportPng();
    const QByteArray svg = Export("picture.svg");
    ASSERT_TRUE(svg.startsWith("<?xml"));
    const QImage drawn = SvgPicture(svg, png.size());
    EXPECT_EQ(UncoveredDarkPixels(png, drawn, 2), 0);
    EXPECT_EQ(UncoveredDarkPixels(drawn, png, 2), 0);
    EXPECT_GT(PixelsOf(drawn, kYellow), 0);

    const QStringList texts = SvgTexts(svg);
    for (const QString& label : kSampleLabels)
        EXPECT_TRUE(texts.contains(label)) << label.toStdString();
    EXPECT_TRUE(svg.contains("font-family=\"IPAGothic\""));
    EXPECT_EQ(SvgElements(svg, u"image"), 0) << "nothing drawn as pixels";
    EXPECT_EQ(SvgElements(svg, u"ellipse") + SvgElements(svg, u"circle"), p->st.Diagram.ElemCount);
}

TEST_F(DiagramExport, ThePdfDrawsThePngsLinesAndItsTextHoldsTheLabels) {
    StepTheSample();
    const QImage png = ExportPng();
    Export("picture.pdf");
    // A canvas pixel is 15 twips, a point 20: the page at 96 dots to the inch has the PNG's size.
    const QImage page = PdfPage(Path("picture.pdf"), 96, p->folder.path());
    ASSERT_FALSE(page.isNull());
    ASSERT_LE(std::abs(page.width() - png.width()), 1);
    ASSERT_LE(std::abs(page.height() - png.height()), 1);
    const QImage same = page.copy(QRect(QPoint(0, 0), png.size()));
    EXPECT_EQ(UncoveredDarkPixels(png, same, 2), 0);
    EXPECT_EQ(UncoveredDarkPixels(same, png, 2), 0);

    const QString text = PdfText(Path("picture.pdf"));
    for (const QString& label : kSampleLabels)
        EXPECT_TRUE(text.contains(label)) << label.toStdString();
}

TEST_F(DiagramExport, AnEmptyDiagramGivesAWhitePictureOfTheMarginAlone) {
    const QImage png = ExportPng();
    EXPECT_EQ(png.size(), QSize(2 * kPictureMargin + 1, 2 * kPictureMargin + 1));
    EXPECT_EQ(PixelsOf(png, kWhite), png.width() * png.height());
    EXPECT_TRUE(SvgTexts(Export("empty.svg")).isEmpty());
    EXPECT_TRUE(Export("empty.pdf").startsWith("%PDF"));
}

TEST_F(DiagramExport, TheFormatFollowsTheExtensionAndANameWithoutOneGetsPng) {
    EXPECT_EQ(ExportFormatOf("a.png"), ExportFormat::Png);
    EXPECT_EQ(ExportFormatOf("a.SVG"), ExportFormat::Svg);
    EXPECT_EQ(ExportFormatOf("/x/a.Pdf"), ExportFormat::Pdf);
    EXPECT_EQ(ExportFormatOf("a.jpg"), ExportFormat::Png);
    EXPECT_EQ(WithExportExtension("/x.y/a"), "/x.y/a.png");
    EXPECT_EQ(WithExportExtension("a.svg"), "a.svg");
    EXPECT_EQ(WithExportExtension("a.PDF"), "a.PDF");
    EXPECT_EQ(WithExportExtension("a.jpg"), "a.jpg.png");
    EXPECT_EQ(ProposedExportName("/x/testData5.qrn"), "/x/testData5.png");
    EXPECT_EQ(ProposedExportName(""), "");

    ASSERT_TRUE(LoadDiagram(p->s, kSample));
    EXPECT_TRUE(Export("named.svg").startsWith("<?xml"));
    EXPECT_TRUE(Export("named.pdf").startsWith("%PDF"));
    EXPECT_TRUE(Export("named.png").startsWith("\x89PNG"));
    EXPECT_TRUE(Export("named.txt").startsWith("\x89PNG"));
}

TEST_F(DiagramExport, TheCommandAsksForTheFileThenTheOptionsAndWritesThePicture) {
    StepTheSample();
    p->ui.fileAnswers.push_back(Path("chosen"));
    p->ui.exportScripts.push_back([](ExportDialog& d) {
        EXPECT_TRUE(d.ScaleApplies());
        EXPECT_TRUE(d.GridApplies());
        EXPECT_EQ(d.Options().scale, 1);
        EXPECT_FALSE(d.Options().grid);
        d.SetScaleIndex(1);
        d.IncludeGrid = true;
        d.Confirm();
    });
    frmMain::mnuFileExport_Click(p->s);
    ASSERT_EQ(p->ui.fileQuestions.size(), 1u);
    EXPECT_TRUE(p->ui.fileQuestions[0].save);
    EXPECT_EQ(p->ui.fileQuestions[0].filter, kExportFilter);
    EXPECT_EQ(p->ui.fileQuestions[0].proposed, ProposedExportName(kSample));
    const QImage png(Path("chosen.png"));
    const DiagramPicture picture = TakeDiagramPicture(p->st, p->canvas, true);
    EXPECT_EQ(png.size(), picture.PixelSize() * 2);
    EXPECT_GT(PixelsOf(png, kGridColour), 0);

    // For a document the scale does not apply; 取消 writes nothing.
    p->ui.fileAnswers.push_back(Path("chosen.svg"));
    p->ui.exportScripts.push_back([](ExportDialog& d) {
        EXPECT_FALSE(d.ScaleApplies());
        d.SetScaleIndex(2);
        EXPECT_EQ(d.ScaleIndex(), 0);
        d.Cancel();
    });
    frmMain::mnuFileExport_Click(p->s);
    EXPECT_FALSE(QFileInfo::exists(Path("chosen.svg")));

    // Cancelling the file dialog asks nothing more.
    p->ui.fileAnswers.push_back(std::nullopt);
    frmMain::mnuFileExport_Click(p->s);
    EXPECT_EQ(p->ui.exportDialogs, 2);
}

TEST_F(DiagramExport, WithoutAGridOnTheCanvasTheGridCannotBeIncluded) {
    ASSERT_TRUE(LoadDiagram(p->s, kSample));
    p->st.GridSize = 0;
    p->ui.fileAnswers.push_back(Path("nogrid.png"));
    p->ui.exportScripts.push_back([](ExportDialog& d) {
        EXPECT_FALSE(d.GridApplies());
        d.IncludeGrid = true;
        EXPECT_FALSE(d.Options().grid);
        d.Confirm();
    });
    frmMain::mnuFileExport_Click(p->s);
    EXPECT_EQ(PixelsOf(QImage(Path("nogrid.png")), kGridColour), 0);
}

TEST_F(DiagramExport, AFolderThatDoesNotExistOrAFolderInTheWaySaysSoAndWritesNothing) {
    ASSERT_TRUE(LoadDiagram(p->s, kSample));
    for (const QString name : {"missing/a.png", "missing/a.svg", "missing/a.pdf"}) {
        const QString path = Path(name);
        EXPECT_FALSE(ExportDiagram(p->s, path, {}));
        EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotWrite, path)}));
        EXPECT_FALSE(QFileInfo::exists(path));
    }
    const QString folder = Path("taken.png");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(ExportDiagram(p->s, folder, {}));
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotWrite, folder)}));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(DiagramExport, AFullDiskSaysSoAndKeepsTheOldFile) {
    SmallDisk disk;
    if (!disk.mounted) GTEST_SKIP() << disk.reason;
    ASSERT_TRUE(LoadDiagram(p->s, kSample));
    for (const QString name : {"kept.png", "kept.svg", "kept.pdf"}) {
        const QString path = disk.Path(name);
        WriteFile(path, "the old picture");
    }
    ASSERT_TRUE(disk.Fill());
    for (const QString name : {"kept.png", "kept.svg", "kept.pdf"}) {
        const QString path = disk.Path(name);
        EXPECT_FALSE(ExportDiagram(p->s, path, {}));
        EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotWrite, path)}));
        EXPECT_EQ(ReadFile(path), "the old picture");
    }
    EXPECT_EQ(QDir(disk.dir.path()).entryList(QDir::Files).size(), 4);
}

TEST_F(DiagramExport, APngTooLargeToHoldSaysSoWhileAnSvgIsWritten) {
    AddElement(p->st, kConstantNumber, "far", 600, 600);
    AddElement(p->st, kConstantNumber, "away", 600 + 15.0 * 20000, 600);
    RedrawDiagram(p->s, -1);
    const QString path = Path("huge.png");
    EXPECT_FALSE(ExportDiagram(p->s, path, {}));
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotWrite, path)}));
    EXPECT_FALSE(QFileInfo::exists(path));
    const QStringList texts = SvgTexts(Export("huge.svg"));
    EXPECT_TRUE(texts.contains("far") && texts.contains("away"));
}

TEST_F(DiagramExport, CopyPicturePutsTheImageAndTheSvgOnTheClipboard) {
    StepTheSample();
    p->st.SelKind = kSelElement;
    p->st.SelIndex = 2;
    RedrawDiagram(p->s, p->canvas.Shown.highlight);
    frmMain::mnuEditCopyPicture_Click(p->s);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasImage());
    p->st.SelKind.clear();
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_TRUE(image.convertToFormat(QImage::Format_RGB32) ==
                ExportPng().convertToFormat(QImage::Format_RGB32));
    const QByteArray svg = data->data(kSvgMimeType);
    EXPECT_TRUE(svg.startsWith("<?xml"));
    EXPECT_TRUE(SvgTexts(svg).contains("合計"));
}

TEST_F(DiagramExport, PrintingIntoAPdfFileFitsTheDiagramOnThePageCentred) {
    StepTheSample();
    const DiagramPicture picture = TakeDiagramPicture(p->st, p->canvas, false);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    const QString path = Path("printed.pdf");
    printer.setOutputFileName(path);
    ASSERT_TRUE(PrintPicture(printer, picture, p->ui));

    const QString text = PdfText(path);
    for (const QString& label : kSampleLabels)
        EXPECT_TRUE(text.contains(label)) << label.toStdString();
    const QImage page = PdfPage(path, 50, p->folder.path());
    ASSERT_FALSE(page.isNull());
    // The dark pixels reach the printable part's edges on one axis and lie centred on both.
    QRect dark;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (IsDark(page.pixel(x, y))) dark |= QRect(x, y, 1, 1);
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Inch);
    const QRectF full = printer.pageLayout().fullRect(QPageLayout::Inch);
    const double k = page.width() / full.width();  // pixels to the inch
    const QRectF area(printable.left() * k, printable.top() * k, printable.width() * k,
                      printable.height() * k);
    EXPECT_NEAR(dark.center().x(), area.center().x(), 3);
    EXPECT_NEAR(dark.center().y(), area.center().y(), 3);
    const double widthFit = dark.width() / area.width(), heightFit = dark.height() / area.height();
    EXPECT_GT(std::max(widthFit, heightFit), 0.9);
    EXPECT_LE(std::max(widthFit, heightFit), 1.0);

    // A file that cannot be made.
    const QString missing = Path("missing/printed.pdf");
    printer.setOutputFileName(missing);
    EXPECT_FALSE(PrintPicture(printer, picture, p->ui));
    EXPECT_EQ(p->ui.TakeMessages(), QStringList({FileFailureMessage(kFileCannotWrite, missing)}));
}
