#include "render/renderer.h"

#include "model/diagram_edit.h"
#include "model/form_controls.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kArrowLength = 120;
constexpr double kMarkerHalf = 30;
constexpr double kBreakpointHalf = 45;
constexpr double kRimDiagonal = 0.70710678118654752;  // cos 45°
// Grid lines a picture of part of the canvas draws at most in either direction.
constexpr double kMostGridLines = 20000;

// Whether the look draws connection i as having carried a value.
bool ShownActive(const SharedState& st, const DiagramLook& look, int i) {
    if (!look.run) return st.Diagram.Connections[i].Active != 0;
    return i <= kMaxConnections && look.run->active[static_cast<std::size_t>(i)];
}

// Whether the look shows the selection as kind and index.
bool ShownSelected(const SharedState& st, const DiagramLook& look, bool kind, int i) {
    return look.selection && kind && st.SelIndex == i;
}

void DrawConnection(Surface& surface, const SharedState& st, int i, const DiagramLook& look) {
    const ConnectionRec& c = st.Diagram.Connections[i];
    int width = 1;
    QRgb colour = kBlack;
    bool markerAllowed = false;
    if (ShownActive(st, look, i)) {
        width = 4;
        colour = kRed;
    } else if (ShownSelected(st, look, st.SelKind == kSelPoint || st.SelKind == kSelLine, i)) {
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

    surface.SetTextColour(ShownSelected(st, look, st.SelKind == kSelArgText, i) ? kBlue : kBlack);
    PrintText(surface, c.ArgTextX, c.ArgTextY, c.Font, c.ArgNo);
}

void DrawElement(Surface& surface, const SharedState& st, int i, int highlight,
                 const DiagramLook& look) {
    const ElementRec& e = st.Diagram.Elements[i];
    surface.SetDrawWidth(1);
    QRgb outline = kBlack;
    if (i == highlight) {
        surface.SetFillStyle(FillStyle::Solid);
        surface.SetFillColour(kYellow);
    } else {
        surface.SetFillStyle(FillStyle::Transparent);
        if (ShownSelected(st, look, st.SelKind == kSelElement, i) ||
            (look.selection && GroupSelected(st) &&
             st.SelectedElements[static_cast<std::size_t>(i)]))
            outline = kBlue;
    }
    surface.SetTextColour(ShownSelected(st, look, st.SelKind == kSelElementText, i) ? kBlue
                                                                                    : kBlack);
    surface.Circle(e.X, e.Y, e.R, outline);
    PrintText(surface, e.TextX, e.TextY, e.Font, e.Text);
    // A breakpoint: a red square on the upper left of the rim. It is drawn with its own colour,
    // so the drawing state stays what the element left.
    if (e.Breakpoint) {
        const double cx = e.X - kRimDiagonal * e.R, cy = e.Y - kRimDiagonal * e.R;
        surface.FilledBox(cx - kBreakpointHalf, cy - kBreakpointHalf, cx + kBreakpointHalf,
                          cy + kBreakpointHalf, kRed);
    }
}

// Around the figures of each connection and element.
void FindItemBounds(DiagramFigures& frame) {
    frame.itemBounds.clear();
    for (std::size_t item = 0; item + 1 < frame.starts.size(); ++item) {
        QRect bounds;
        for (int k = frame.starts[item]; k < frame.starts[item + 1]; ++k)
            bounds |= frame.list.figures[static_cast<std::size_t>(k)].bounds;
        frame.itemBounds.push_back(bounds);
    }
}

// Adds the pixels where item old of the frame before and item now of the frame after may
// differ: the figures that differ, or all of them when the two have not the same number of
// figures. An index of -1 is an item that is not there. The figures of after, only recorded,
// get their bounds.
void AddItemDamage(Surface& surface, const DiagramFigures& before, int old, DiagramFigures& after,
                   int now, RectList& damage) {
    auto range = [](const DiagramFigures& f, int item) {
        if (item < 0) return std::pair<int, int>(0, 0);
        return std::pair<int, int>(f.starts[static_cast<std::size_t>(item)],
                                   f.starts[static_cast<std::size_t>(item) + 1]);
    };
    const auto [b0, b1] = range(before, old);
    const auto [a0, a1] = range(after, now);
    std::vector<Figure>& figures = after.list.figures;
    if (b1 - b0 == a1 - a0) {
        for (int k = 0; k < a1 - a0; ++k) {
            const Figure& was = before.list.figures[static_cast<std::size_t>(b0 + k)];
            Figure& is = figures[static_cast<std::size_t>(a0 + k)];
            if (before.list.Same(was, after.list, is)) {
                is.bounds = was.bounds;
                continue;
            }
            is.bounds = surface.FigureBounds(after.list, is);
            surface.AddFigureDamage(before.list, was, damage);
            surface.AddFigureDamage(after.list, is, damage);
        }
        return;
    }
    for (int k = b0; k < b1; ++k)
        surface.AddFigureDamage(before.list, before.list.figures[static_cast<std::size_t>(k)],
                                damage);
    for (int k = a0; k < a1; ++k) {
        Figure& is = figures[static_cast<std::size_t>(k)];
        is.bounds = surface.FigureBounds(after.list, is);
        surface.AddFigureDamage(after.list, is, damage);
    }
}

// Where the back canvas shows something else than the frame after: what the two frames draw
// differently and what was drawn on the canvas since the first. The figures of after get
// their bounds.
void FindDamage(Surface& surface, const DiagramFigures& before, DiagramFigures& after,
                RectList& damage) {
    for (const QRect& r : surface.DrawnOn()) damage.Add(r);
    const int connections = std::max(before.connections, after.connections);
    for (int i = 0; i < connections; ++i)
        AddItemDamage(surface, before, i < before.connections ? i : -1, after,
                      i < after.connections ? i : -1, damage);
    const int elements = std::max(before.elements, after.elements);
    for (int i = 0; i < elements; ++i)
        AddItemDamage(surface, before, i < before.elements ? before.connections + i : -1, after,
                      i < after.elements ? after.connections + i : -1, damage);
}

// Draws the figures of frame again within each rectangle of damage, over the backdrop.
void Repair(Surface& surface, const Backdrop& backdrop, const DiagramFigures& frame,
            const RectList& damage) {
    for (const QRect& r : damage) {
        surface.BeginRepair(backdrop, r);
        for (std::size_t item = 0; item + 1 < frame.starts.size(); ++item) {
            if (!frame.itemBounds[item].intersects(r)) continue;
            for (int k = frame.starts[item]; k < frame.starts[item + 1]; ++k) {
                const Figure& f = frame.list.figures[static_cast<std::size_t>(k)];
                if (f.bounds.intersects(r)) surface.DrawFigure(frame.list, f);
            }
        }
        surface.EndRepair();
    }
}

// What the picture is drawn over now.
DrawnFrame::Ground GroundOf(const Surface& surface, int grid, double twipsPerPixel) {
    DrawnFrame::Ground g;
    g.pixelWidth = surface.PixelWidth();
    g.pixelHeight = surface.PixelHeight();
    const QPointF origin = surface.Origin();
    g.left = origin.x();
    g.top = origin.y();
    g.unitsX = surface.UnitsPerPixelX();
    g.unitsY = surface.UnitsPerPixelY();
    g.deviceScale = surface.DeviceScale();
    g.grid = grid > 0 ? grid : 0;
    g.twipsPerPixel = g.grid > 0 ? twipsPerPixel : 0;
    g.penWidth = g.grid > 0 ? surface.DrawWidth() : 0;
    return g;
}

// The backdrop for ground: white, with the grid lines drawn as Clear and DrawGridLines draw
// them on the back canvas.
void MakeBackdrop(DrawnFrame& frame, const DrawnFrame::Ground& ground) {
    if (frame.backdropGround == ground && !frame.backdrop.Empty()) return;
    frame.backdrop = Backdrop();  // the old one goes before the new one is made
    Surface s;
    s.Resize(ground.pixelWidth, ground.pixelHeight);
    s.SetDeviceScale(ground.deviceScale);
    s.SetPixelScale(ground.left, ground.top, ground.unitsX, ground.unitsY);
    s.SetDrawWidth(ground.penWidth);
    DrawGridLines(s, ground.grid, ground.twipsPerPixel);
    frame.backdrop = Backdrop(s.Image());
    frame.backdropGround = ground;
}

// The diagram drawn afresh or repaired where it changed, then published.
void DrawAndPublish(Session& s, int highlight) {
    Surface& surface = s.canvas.Picture2;
    DrawnFrame& drawn = s.canvas.Drawn;
    // Exclusive-or grid lines depend on what lies under them: such a canvas is drawn as it comes.
    if (surface.DrawMode() == kDrawModeXor) {
        drawn.valid = false;
        surface.Clear();
        DrawGridLines(surface, s.st.GridSize, s.frm.TwipsPerPixel);
        DrawDiagram(surface, s.st, highlight);
        s.canvas.Publish();
        return;
    }
    const DrawnFrame::Ground ground = GroundOf(surface, s.st.GridSize, s.frm.TwipsPerPixel);
    MakeBackdrop(drawn, ground);

    DiagramFigures& next = drawn.next;
    const RectList& drawnOn = surface.DrawnOn();
    bool afresh = !drawn.valid || drawn.ground != ground || drawnOn.Whole();
    RectList damage;
    if (!afresh) {
        // Only recorded: the drawing state ends as the whole drawing would leave it.
        RecordDiagram(surface, s.st, highlight, next, false);
        FindDamage(surface, drawn.last, next, damage);
        // Past a third of the picture, drawing it all is no slower.
        const std::int64_t area = std::int64_t{ground.pixelWidth} * ground.pixelHeight;
        afresh = damage.Area() * 3 > area;
    }
    if (afresh) {
        surface.ClearTo(drawn.backdrop);
        RecordDiagram(surface, s.st, highlight, next, true);
    } else {
        FindItemBounds(next);
        const DrawingState end = surface.State();
        Repair(surface, drawn.backdrop, next, damage);
        surface.SetState(end);
    }
    surface.ForgetDrawnOn();
    std::swap(drawn.last, drawn.next);
    drawn.ground = ground;
    drawn.valid = true;
    if (afresh)
        s.canvas.PublishAll();
    else
        s.canvas.Publish();
}

}  // namespace

