#include "render/hit_test.h"

#include "model/cp932.h"
#include "model/element_geometry.h"
#include "model/shared_state.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kReach = 50;  // bend points and segments are hit below this measure
// A segment whose bounding box lies this far from the point measures at least kReach: beyond
// its ends the measure is the distance to an end, and along it half the distance from its line,
// which is at least 1/sqrt(2) of the distance across the box's long side. Such segments, like
// bend points kReach away along either axis, can never be what is hit, so they are passed by.
constexpr double kSegmentMargin = 2 * kReach * 1.5;

bool FarFromSegment(double x1, double y1, double x2, double y2, double px, double py) {
    return px < std::min(x1, x2) - kSegmentMargin || px > std::max(x1, x2) + kSegmentMargin ||
           py < std::min(y1, y2) - kSegmentMargin || py > std::max(y1, y2) + kSegmentMargin;
}

bool FarFromPoint(double x, double y, double px, double py) {
    return std::fabs(px - x) >= kReach || std::fabs(py - y) >= kReach;
}

// The estimated box of a text, bounds included. Computed in doubles, so that no font size
// can make the sizes overflow.
bool InBox(double px, double py, double left, double top, double width, double height) {
    return px >= left && px <= left + width && py >= top && py <= top + height;
}

bool InElementText(const ElementRec& e, double px, double py) {
    const double size = e.Font.Size;
    return InBox(px, py, e.TextX, e.TextY, static_cast<double>(e.Text.size()) * size * 12,
                 size * 12);
}

bool InLabel(const ConnectionRec& c, double px, double py) {
    const double size = c.Font.Size;
    return InBox(px, py, c.ArgTextX, c.ArgTextY, TextWidthUnits(c.ArgNo) * size * 8, size * 16);
}

// The nearest bend point or segment found so far.
struct Nearest {
    bool set = false;
    double distance = 0;
    int connection = 0;
    int k = 0;

    void Offer(double d, int i, int index) {
        if (!set || d < distance) *this = {true, d, i, index};
    }
};

}  // namespace

Hit FindHit(const DiagramTables& d, float pxSingle, float pySingle) {
    const double px = pxSingle, py = pySingle;

    const int elements = d.LiveElements();
    for (int i = 1; i <= elements; ++i) {
        const ElementRec& e = d.Elements[i];
        if (InElementText(e, px, py)) return {kSelElementText, static_cast<Integer>(i)};
        if (Distance(px, py, e.X, e.Y) < e.R) return {kSelElement, static_cast<Integer>(i)};
    }

    Nearest point, segment;
    const int connections = d.LiveConnections();
    for (int i = 1; i <= connections; ++i) {
        const ConnectionRec& c = d.Connections[i];
        if (InLabel(c, px, py)) return {kSelArgText, static_cast<Integer>(i)};
        double x = c.X1, y = c.Y1;
        const int bends = std::clamp<int>(c.PointCount, 0, kMaxPoints);
        for (int k = 1; k <= bends; ++k) {
            const PointRec& b = c.Points[k];
            if (!FarFromPoint(b.X, b.Y, px, py)) point.Offer(Distance(px, py, b.X, b.Y), i, k);
            if (!FarFromSegment(x, y, b.X, b.Y, px, py))
                segment.Offer(PointSegmentDistance(x, y, b.X, b.Y, px, py), i, k);
            x = b.X;
            y = b.Y;
        }
        if (!FarFromSegment(x, y, c.X2, c.Y2, px, py))
            segment.Offer(PointSegmentDistance(x, y, c.X2, c.Y2, px, py), i, bends + 1);
    }

    // A bend point within reach wins over every segment, even a nearer one.
    const Nearest* hit = nullptr;
    if (point.set && point.distance < kReach)
        hit = &point;
    else if (segment.set && segment.distance < kReach)
        hit = &segment;
    if (!hit) return {};
    return {hit == &point ? kSelPoint : kSelLine, static_cast<Integer>(hit->connection),
            static_cast<Integer>(hit->k)};
}

void HitTest(SharedState& st, float px, float py) {
    Select(st, FindHit(st.Diagram, px, py));
}

double PointSegmentDistance(double x1, double y1, double x2, double y2, double px, double py) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double l2 = dx * dx + dy * dy;
    // A segment of (almost) no length counts as its second end.
    if (l2 < 0.001) return Distance(px, py, x2, y2);

    // Beyond the ends along the dominant axis, the distance to the nearer end.
    const bool alongX = std::fabs(dx) > std::fabs(dy);
    const double a1 = alongX ? x1 : y1, a2 = alongX ? x2 : y2, pa = alongX ? px : py;
    const bool firstIsLow = !(a1 > a2);
    const double lowX = firstIsLow ? x1 : x2, lowY = firstIsLow ? y1 : y2;
    const double highX = firstIsLow ? x2 : x1, highY = firstIsLow ? y2 : y1;
    if (pa < std::min(a1, a2)) return Distance(px, py, lowX, lowY);
    if (pa > std::max(a1, a2)) return Distance(px, py, highX, highY);

    // Along the segment: half the distance from its line (s is twice the triangle's area).
    const double s = (px - x1) * (py + y1) + (x2 - px) * (y2 + py) + (x1 - x2) * (y1 + y2);
    return std::fabs(0.5 * s) / std::sqrt(l2);
}
