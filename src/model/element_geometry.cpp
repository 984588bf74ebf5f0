#include "model/element_geometry.h"

#include "model/diagram.h"

#include <algorithm>

namespace {

bool IsElementSlot(int e) {
    return e >= 0 && e <= kMaxElements;
}

}  // namespace

int ElementAtPoint(const DiagramTables& d, double x, double y) {
    for (int i = 1; i <= d.ElemCount; ++i) {
        const ElementRec& e = d.Elements[i];
        if (Distance(e.X, e.Y, x, y) < e.R) return i;
    }
    return -1;
}

PointRec ElementRimPoint(const DiagramTables& d, int e, double px, double py) {
    if (!IsElementSlot(e)) return {px, py};
    const ElementRec& el = d.Elements[e];
    const double dx = px - el.X, dy = py - el.Y;
    const double dist = std::sqrt(dx * dx + dy * dy);
    if (!(dist > 0) || !std::isfinite(dist)) return {el.X + el.R, el.Y};
    return {el.X + el.R * dx / dist, el.Y + el.R * dy / dist};
}

void RefitConnection(DiagramTables& d, int c) {
    if (c < 0 || c > kMaxConnections) return;
    ConnectionRec& con = d.Connections[c];
    const int n = std::clamp<int>(con.PointCount, 0, kMaxPoints);
    const int from = con.FromElem, to = con.ToElem;
    if (!IsElementSlot(from) || !IsElementSlot(to)) return;
    const PointRec t1 = n > 0 ? con.Points[1] : PointRec{d.Elements[to].X, d.Elements[to].Y};
    const PointRec start = ElementRimPoint(d, from, t1.X, t1.Y);
    con.X1 = start.X;
    con.Y1 = start.Y;
    const PointRec t2 = n > 0 ? con.Points[n] : PointRec{d.Elements[from].X, d.Elements[from].Y};
    const PointRec end = ElementRimPoint(d, to, t2.X, t2.Y);
    con.X2 = end.X;
    con.Y2 = end.Y;
    con.ArgTextX = (t2.X + end.X) * 0.5;
    con.ArgTextY = (t2.Y + end.Y) * 0.5;
}
