#include "app/diagram_export.h"

#include "app/export_dialog.h"
#include "app/file_commands.h"
#include "app/file_writing.h"
#include "app/png_encoding.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/diagram_picture.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <optional>

const QString kExportFilter = QStringLiteral("PNG(*.png)|*.png|SVG(*.svg)|*.svg|PDF(*.pdf)|*.pdf");
const QString kSvgMimeType = QStringLiteral("image/svg+xml");

namespace {

// The largest scale a PNG picture is made at.
constexpr int kLargestScale = 4;

std::optional<ExportFormat> FormatOfExtension(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"png") return ExportFormat::Png;
    if (suffix == u"svg") return ExportFormat::Svg;
    if (suffix == u"pdf") return ExportFormat::Pdf;
    return std::nullopt;
}

// The title an SVG or PDF document carries: the diagram file's name.
QString TitleOf(const SharedState& st) {
    const QString name = QFileInfo(st.FileName).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Quillrun") : name;
}

}  // namespace

ExportFormat ExportFormatOf(const QString& path) {
    return FormatOfExtension(path).value_or(ExportFormat::Png);
}

QString WithExportExtension(const QString& path) {
    if (QFileInfo(path).fileName().isEmpty() || FormatOfExtension(path)) return path;
    return path + QStringLiteral(".png");
}

QString ProposedExportName(const QString& diagramFile) {
    if (diagramFile.isEmpty()) return QString();
    const QFileInfo info(diagramFile);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".png"));
}

QByteArray ExportBytes(const Session& s, ExportFormat format, const ExportOptions& options) {
    const DiagramPicture picture = TakeDiagramPicture(s.st, s.canvas, options.grid);
    switch (format) {
        case ExportFormat::Svg:
            return PictureSvg(picture, TitleOf(s.st));
        case ExportFormat::Pdf:
            return PicturePdf(picture, TitleOf(s.st));
        case ExportFormat::Png:
            break;
    }
    return EncodePng(PictureImage(picture, std::clamp(options.scale, 1, kLargestScale)));
}

bool ExportDiagram(Session& s, const QString& path, const ExportOptions& options) {
    const QByteArray bytes = ExportBytes(s, ExportFormatOf(path), options);
    if (bytes.isEmpty() || !WriteFileSafely(path, bytes)) {
        s.ui.Message(FileFailureMessage(kFileCannotWrite, path));
        return false;
    }
    return true;
}

QMimeData* DiagramMimeData(const Session& s) {
    const DiagramPicture picture = TakeDiagramPicture(s.st, s.canvas, false);
    auto* data = new QMimeData;
    data->setImageData(PictureImage(picture, 1));
    data->setData(kSvgMimeType, PictureSvg(picture, TitleOf(s.st)));
    return data;
}

void frmMain::mnuFileExport_Click(Session& s) {
    const std::optional<QString> chosen =
        s.ui.SaveFileName(kExportFilter, ProposedExportName(s.st.FileName));
    if (!chosen || chosen->isEmpty()) return;
    const QString path = WithExportExtension(*chosen);
    ExportDialog dialog(ExportFormatOf(path), s.st.GridSize > 0);
    s.ui.ShowExportDialog(dialog);
    if (!dialog.Accepted()) return;
    ExportDiagram(s, path, dialog.Options());
}

void frmMain::mnuEditCopyPicture_Click(Session& s) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(DiagramMimeData(s));
}
