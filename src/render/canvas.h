#pragma once
// The two canvases of the main window: the back canvas Picture2, on which everything is drawn,
// and the picture of the visible canvas Picture1, which only ever shows what was published.

#include "model/run_journal.h"
#include "render/backdrop.h"
#include "render/surface.h"

#include <QImage>
#include <functional>
#include <vector>

// The figures of one full redraw in the order they were drawn, each connection's and then each
// element's together.
struct DiagramFigures {
    FigureList list;
    // Where the figures of each connection and then each element begin; one more entry marks
    // the end.
    std::vector<int> starts;
    std::vector<QRect> itemBounds;  // around each item's figures; found before a repair only
    int connections = 0, elements = 0;
};

// What the last full redraw left on the back canvas, kept by the renderer so that the next one
// draws again only where the two differ.
struct DrawnFrame {
    // What the figures are drawn over: the picture's size and coordinate system, the grid and
    // the pen it is drawn with.
    struct Ground {
        int pixelWidth = 0, pixelHeight = 0;
        double left = 0, top = 0, unitsX = 0, unitsY = 0;
        int grid = 0;  // 0 for no lines
        double twipsPerPixel = 0;
        double deviceScale = 1;
        int penWidth = 0;

        bool operator==(const Ground&) const = default;
    };

    // The back canvas shows ground with last's figures over it, except where it was drawn on
    // since.
    bool valid = false;
    Ground ground;
    DiagramFigures last;
    DiagramFigures next;  // room for the redraw under way
    Backdrop backdrop;    // white with the grid lines of backdropGround
    Ground backdropGround;
};

class Canvas {
public:
    Canvas();

    // Both canvases get the new pixel size; the back canvas keeps its coordinate system.
    void Resize(int pixelWidth, int pixelHeight);

    Surface Picture2;

    // Makes the back canvas's picture the picture of Picture1. Only the pixels drawn since the
    // last publish are copied.
    void Publish();
    // The same after the whole back canvas was drawn afresh: its picture becomes Picture1's
    // without being copied, and the back canvas takes its rows back from Picture1 only as it
    // needs them (see Surface::HandOver).
    void PublishAll();
    const QImage& Picture1() const { return picture1_; }

    // Called after every publish with the pixels that changed (for the widget to repaint).
    std::function<void(const QRect&)> OnPublished;

    // Set where no one looks at the canvas (a headless run without a snapshot): the full redraw
    // then only purges unfinished connections and draws nothing.
    bool DrawingSuspended = false;

    // The renderer's memory of the last full redraw.
    DrawnFrame Drawn;
    // What the last full redraw showed of the run: its highlight and the connections drawn red.
    ShownRun Shown;
    // The next full redraw draws every pixel afresh instead of only what changed.
    void ForgetDrawnFrame() { Drawn.valid = false; }

private:
    QImage picture1_;
    RectList published_;
};
