#include "app/views/diagram_printing.h"

#include "app/file_commands.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

bool PrintPicture(QPrinter& printer, const DiagramPicture& picture, Prompter& ui) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (!printer.outputFileName().isEmpty())
            ui.Message(FileFailureMessage(kFileCannotWrite, printer.outputFileName()));
        return false;
    }
    // The painter's origin is the top-left corner of the page's printable part.
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    PaintPictureFitted(painter, picture, page);
    return painter.end();
}

void ShowPrintPreview(QWidget* parent, Session& s) {
    const DiagramPicture picture = TakeDiagramPicture(s.st, s.canvas, false);
    QPrinter printer(QPrinter::HighResolution);
    const QString name = QFileInfo(s.st.FileName).completeBaseName();
    printer.setDocName(name.isEmpty() ? QStringLiteral("Quillrun") : name);
    // A diagram wider than high is printed across the paper.
    printer.setPageOrientation(picture.area.width() > picture.area.height()
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) { PrintPicture(*target, picture, s.ui); });
    preview.exec();
}