void RedrawDiagram(Session& s, int highlight) {
    // Connections that never got an end element go first; the person is told of each once the
    // canvas shows the diagram without them.
    const std::vector<int> purged = PurgeUnfinishedConnections(s.st);
    ShownRun& shown = s.canvas.Shown;
    shown.highlight = highlight;
    shown.active.reset();
    for (int j = 1; j <= s.st.Diagram.LiveConnections(); ++j)
        shown.active[static_cast<std::size_t>(j)] = s.st.Diagram.Connections[j].Active != 0;
    if (!s.canvas.DrawingSuspended) DrawAndPublish(s, highlight);
    for (const int index : purged) s.ui.Message(PurgeMessage(index));
}

QImage CanvasPicture(Session& s) {
    const Surface& back = s.canvas.Picture2;
    const double scale = back.DeviceScale();
    if (scale == 1) return back.Image();
    Surface at1;
    at1.Resize(static_cast<int>(std::lround(back.PixelWidth() / scale)),
               static_cast<int>(std::lround(back.PixelHeight() / scale)));
    at1.SetPixelScale(back.Origin().x(), back.Origin().y(), back.UnitsPerLogicalPixelX(),
                      back.UnitsPerLogicalPixelY());
    DrawGridLines(at1, s.st.GridSize, s.frm.TwipsPerPixel);
    DrawDiagram(at1, s.st, s.canvas.Shown.highlight);
    return at1.Image().copy();
}

