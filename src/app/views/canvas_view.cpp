#include "app/views/canvas_view.h"

#include "render/canvas.h"

#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int kFrameMilliseconds = 16;

int ButtonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

}  // namespace

CanvasView::CanvasView(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    frame_.setSingleShot(true);
    frame_.setInterval(kFrameMilliseconds);
    connect(&frame_, &QTimer::timeout, this, [this] {
        if (damaged_.isEmpty()) return;
        update(damaged_);
        damaged_ = QRegion();
        frame_.start();
    });
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void CanvasView::Damage(const QRect& pixels) {
    // The picture's pixels, in the widget's.
    const double scale = canvas_.Picture2.DeviceScale();
    const QRect r = scale == 1 ? pixels
                               : QRectF(pixels.x() / scale, pixels.y() / scale,
                                        pixels.width() / scale, pixels.height() / scale)
                                     .toAlignedRect();
    if (frame_.isActive()) {
        damaged_ += r;
        return;
    }
    update(r);
    frame_.start();
}

std::optional<QPointF> CanvasView::PointerInUnits() const {
    const QPoint at = mapFromGlobal(QCursor::pos());
    if (!rect().contains(at)) return std::nullopt;
    return ToUnits(at);
}

QPointF CanvasView::ToUnits(QPointF pixel) const {
    return {pixel.x() * canvas_.Picture2.UnitsPerLogicalPixelX(),
            pixel.y() * canvas_.Picture2.UnitsPerLogicalPixelY()};
}

bool CanvasView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPointF at = ToUnits(help->pos());
        const QString tip =
            TipAt ? TipAt(static_cast<float>(at.x()), static_cast<float>(at.y())) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void CanvasView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect r = event->rect();
    p.fillRect(r, Qt::white);
    // The picture has the screen's own pixels, scale times as many as the widget's.
    const double scale = canvas_.Picture2.DeviceScale();
    if (scale == 1) {
        p.drawImage(r.topLeft(), canvas_.Picture1(), r);
        return;
    }
    const QRectF source(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale);
    p.drawImage(QRectF(r), canvas_.Picture1(), source);
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
    if (!OnMouseDown) return;
    const QPointF at = ToUnits(event->position());
    OnMouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    if (!OnMouseUp) return;
    const QPointF at = ToUnits(event->position());
    OnMouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()),
              static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void CanvasView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!OnDoubleClick) return;
    const QPointF at = ToUnits(event->position());
    OnDoubleClick(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                  static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) {
    if (!OnMouseMove) return;
    const QPointF at = ToUnits(event->position());
    OnMouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()),
                static_cast<float>(at.x()), static_cast<float>(at.y()));
}
