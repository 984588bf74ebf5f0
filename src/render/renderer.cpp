#include "render/renderer.h"

#include "model/form_controls.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kArrowLength = 120;
constexpr double kMarkerHalf = 30;

// Removes connections without a destination element, one message each.
void PurgeUnfinishedConnections(Session& s, bool& published) {
    SharedState& st = s.st;
    int i = 1;
    while (i <= st.ConnCount) {
        if (st.Connections[i].ToElem != 0) {
            ++i;
            continue;
        }
        if (!published && st.GridSize != 0) {
            // The grid alone is what the canvas shows while the message is up.
            s.canvas.Publish();
            published = true;
        }
        s.ui.Message(PurgeMessage(i));
        --st.ConnCount;
        for (int j = i; j <= st.ConnCount; ++j) st.Connections[j] = st.Connections[j + 1];
    }
}

void DrawConnection(Surface& surface, const SharedState& st, int i) {
    const ConnectionRec& c = st.Connections[i];
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
    UnitPoint path[kMaxPoints + 1];
    path[0] = {c.X1, c.Y1};
    for (int k = 1; k <= n; ++k) path[k] = {c.Points[k].X, c.Points[k].Y};

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
    const ElementRec& e = st.Elements[i];
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

QString PurgeMessage(int index) {
    return QStringLiteral("始点／終点が指定されていない要素がありますので削除します。i=") +
           QString::number(index);
}

void RedrawDiagram(Session& s, int highlight) {
    if (s.canvas.DrawingSuspended) {
        bool published = true;  // nothing to show while the purge's messages are up
        PurgeUnfinishedConnections(s, published);
        return;
    }
    Surface& surface = s.canvas.Picture2;
    surface.Clear();
    DrawGridLines(s);
    bool published = false;
    PurgeUnfinishedConnections(s, published);
    const SharedState& st = s.st;
    for (int i = 1; i <= st.ConnCount; ++i) DrawConnection(surface, st, i);
    for (int i = 1; i <= st.ElemCount; ++i) DrawElement(surface, st, i, highlight);
    s.canvas.Publish();
}

void DrawGridLines(Session& s) {
    const int grid = s.st.GridSize;
    if (grid <= 0) return;
    Surface& surface = s.canvas.Picture2;
    const double width = surface.PixelWidth() * s.frm.TwipsPerPixel;
    const double height = surface.PixelHeight() * s.frm.TwipsPerPixel;
    for (int i = 0; static_cast<double>(i) * grid <= width; ++i)
        surface.Line(double(i) * grid, 0, double(i) * grid, height, kGridColour);
    for (int i = 0; static_cast<double>(i) * grid <= height; ++i)
        surface.Line(0, double(i) * grid, width, double(i) * grid, kGridColour);
}

void gridDisplay(Session& s) {
    if (s.st.GridSize == 0) return;
    DrawGridLines(s);
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
