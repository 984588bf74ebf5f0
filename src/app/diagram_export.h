#pragma once
// Sharing the diagram: ファイル > エクスポート writes a picture of it (render/diagram_picture) as a
// PNG, SVG or PDF file, 編集 > 画像をコピー puts it on the clipboard, and ExportDiagram writes one
// without any window, for the runner as for the menu.

#include "app/export_options.h"

#include <QByteArray>
#include <QString>

class QMimeData;
struct Session;

extern const QString kExportFilter;  // "PNG(*.png)|*.png|SVG(*.svg)|*.svg|PDF(*.pdf)|*.pdf"
// The clipboard's type of an SVG document.
extern const QString kSvgMimeType;  // "image/svg+xml"

// The format a file's extension names, in any letter case; PNG for any other name.
ExportFormat ExportFormatOf(const QString& path);
// A name whose extension is not .png, .svg or .pdf gets ".png", as エクスポート adds it.
QString WithExportExtension(const QString& path);
// What エクスポート proposes: the diagram file's name with ".png", or nothing without one.
QString ProposedExportName(const QString& diagramFile);

// The file's bytes; empty when the picture cannot be made (a PNG picture too large to hold).
QByteArray ExportBytes(const Session& s, ExportFormat format, const ExportOptions& options);
// Writes the picture to path in the format of its extension (a PNG for any other). Returns false
// (after telling the person) when it could not be written; an existing file is then left as it
// was (see WriteFileSafely).
bool ExportDiagram(Session& s, const QString& path, const ExportOptions& options);

// The picture as the clipboard takes it: the canvas-sized image and the SVG document. The
// caller owns it.
QMimeData* DiagramMimeData(const Session& s);

namespace frmMain {

// Asks for the file, then for the scale and the grid, then writes the picture.
void mnuFileExport_Click(Session& s);
void mnuEditCopyPicture_Click(Session& s);

}  // namespace frmMain
