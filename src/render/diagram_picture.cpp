#include "render/diagram_picture.h"

#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/figure_painter.h"
#include "render/renderer.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <cmath>

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kTwipsPerInch = 1440;

// The pixel of the canvas, counted from its origin, that holds v, or the one after it.
double PixelBelow(double v, double origin, double units) {
    return std::floor((v - origin) / units);
}
double PixelAbove(double v, double origin, double units) {
    return std::ceil((v - origin) / units);
}

// The extent in whole pixels of the canvas, with the margin around it. The canvas's pixel n is
// centred on the point n pixels from its origin, so the area reaches half a pixel beyond the
// centres of its first and last pixels.
QRectF PixelArea(const QRectF& extent, QPointF origin, double ux, double uy) {
    const double left = PixelBelow(extent.left(), origin.x(), ux) - kPictureMargin;
    const double top = PixelBelow(extent.top(), origin.y(), uy) - kPictureMargin;
    const double right = PixelAbove(extent.right(), origin.x(), ux) + kPictureMargin;
    const double bottom = PixelAbove(extent.bottom(), origin.y(), uy) + kPictureMargin;
    return QRectF(QPointF(origin.x() + (left - 0.5) * ux, origin.y() + (top - 0.5) * uy),
                  QPointF(origin.x() + (right + 0.5) * ux, origin.y() + (bottom + 0.5) * uy));
}

// Qt's SVG writer gives each run of one script in a label (kanji, kana, Latin letters) a text
// element of its own. The runs of a label, one after the other on one baseline with the same
// attributes, are joined again into its first element, so that a viewer finds and copies the
// label as it is written; the viewer lays the runs out in the same face, one after the other.
QByteArray JoinTextRuns(const QByteArray& svg) {
    static const QRegularExpression runs(QStringLiteral(
        R"re((<text ([^>]*?) x="[^"]*" y="([^"]*)" ([^>]*)>)([^<]*)</text>\n<text \2 x="[^"]*" )re"
        R"re(y="\3" \4>([^<]*)</text>)re"));
    QString text = QString::fromUtf8(svg);
    if (!text.contains(runs)) return svg;
    for (qsizetype before = -1; before != text.size();) {
        before = text.size();
        text.replace(runs, QStringLiteral("\\1\\5\\6</text>"));
    }
    return text.toUtf8();
}

void PaintPicture(QPainter& painter, const DiagramPicture& picture) {
    PaintFigures(painter, picture.grid, picture.unitsX);
    PaintFigures(painter, picture.diagram, picture.unitsX);
}

// Played onto a surface of the picture's size with the canvas's scale, as the canvas draws.
QImage CanvasPixels(const DiagramPicture& picture) {
    Surface surface;
    const QSize size = picture.PixelSize();
    surface.Resize(size.width(), size.height());
    const QPointF first = picture.FirstPixel();
    surface.SetPixelScale(first.x(), first.y(), picture.unitsX, picture.unitsY);
    for (const FigureList* list : {&picture.grid, &picture.diagram})
        for (const Figure& f : list->figures) surface.DrawFigure(*list, f);
    return surface.Image();
}

}  // namespace

QSize DiagramPicture::PixelSize() const {
    return QSize(static_cast<int>(std::lround(area.width() / unitsX)),
                 static_cast<int>(std::lround(area.height() / unitsY)));
}

QPointF DiagramPicture::FirstPixel() const {
    return area.topLeft() + QPointF(unitsX / 2, unitsY / 2);
}

DiagramPicture TakeDiagramPicture(const SharedState& st, const Canvas& canvas, bool grid) {
    DiagramPicture picture;
    const Surface& shown = canvas.Picture2;
    // In the desktop's pixels, whatever the screen's scaling: 1× is the canvas as a person sees it.
    picture.unitsX = shown.UnitsPerLogicalPixelX();
    picture.unitsY = shown.UnitsPerLogicalPixelY();

    Surface recorder;
    DiagramFigures frame;
    const DiagramLook look{false, &canvas.Shown};
    RecordDiagram(recorder, st, canvas.Shown.highlight, frame, false, look);
    picture.diagram = std::move(frame.list);

    QRectF extent = FigureExtent(picture.diagram, picture.unitsX);
    if (extent.isNull()) extent = QRectF(shown.Origin(), QSizeF(0, 0));
    picture.area = PixelArea(extent, shown.Origin(), picture.unitsX, picture.unitsY);

    if (grid && st.GridSize > 0) {
        recorder.SetDrawWidth(1);
        recorder.RecordFigures(&picture.grid, false);
        DrawGridLinesOver(recorder, st.GridSize, picture.area);
        recorder.RecordFigures(nullptr, true);
    }
    return picture;
}

QImage PictureImage(const DiagramPicture& picture, int scale) {
    scale = std::max(scale, 1);
    const QSize size = picture.PixelSize();
    if (size.width() > kLargestPictureSide / scale || size.height() > kLargestPictureSide / scale)
        return QImage();
    if (scale == 1) return CanvasPixels(picture);
    QImage image(size * scale, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(kWhite);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale / picture.unitsX, scale / picture.unitsY);
    painter.translate(-picture.area.topLeft());
    PaintPicture(painter, picture);
    return image;
}

QByteArray PictureSvg(const DiagramPicture& picture, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Quillrun"));
    // Shown at the canvas's size: a pixel of it for each pixel of the canvas.
    svg.setSize(picture.PixelSize());
    svg.setResolution(static_cast<int>(std::lround(kTwipsPerInch / picture.unitsX)));
    svg.setViewBox(picture.area);
    QPainter painter(&svg);
    painter.fillRect(picture.area, Qt::white);
    PaintPicture(painter, picture);
    painter.end();
    return JoinTextRuns(bytes);
}

QByteArray PicturePdf(const DiagramPicture& picture, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Quillrun"));
    pdf.setResolution(static_cast<int>(kTwipsPerInch));
    pdf.setPageSize(QPageSize(picture.area.size() / kTwipsPerPoint, QPageSize::Point, QString(),
                              QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&pdf);
    PaintPictureFitted(painter, picture, QRectF(0, 0, pdf.width(), pdf.height()));
    painter.end();
    buffer.close();
    return bytes;
}

void PaintPictureFitted(QPainter& painter, const DiagramPicture& picture, const QRectF& target) {
    const QRectF& area = picture.area;
    if (area.isEmpty() || target.isEmpty()) return;
    const double k = std::min(target.width() / area.width(), target.height() / area.height());
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.translate(target.center());
    painter.scale(k, k);
    painter.translate(-area.center());
    PaintPicture(painter, picture);
    painter.restore();
}
