#pragma once
// The visible canvas Picture1: shows the last published picture and reports presses, releases,
// double clicks and pointer moves in canvas units. It draws nothing of its own.

#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

class Canvas;

class CanvasView : public QWidget {
public:
    CanvasView(Canvas& canvas, QWidget* parent);

    // Pixels of the picture changed: they are repainted at once, or, when the last repaint was
    // less than a frame ago, together with any others at the end of the frame.
    void Damage(const QRect& r);
    // Where the pointer is, in canvas units, when it is over the canvas.
    std::optional<QPointF> PointerInUnits() const;

    // Button codes: 1 left, 2 right, 4 middle. Shift state: 1 shift, 2 control, 4 alt.
    std::function<void(int button, int shift, float x, float y)> OnMouseDown;
    std::function<void(int buttons, int shift, float x, float y)> OnMouseMove;
    std::function<void(int button, int shift, float x, float y)> OnMouseUp;
    // The tool tip at a point in canvas units (empty: none).
    std::function<QString(float x, float y)> TipAt;
    // The second press of a double click, which is reported here instead of as a press.
    std::function<void(int button, int shift, float x, float y)> OnDoubleClick;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPointF ToUnits(QPointF pixel) const;

    Canvas& canvas_;
    QRegion damaged_;
    QTimer frame_;
};
