#include "model/diagram_edit.h"

#include "model/edit_state.h"
#include "model/element_geometry.h"
#include "model/shared_state.h"
#include "model/translation.h"

#include <algorithm>

namespace {

bool ConnectionSelection(const SharedState& st) {
    return PointOrLineSelected(st) || st.SelKind == kSelArgText;
}

// An index into a table that lost entry `removed`: later entries moved down one place.
void FollowDown(Integer& index, int removed) {
    if (index > removed) --index;
}

// Removes every connection for which drop holds, as RemoveConnection does.
template <typename Drop>
void RemoveConnectionsWhere(SharedState& st, Drop drop) {
    for (int j = 1; j <= st.Diagram.ConnCount;) {
        if (drop(st.Diagram.Connections[j]))
            RemoveConnection(st, j);
        else
            ++j;
    }
}

}  // namespace

void CloseUpConnections(DiagramTables& d, int j) {
    if (j < 1 || j > d.ConnCount) return;
    for (int i = j; i < d.ConnCount; ++i) d.Connections[i] = d.Connections[i + 1];
    --d.ConnCount;
}

DiagramTables WithoutUnfinishedConnections(const DiagramTables& d) {
    DiagramTables finished = d;
    int j = 1;
    while (j <= finished.ConnCount) {
        if (finished.Connections[j].ToElem == 0)
            CloseUpConnections(finished, j);
        else
            ++j;
    }
    return finished;
}

void RemoveConnection(SharedState& st, int j) {
    if (j < 1 || j > st.Diagram.ConnCount) return;
    // Records move: what the journal noted of them no longer lies where it was.
    st.Journal.Clear();
    CloseUpConnections(st.Diagram, j);

    if (ConnectionSelection(st)) {
        if (st.SelIndex == j) {
            st.SelKind.clear();
            if (st.EditState == Editing::MoveArgText || st.EditState == Editing::MovePoint)
                st.EditState = Editing::Idle;
        }
        FollowDown(st.SelIndex, j);
    }
    if (st.ArgDialogConn == j) st.ArgDialogConn = 0;
    FollowDown(st.ArgDialogConn, j);
}

void RemoveElement(SharedState& st, int e) {
    DiagramTables& d = st.Diagram;
    if (e < 1 || e > d.ElemCount) return;
    st.Journal.Clear();
    RemoveConnectionsWhere(
        st, [e](const ConnectionRec& c) { return c.FromElem == e || c.ToElem == e; });
    for (int i = e; i < d.ElemCount; ++i) d.Elements[i] = d.Elements[i + 1];
    --d.ElemCount;
    for (int k = 1; k <= d.ConnCount; ++k) {
        FollowDown(d.Connections[k].FromElem, e);
        FollowDown(d.Connections[k].ToElem, e);
    }

    // The set of selected elements follows them down, too.
    for (int i = e; i <= kMaxElements; ++i)
        st.SelectedElements[static_cast<std::size_t>(i)] =
            i < kMaxElements && st.SelectedElements[static_cast<std::size_t>(i) + 1];
    if (ElementSelected(st)) {
        if (st.SelIndex == e) {
            st.SelKind.clear();
            if (st.EditState == Editing::MoveElementText || st.EditState == Editing::MoveElement)
                st.EditState = Editing::Idle;
        } else {
            FollowDown(st.SelIndex, e);
        }
    }
    // The element stepped last is gone: the next step visits the one that took its place.
    if (st.StepElem >= e) --st.StepElem;
}

void RemoveConnectionsInto(SharedState& st, int e) {
    RemoveConnectionsWhere(st, [e](const ConnectionRec& c) { return c.ToElem == e; });
}

void RemoveElements(SharedState& st, const std::bitset<kMaxElements + 1>& elements) {
    for (int e = st.Diagram.LiveElements(); e >= 1; --e)
        if (elements[static_cast<std::size_t>(e)]) RemoveElement(st, e);
}

void MoveElements(DiagramTables& d, const std::bitset<kMaxElements + 1>& elements, double dx,
                  double dy) {
    const auto in = [&elements](int e) {
        return e >= 1 && e <= kMaxElements && elements[static_cast<std::size_t>(e)];
    };
    for (int e = 1; e <= d.LiveElements(); ++e) {
        if (!in(e)) continue;
        ElementRec& el = d.Elements[e];
        el.X += dx, el.Y += dy, el.TextX += dx, el.TextY += dy;
    }
    for (int j = 1; j <= d.LiveConnections(); ++j) {
        ConnectionRec& c = d.Connections[j];
        const bool from = in(c.FromElem), to = in(c.ToElem);
        if (from && to) {  // inside the group: it moves as it is, label and all
            const int n = std::clamp<int>(c.PointCount, 0, kMaxPoints);
            for (int k = 1; k <= n; ++k) c.Points[k].X += dx, c.Points[k].Y += dy;
            c.X1 += dx, c.Y1 += dy, c.X2 += dx, c.Y2 += dy;
            c.ArgTextX += dx, c.ArgTextY += dy;
        } else if (from || to) {
            RefitConnection(d, j);
        }
    }
}

void RemoveBendPoint(ConnectionRec& c, int k) {
    const int n = std::clamp<int>(c.PointCount, 0, kMaxPoints);
    if (n < 1) return;
    k = std::clamp(k, 1, n);
    for (int i = k; i < n; ++i) c.Points[i] = c.Points[i + 1];
    c.PointCount = static_cast<Integer>(n - 1);
}

void InsertBendPoint(ConnectionRec& c, int k, PointRec p) {
    const int n = std::clamp<int>(c.PointCount, 0, kMaxPoints);
    if (n >= kMaxPoints || k < 1 || k > n + 1) return;
    for (int i = n; i >= k; --i) c.Points[i + 1] = c.Points[i];
    c.Points[k] = p;
    c.PointCount = static_cast<Integer>(n + 1);
}

std::vector<int> PurgeUnfinishedConnections(SharedState& st) {
    std::vector<int> purged;
    int j = 1;
    while (j <= st.Diagram.ConnCount) {
        if (st.Diagram.Connections[j].ToElem != 0) {
            ++j;
            continue;
        }
        purged.push_back(j);
        RemoveConnection(st, j);
    }
    return purged;
}

void DropConnectionBeingDrawn(SharedState& st) {
    const int last = st.Diagram.ConnCount;
    if (DrawingConnection(st.EditState) && last >= 1 && st.Diagram.Connections[last].ToElem == 0)
        RemoveConnection(st, last);
}

QString PurgeMessage(int index) {
    return QCoreApplication::translate(
               "Quillrun", "始点／終点が指定されていない要素がありますので削除します。i=%1")
        .arg(index);
}
