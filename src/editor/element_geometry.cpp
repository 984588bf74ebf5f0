#include "editor/element_geometry.h"

#include "model/shared_state.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsElementSlot(int e) {
    return e >= 0 && e <= kMaxElements;
}

}  // namespace

int ElementAtPoint(const SharedState& st, double x, double y) {
    for (int i = 1; i <= st.ElemCount; ++i) {
        const ElementRec& e = st.Elements[i];
        if (std::sqrt((e.X - x) * (e.X - x) + (e.Y - y) * (e.Y - y)) < e.R) return i;
    }
    return -1;
}

UnitPoint ElementRimPoint(const SharedState& st, int e, double px, double py) {
    if (!IsElementSlot(e)) return {px, py};
    const ElementRec& el = st.Elements[e];
    const double dx = px - el.X, dy = py - el.Y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (!(d > 0) || !std::isfinite(d)) return {el.X + el.R, el.Y};
    return {el.X + el.R * dx / d, el.Y + el.R * dy / d};
}

void RefitConnection(SharedState& st, int c) {
    if (c < 0 || c > kMaxConnections) return;
    ConnectionRec& con = st.Connections[c];
    const int n = std::clamp<int>(con.PointCount, 0, kMaxPoints);
    const int from = con.FromElem, to = con.ToElem;
    if (!IsElementSlot(from) || !IsElementSlot(to)) return;
    const UnitPoint t1 = n > 0 ? UnitPoint{con.Points[1].X, con.Points[1].Y}
                               : UnitPoint{st.Elements[to].X, st.Elements[to].Y};
    const UnitPoint start = ElementRimPoint(st, from, t1.X, t1.Y);
    con.X1 = start.X;
    con.Y1 = start.Y;
    const UnitPoint t2 = n > 0 ? UnitPoint{con.Points[n].X, con.Points[n].Y}
                               : UnitPoint{st.Elements[from].X, st.Elements[from].Y};
    const UnitPoint end = ElementRimPoint(st, to, t2.X, t2.Y);
    con.X2 = end.X;
    con.Y2 = end.Y;
    con.ArgTextX = (t2.X + end.X) * 0.5;
    con.ArgTextY = (t2.Y + end.Y) * 0.5;
}
