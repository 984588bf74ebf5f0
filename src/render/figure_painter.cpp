#include "render/figure_painter.h"

#include "render/text_cache.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

// The canvas prints no text larger than this many pixels.
constexpr double kLargestTextPixels = 2000;

QPen PenOf(const Figure& f, double unitsPerPixel) {
    return QPen(QColor::fromRgb(f.colour), std::max(f.width, 1) * unitsPerPixel, Qt::SolidLine,
                Qt::RoundCap, Qt::RoundJoin);
}

// A filled box covers the canvas's pixels from corner to corner, both included: half a pixel
// more on each side than the rectangle between the corners' centres.
QRectF FilledBoxOf(const Figure& f, double unitsPerPixel) {
    const double half = unitsPerPixel / 2;
    return QRectF(QPointF(f.x1, f.y1), QPointF(f.x2, f.y2))
        .normalized()
        .adjusted(-half, -half, half, half);
}

const QString& TextOf(const FigureList& list, const Figure& f) {
    return list.texts[static_cast<std::size_t>(f.first)];
}

QPolygonF PointsOf(const FigureList& list, const Figure& f) {
    QPolygonF points;
    points.reserve(f.count);
    for (int k = f.first; k < f.first + f.count; ++k) {
        const PointRec& p = list.points[static_cast<std::size_t>(k)];
        points << QPointF(p.X, p.Y);
    }
    return points;
}

void PaintFigure(QPainter& painter, const FigureList& list, const Figure& f, double unitsPerPixel) {
    switch (f.kind) {
        case Figure::Kind::Line:
            painter.setPen(PenOf(f, unitsPerPixel));
            painter.drawLine(QPointF(f.x1, f.y1), QPointF(f.x2, f.y2));
            return;
        case Figure::Kind::Polyline:
            painter.setPen(PenOf(f, unitsPerPixel));
            painter.drawPolyline(PointsOf(list, f));
            return;
        case Figure::Kind::FilledBox:
            painter.fillRect(FilledBoxOf(f, unitsPerPixel), QColor::fromRgb(f.colour));
            return;
        case Figure::Kind::Box:
            painter.setPen(PenOf(f, unitsPerPixel));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(QPointF(f.x1, f.y1), QPointF(f.x2, f.y2)).normalized());
            return;
        case Figure::Kind::Circle: {
            const double r = std::fabs(f.x2);
            painter.setPen(PenOf(f, unitsPerPixel));
            painter.setBrush(f.solid ? QBrush(QColor::fromRgb(f.fill)) : QBrush(Qt::NoBrush));
            painter.drawEllipse(QPointF(f.x1, f.y1), r, r);
            return;
        }
        case Figure::Kind::Text: {
            const QString& text = TextOf(list, f);
            if (text.isEmpty()) return;
            const QFont font = FigureFont(f, unitsPerPixel);
            painter.setFont(font);
            painter.setPen(QColor::fromRgb(f.colour));
            painter.drawText(QPointF(f.x1, f.y1 + QFontMetricsF(font).ascent()), text);
            return;
        }
    }
}

}  // namespace

QFont FigureFont(const Figure& text, double unitsPerPixel) {
    // As the canvas keeps its pixel sizes between 1 and the largest it prints.
    const double units =
        std::clamp(text.size * 20.0, unitsPerPixel, kLargestTextPixels * unitsPerPixel);
    QFont font = TextCache::LabelFont(text.bold, text.underline,
                                      std::max(1, static_cast<int>(std::lround(units))));
    font.setStyleStrategy(QFont::PreferAntialias);
    // Glyphs keep their outlines at any scale instead of being fitted to the canvas's pixels.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void PaintFigures(QPainter& painter, const FigureList& list, double unitsPerPixel) {
    painter.save();
    for (const Figure& f : list.figures) PaintFigure(painter, list, f, unitsPerPixel);
    painter.restore();
}

QRectF FigureExtent(const FigureList& list, double unitsPerPixel) {
    QRectF extent;
    auto add = [&extent](const QRectF& r) { extent = extent.isNull() ? r : extent.united(r); };
    for (const Figure& f : list.figures) {
        const double half = std::max(f.width, 1) * unitsPerPixel / 2;
        switch (f.kind) {
            case Figure::Kind::Line:
            case Figure::Kind::Box:
                add(QRectF(QPointF(f.x1, f.y1), QPointF(f.x2, f.y2))
                        .normalized()
                        .adjusted(-half, -half, half, half));
                break;
            case Figure::Kind::Polyline:
                add(PointsOf(list, f).boundingRect().adjusted(-half, -half, half, half));
                break;
            case Figure::Kind::FilledBox:
                add(FilledBoxOf(f, unitsPerPixel));
                break;
            case Figure::Kind::Circle: {
                const double r = std::fabs(f.x2) + half;
                add(QRectF(f.x1 - r, f.y1 - r, 2 * r, 2 * r));
                break;
            }
            case Figure::Kind::Text: {
                const QString& text = TextOf(list, f);
                if (text.isEmpty()) break;
                const QFontMetricsF metrics(FigureFont(f, unitsPerPixel));
                add(QRectF(f.x1, f.y1, metrics.horizontalAdvance(text), metrics.height()));
                break;
            }
        }
    }
    return extent;
}
