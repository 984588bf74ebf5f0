#pragma once
// The two canvases of the main window: the back canvas Picture2, on which everything is drawn,
// and the picture of the visible canvas Picture1, which only ever shows what was published.

#include "render/surface.h"

#include <QImage>
#include <functional>

class Canvas {
public:
    Canvas();

    // Both canvases get the new pixel size; the back canvas keeps its coordinate system.
    void Resize(int pixelWidth, int pixelHeight);

    Surface Picture2;

    // Makes the back canvas's picture the picture of Picture1. Only the pixels drawn since the
    // last publish are copied.
    void Publish();
    const QImage& Picture1() const { return picture1_; }

    // Called after every publish with the pixels that changed (for the widget to repaint).
    std::function<void(const QRect&)> OnPublished;

    // Set where no one looks at the canvas (a headless run without a snapshot): the full redraw
    // then only purges unfinished connections and draws nothing.
    bool DrawingSuspended = false;

private:
    QImage picture1_;
};
