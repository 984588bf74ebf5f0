// Sharing the diagram from the real window: エクスポート through the file dialog and the options
// dialog, 印刷 through the print preview and the print dialog into a PDF file, and 画像をコピー
// with its keys.

#include "app/diagram_export.h"
#include "app/file_filter.h"
#include "app/views/export_dialog_view.h"
#include "picture_compare.h"
#include "render/diagram_picture.h"
#include "window_support.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

// The window with the sample diagram open and stepped once.
struct SampleWindow {
    QTemporaryDir folder;
    std::unique_ptr<MainWindow> w;

    SampleWindow() {
        PutTheSampleIn(folder);
        w = std::make_unique<MainWindow>(folder.path());
        ShowActive(*w);
        Action("mnuFileSample")->trigger();
        w->findChild<QPushButton*>("Command1")->click();  // 初期化
        QTest::keyClick(w.get(), Qt::Key_F8);             // 1ステップ実行
        Settle(*w);
    }

    QAction* Action(const char* name) const { return w->findChild<QAction*>(name); }
    QString Path(const QString& name) const { return folder.filePath(name); }
};

// Saves a copy of a file beside the screenshots, when they are kept.
void KeepBesideScreenshots(const QString& path) {
    const QString folder = qEnvironmentVariable("QUILLRUN_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    const QString copy = QDir(folder).filePath(QFileInfo(path).fileName());
    QFile::remove(copy);
    QFile::copy(path, copy);
}

// Answers the modal window that opens over open, a modal window still showing, once it is on the
// screen; fails the test when none appears within five seconds.
void AnswerModalOver(QWidget* open, std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(qApp);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(timer, &QTimer::timeout, [timer, waited, open, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == open || !modal->isVisible()) {
            if (waited->elapsed() < 5000) return;
            ADD_FAILURE() << "no modal window opened over the first";
        } else {
            answer(modal);
        }
        timer->stop();
        timer->deleteLater();
    });
    timer->start(20);
}

}  // namespace

TEST(ExportWindow, ExportAsksForTheFileAndTheOptionsAndWritesThePicture) {
    SampleWindow sw;
    QStringList filters;
    bool scaleEnabled = false, gridEnabled = false;
    AnswerModals({[&](QWidget* modal) {
                      auto* dialog = qobject_cast<QFileDialog*>(modal);
                      ASSERT_NE(dialog, nullptr);
                      filters = dialog->nameFilters();
                      Screenshot(*dialog, "export-file-dialog");
                      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                      ASSERT_NE(name, nullptr);
                      name->setText(sw.Path("shared"));
                      QTest::keyClick(name, Qt::Key_Return);
                  },
                  [&](QWidget* modal) {
                      auto* dialog = dynamic_cast<ExportDialogView*>(modal);
                      ASSERT_NE(dialog, nullptr);
                      EXPECT_EQ(dialog->windowTitle(), "エクスポート");
                      auto* grid = dialog->findChild<QCheckBox*>("IncludeGrid");
                      EXPECT_EQ(grid->text(), "グリッドを含める");
                      scaleEnabled = dialog->findChild<QRadioButton*>("Scale2")->isEnabled();
                      gridEnabled = grid->isEnabled();
                      QTest::mouseClick(dialog->findChild<QRadioButton*>("Scale2"), Qt::LeftButton);
                      QTest::mouseClick(grid, Qt::LeftButton);
                      Screenshot(*dialog, "export-dialog");
                      QTest::keyClick(dialog, Qt::Key_Return);
                  }});
    // The entries as the File menu shows them.
    auto* file = sw.w->findChild<QMenu*>("mnuFile");
    file->popup(sw.w->mapToGlobal(QPoint(0, 0)));
    Screenshot(*file, "file-menu");
    file->hide();
    sw.Action("mnuFileExport")->trigger();
    EXPECT_EQ(filters, QtNameFilters(kExportFilter));
    EXPECT_TRUE(scaleEnabled);
    EXPECT_TRUE(gridEnabled);
    const QImage png(sw.Path("shared.png"));
    ASSERT_FALSE(png.isNull());
    const Session& s = sw.w->session();
    EXPECT_EQ(png.size(), TakeDiagramPicture(s.st, s.canvas, true).PixelSize() * 2);
    EXPECT_GT(PixelsOf(png, kGridColour), 0);
    KeepBesideScreenshots(sw.Path("shared.png"));

    // An SVG document: the scale is not asked; Escape cancels and writes nothing.
    AnswerModals({[&](QWidget* modal) {
                      auto* name = modal->findChild<QLineEdit*>("fileNameEdit");
                      ASSERT_NE(name, nullptr);
                      // Set at once: typing would open the completer's list of shared.png.
                      name->setText(sw.Path("shared.svg"));
                      QTest::keyClick(name, Qt::Key_Return);
                  },
                  [&](QWidget* modal) {
                      scaleEnabled = modal->findChild<QRadioButton*>("Scale2")->isEnabled();
                      QTest::keyClick(modal, Qt::Key_Escape);
                  }});
    sw.Action("mnuFileExport")->trigger();
    EXPECT_FALSE(scaleEnabled);
    EXPECT_FALSE(QFileInfo::exists(sw.Path("shared.svg")));
}

TEST(ExportWindow, PrintShowsThePreviewAndPrintsIntoAPdfFileThroughThePrintDialog) {
    SampleWindow sw;
    const QString pdf = sw.Path("printed.pdf");
    bool printDialogShown = false;
    AnswerModal([&](QWidget* modal) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
        ASSERT_NE(preview, nullptr);
        preview->resize(900, 700);
        Screenshot(*preview, "print-preview");
        preview->printer()->setOutputFormat(QPrinter::PdfFormat);
        preview->printer()->setOutputFileName(pdf);
        AnswerModalOver(preview, [&](QWidget* over) {
            auto* dialog = qobject_cast<QPrintDialog*>(over);
            ASSERT_NE(dialog, nullptr);
            printDialogShown = true;
            Screenshot(*dialog, "print-dialog");
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr);
            buttons->button(QDialogButtonBox::Ok)->click();
        });
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction* action : preview->findChildren<QAction*>()) {
            if (action->text() == print) {
                action->trigger();  // the print dialog, then the preview close
                return;
            }
        }
        ADD_FAILURE() << "no print action in the preview";
        preview->reject();
    });
    QTest::keyClick(sw.w.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(printDialogShown);
    ASSERT_TRUE(QFileInfo::exists(pdf));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    KeepBesideScreenshots(pdf);
}

TEST(ExportWindow, CopyPictureWithItsKeysPutsTheImageAndTheSvgOnTheClipboard) {
    SampleWindow sw;
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(sw.w.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::qWait(50);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    const Session& s = sw.w->session();
    EXPECT_EQ(image.size(), TakeDiagramPicture(s.st, s.canvas, false).PixelSize());
    const QByteArray svg = data->data(kSvgMimeType);
    EXPECT_TRUE(svg.startsWith("<?xml"));
    EXPECT_TRUE(svg.contains(">合計は</text>"));
}
