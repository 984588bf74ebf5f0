#pragma once
// The selection: what a press hit (SelKind, SelIndex and SelPoint of the shared state) and,
// beside it, a set of selected elements for the commands that act on several at once (copy,
// paste, group delete and move). The set means something only while it holds two or more; a
// single element is selected as it always was, by SelKind and SelIndex alone.

#include "model/records.h"

#include <QString>
#include <bitset>

struct SharedState;

// What lies under a point: a selection kind ("要素選択", ...), or an empty kind for nothing.
struct Hit {
    QString kind;
    Integer index = 0;
    Integer point = 0;  // bend point or segment; kept as it was for the other kinds

    bool Hits() const { return !kind.isEmpty(); }
};

using ElementSet = std::bitset<kMaxElements + 1>;

// Makes what was hit the selection (SelPoint only for bend points and segments). Nothing hit
// leaves the selection as it was.
void Select(SharedState& st, const Hit& hit);
// Nothing selected: SelKind empty, the set of elements empty.
void ClearSelection(SharedState& st);

// The elements the group commands act on: the set, when it holds two or more; otherwise the
// element selected by SelKind and SelIndex, if any.
ElementSet SelectedGroup(const SharedState& st);
// The set holds two or more elements: presses and commands act on all of them.
bool GroupSelected(const SharedState& st);
// Selects exactly these elements: as one element (SelKind "要素選択") when it is one, as the set
// when they are more.
void SelectElements(SharedState& st, const ElementSet& elements);
