#include "model/diagram.h"

#include "model/element_value.h"

#include <algorithm>
#include <cmath>

namespace {

// Two coordinates that name the same place; a coordinate that is no number equals another one.
bool Same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool SameDrawnElement(const ElementRec& a, const ElementRec& b) {
    if (!(Same(a.TextX, b.TextX) && Same(a.TextY, b.TextY) && Same(a.X, b.X) && Same(a.Y, b.Y) &&
          Same(a.R, b.R) && a.Text == b.Text && a.Kind == b.Kind && a.Spare == b.Spare &&
          a.ArgCount == b.ArgCount && a.Font == b.Font))
        return false;
    // A function or an operator keeps the values it was given, and they are saved with it.
    return RunOwnsValue(a.Kind) || (a.DataType == b.DataType && a.Value == b.Value);
}

bool SameDrawnConnection(const ConnectionRec& a, const ConnectionRec& b) {
    if (!(a.FromElem == b.FromElem && a.ToElem == b.ToElem && Same(a.X1, b.X1) &&
          Same(a.Y1, b.Y1) && Same(a.X2, b.X2) && Same(a.Y2, b.Y2) &&
          Same(a.ArgTextX, b.ArgTextX) && Same(a.ArgTextY, b.ArgTextY) && a.ArgNo == b.ArgNo &&
          a.Font == b.Font && a.PointCount == b.PointCount))
        return false;
    const int n = std::clamp<int>(a.PointCount, 0, kMaxPoints);
    for (int k = 1; k <= n; ++k)
        if (!Same(a.Points[k].X, b.Points[k].X) || !Same(a.Points[k].Y, b.Points[k].Y))
            return false;
    return true;
}

// The next finished connection at or after j, or one past the live ones.
int NextFinished(const DiagramTables& d, int j) {
    while (j <= d.LiveConnections() && d.Connections[j].ToElem == 0) ++j;
    return j;
}

}  // namespace

bool DiagramTables::operator==(const DiagramTables& other) const {
    if (ElemCount != other.ElemCount || ConnCount != other.ConnCount) return false;
    for (int i = 1; i <= LiveElements(); ++i)
        if (!(Elements[i] == other.Elements[i])) return false;
    for (int j = 1; j <= LiveConnections(); ++j)
        if (!(Connections[j] == other.Connections[j])) return false;
    return true;
}

bool SameDrawing(const DiagramTables& a, const DiagramTables& b) {
    if (a.LiveElements() != b.LiveElements()) return false;
    for (int i = 1; i <= a.LiveElements(); ++i)
        if (!SameDrawnElement(a.Elements[i], b.Elements[i])) return false;
    int i = NextFinished(a, 1), j = NextFinished(b, 1);
    for (; i <= a.LiveConnections() && j <= b.LiveConnections();
         i = NextFinished(a, i + 1), j = NextFinished(b, j + 1))
        if (!SameDrawnConnection(a.Connections[i], b.Connections[j])) return false;
    return i > a.LiveConnections() && j > b.LiveConnections();
}
