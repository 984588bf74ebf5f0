#include "render/renderer.h"

#include "model/diagram_edit.h"
#include "model/form_controls.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kArrowLength = 120;
constexpr double kMarkerHalf = 30;

void DrawConnection(Surface& surface, const SharedState& st, int i) {
    const ConnectionRec& c = st.Diagram.Connections[i];
    int width = 1;
    QRgb colour = kBlack;
    bool markerAllowed = false;
    if (c.Active != 0) {
        width = 4;
        colour = kRed;
    } else if ((st.SelKind == kSelPoint || st.SelKind == kSelLine) && st.SelIndex == i) {
        colour = kBlue;
        markerAllowed = true;
    }
    surface.SetDrawWidth(width);

    const int n = std::clamp<int>(c.PointCount, 0, kMaxPoints);
    PointRec path[kMaxPoints + 1];
    path[0] = {c.X1, c.Y1};
    for (int k = 1; k <= n; ++k) path[k] = c.Points[k];

    // A marker lies over the segments up to its point and under the later ones.
    const int marker = markerAllowed && st.SelPoint >= 1 && st.SelPoint <= n ? st.SelPoint : 0;
    if (marker > 0) {
        surface.Polyline(path, marker + 1, colour);
        const PointRec& p = c.Points[marker];
        surface.FilledBox(p.X - kMarkerHalf, p.Y - kMarkerHalf, p.X + kMarkerHalf,
                          p.Y + kMarkerHalf, kRed);
        surface.Polyline(path + marker, n - marker + 1, colour);
    } else {
        surface.Polyline(path, n + 1, colour);
    }
    DrawArrowSegment(surface, path[n].X, path[n].Y, c.X2, c.Y2, colour);

    surface.SetTextColour(st.SelKind == kSelArgText && st.SelIndex == i ? kBlue : kBlack);
    surface.SetTextPosition(c.ArgTextX, c.ArgTextY);
    surface.SetFont(c.Font.Bold, c.Font.Underline, c.Font.Size);
    surface.Print(c.ArgNo);
}

void DrawElement(Surface& surface, const SharedState& st, int i, int highlight) {
    const ElementRec& e = st.Diagram.Elements[i];
    surface.SetDrawWidth(1);
    QRgb outline = kBlack;
    if (i == highlight) {
        surface.SetFillStyle(FillStyle::Solid);
        surface.SetFillColour(kYellow);
    } else {
        surface.SetFillStyle(FillStyle::Transparent);
        if (st.SelKind == kSelElement && st.SelIndex == i) outline = kBlue;
    }
    surface.SetTextColour(st.SelKind == kSelElementText && st.SelIndex == i ? kBlue : kBlack);
    surface.Circle(e.X, e.Y, e.R, outline);
    surface.SetTextPosition(e.TextX, e.TextY);
    surface.SetFont(e.Font.Bold, e.Font.Underline, e.Font.Size);
    surface.Print(e.Text);
}

}  // namespace

void RedrawDiagram(Session& s, int highlight) {
    Surface& surface = s.canvas.Picture2;
    const bool drawing = !s.canvas.DrawingSuspended;
    if (drawing) {
        surface.Clear();
        DrawGridLines(surface, s.st.GridSize, s.frm.TwipsPerPixel);
    }
    // While a message about a dropped connection is up, the canvas shows the grid alone.
    bool shown = !drawing;
    PurgeUnfinishedConnections(s.st, s.ui, [&] {
        if (!shown && s.st.GridSize != 0) {
            s.canvas.Publish();
            shown = true;
        }
    });
    if (!drawing) return;
    DrawDiagram(surface, s.st, highlight);
    s.canvas.Publish();
}

void DrawDiagram(Surface& surface, const SharedState& st, int highlight) {
    const DiagramTables& d = st.Diagram;
    for (int i = 1; i <= d.ConnCount; ++i) DrawConnection(surface, st, i);
    for (int i = 1; i <= d.ElemCount; ++i) DrawElement(surface, st, i, highlight);
}

void DrawGridLines(Surface& surface, int grid, double twipsPerPixel) {
    if (grid <= 0) return;
    const double width = surface.PixelWidth() * twipsPerPixel;
    const double height = surface.PixelHeight() * twipsPerPixel;
    for (int i = 0; static_cast<double>(i) * grid <= width; ++i)
        surface.Line(double(i) * grid, 0, double(i) * grid, height, kGridColour);
    for (int i = 0; static_cast<double>(i) * grid <= height; ++i)
        surface.Line(0, double(i) * grid, width, double(i) * grid, kGridColour);
}

void gridDisplay(Session& s) {
    if (s.st.GridSize == 0) return;
    DrawGridLines(s.canvas.Picture2, s.st.GridSize, s.frm.TwipsPerPixel);
    s.canvas.Publish();
}

void DrawSegment(Surface& surface, double x1, double y1, double x2, double y2, QRgb colour) {
    surface.Line(x1, y1, x2, y2, colour);
}

void DrawArrowSegment(Surface& surface, double x1, double y1, double x2, double y2, QRgb colour) {
    surface.Line(x1, y1, x2, y2, colour);
    const double theta = DirectionAngle(x2 - x1, y2 - y1);
    const double h = kPi / 6;
    surface.Line(x2, y2, x2 - kArrowLength * std::cos(theta - h),
                 y2 - kArrowLength * std::sin(theta - h), colour);
    surface.Line(x2, y2, x2 - kArrowLength * std::cos(theta + h),
                 y2 - kArrowLength * std::sin(theta + h), colour);
}

double DirectionAngle(double dx, double dy) {
    if (std::fabs(dx) < 1e-7 && std::fabs(dy) < 1e-7) return 0;
    double a;
    if (std::fabs(dx) > std::fabs(dy)) {
        a = std::atan(dy / dx);
        if (dx < 0) a += kPi;
    } else {
        a = 0.5 * kPi - std::atan(dx / dy);
        if (dy < 0) a -= kPi;
        if (dx < 0) a += 2 * kPi;
    }
    return a;
}
