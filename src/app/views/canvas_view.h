#pragma once
// The visible canvas Picture1: shows the last published picture and reports presses and pointer
// moves in canvas units. It draws nothing of its own.

#include <QWidget>
#include <functional>

class Canvas;

class CanvasView : public QWidget {
public:
    CanvasView(Canvas& canvas, QWidget* parent);

    // Button codes: 1 left, 2 right, 4 middle. Shift state: 1 shift, 2 control, 4 alt.
    std::function<void(int button, int shift, float x, float y)> OnMouseDown;
    std::function<void(int buttons, int shift, float x, float y)> OnMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPointF ToUnits(QPointF pixel) const;

    Canvas& canvas_;
};