void DrawDiagram(Surface& surface, const SharedState& st, int highlight) {
    const DiagramTables& d = st.Diagram;
    for (int i = 1; i <= d.ConnCount; ++i) DrawConnection(surface, st, i, {});
    for (int i = 1; i <= d.ElemCount; ++i) DrawElement(surface, st, i, highlight, {});
}

void RecordDiagram(Surface& surface, const SharedState& st, int highlight, DiagramFigures& frame,
                   bool draw, const DiagramLook& look) {
    frame.list.Clear();
    frame.starts.clear();
    surface.RecordFigures(&frame.list, draw);
    const DiagramTables& d = st.Diagram;
    frame.connections = std::max<int>(d.ConnCount, 0);
    frame.elements = std::max<int>(d.ElemCount, 0);
    auto start = [&] { frame.starts.push_back(static_cast<int>(frame.list.figures.size())); };
    for (int i = 1; i <= d.ConnCount; ++i) start(), DrawConnection(surface, st, i, look);
    for (int i = 1; i <= d.ElemCount; ++i) start(), DrawElement(surface, st, i, highlight, look);
    start();
    surface.RecordFigures(nullptr, true);
}

void DrawGridLines(Surface& surface, int grid, double twipsPerPixel) {
    if (grid <= 0) return;
    // The surface's size in the desktop's pixels, and so in twips.
    const double width = surface.PixelWidth() / surface.DeviceScale() * twipsPerPixel;
    const double height = surface.PixelHeight() / surface.DeviceScale() * twipsPerPixel;
    for (int i = 0; static_cast<double>(i) * grid <= width; ++i)
        surface.Line(double(i) * grid, 0, double(i) * grid, height, kGridColour);
    for (int i = 0; static_cast<double>(i) * grid <= height; ++i)
        surface.Line(0, double(i) * grid, width, double(i) * grid, kGridColour);
}

void DrawGridLinesOver(Surface& surface, int grid, const QRectF& area) {
    const double g = grid;
    // A hand-made file may place a figure so far out that the lines would never end.
    if (grid <= 0 || area.isEmpty() || area.width() / g > kMostGridLines ||
        area.height() / g > kMostGridLines)
        return;
    for (double i = std::ceil(area.left() / g); i * g <= area.right(); ++i)
        surface.Line(i * g, area.top(), i * g, area.bottom(), kGridColour);
    for (double i = std::ceil(area.top() / g); i * g <= area.bottom(); ++i)
        surface.Line(area.left(), i * g, area.right(), i * g, kGridColour);
}

void gridDisplay(Session& s) {
    if (s.st.GridSize == 0) return;
    DrawGridLines(s.canvas.Picture2, s.st.GridSize, s.frm.TwipsPerPixel);
    s.canvas.Publish();
}

void PrintText(Surface& surface, double x, double y, const FontAttr& font, const QString& text) {
    surface.SetTextPosition(x, y);
    surface.SetFont(font.Bold, font.Underline, font.Size);
    surface.Print(text);
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
