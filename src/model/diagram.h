#pragma once
// A diagram as one value: the element table and the connection table with their counts. Live
// records are 1..count; the slots above a count keep whatever they held and mean nothing. A
// diagram is copied, compared and assigned in one statement, which is what loading a file and
// taking an edit back rely on.

#include "model/records.h"

#include <algorithm>
#include <array>

struct DiagramTables {
    std::array<ElementRec, kMaxElements + 1> Elements{};
    Integer ElemCount = 0;
    std::array<ConnectionRec, kMaxConnections + 1> Connections{};
    Integer ConnCount = 0;

    // The live records, 1..count, never beyond the table whatever a count holds.
    int LiveElements() const { return std::clamp<int>(ElemCount, 0, kMaxElements); }
    int LiveConnections() const { return std::clamp<int>(ConnCount, 0, kMaxConnections); }

    // Equal counts and equal live records, every field included; stale slots are not looked at.
    bool operator==(const DiagramTables& other) const;
};

// The same drawing: equal elements and finished connections, leaving out what a run or 初期化
// changes (the values of constants and variables, queues, the flags of the last step) and
// connections still being drawn (ToElem 0).
bool SameDrawing(const DiagramTables& a, const DiagramTables& b);
