#include "render/feedback.h"

#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/renderer.h"

#include <algorithm>

namespace {

// Runs draw with the surface in exclusive-or mode and puts the previous mode back.
template <typename Draw>
void InXorMode(Surface& surface, Draw draw) {
    const int mode = surface.DrawMode();
    surface.SetDrawMode(kDrawModeXor);
    draw();
    surface.SetDrawMode(mode);
}

int PointsInUse(const ConnectionRec& c) {
    return std::clamp<int>(c.PointCount, 0, kMaxPoints);
}

void DrawPlain(Surface& surface, const ElementRec& e) {
    surface.Circle(e.X, e.Y, e.R, kBlack);
    PrintText(surface, e.TextX, e.TextY, e.Font, e.Text);
}

// The bare segments from the start point through the bend points; returns the last point.
PointRec DrawBends(Surface& surface, const ConnectionRec& c) {
    PointRec p{c.X1, c.Y1};
    for (int k = 1; k <= PointsInUse(c); ++k) {
        DrawSegment(surface, p.X, p.Y, c.Points[k].X, c.Points[k].Y, kBlack);
        p = c.Points[k];
    }
    return p;
}

}  // namespace

void DrawXorLine(Surface& surface, double x1, double y1, double x2, double y2) {
    InXorMode(surface, [&] { surface.Line(x1, y1, x2, y2, kWhite); });
}

void DrawXorBox(Surface& surface, double x, double y, double w, double h) {
    // Only the outline, whatever the fill style: an exclusive-or interior would not erase
    // cleanly under a box of another size.
    InXorMode(surface, [&] { surface.Box(x, y, x + w, y + h, kWhite); });
}

void DrawXorCircle(Surface& surface, double x, double y, double r) {
    InXorMode(surface, [&] { surface.Circle(x, y, r, kWhite); });
}

void DrawElementPlain(Session& s, int i) {
    if (i < 1 || i > s.st.Diagram.ElemCount) return;
    DrawPlain(s.canvas.Picture2, s.st.Diagram.Elements[i]);
}

void RedrawWhileConnecting(Session& s) {
    const SharedState& st = s.st;
    Surface& surface = s.canvas.Picture2;
    surface.Clear();
    gridDisplay(s);
    const int last = st.Diagram.LiveConnections();
    for (int i = 1; i < last; ++i) {
        const ConnectionRec& c = st.Diagram.Connections[i];
        const PointRec p = DrawBends(surface, c);
        DrawArrowSegment(surface, p.X, p.Y, c.X2, c.Y2, kBlack);
        PrintText(surface, c.ArgTextX, c.ArgTextY, c.Font, c.ArgNo);
    }
    // The connection being built: its bends only, no arrowhead and no label yet.
    if (last >= 1) DrawBends(surface, st.Diagram.Connections[last]);
    const int elements = st.Diagram.LiveElements();
    for (int i = 1; i <= elements; ++i) DrawPlain(surface, st.Diagram.Elements[i]);
    s.canvas.Publish();
}
