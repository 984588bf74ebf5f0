#include "model/cell_pool.h"

#include "model/prompter.h"
#include "model/shared_state.h"

void InitCellPool(SharedState& st) {
    // A pool linked anew leaves nothing of the run to take back.
    st.Journal.Clear();
    for (int i = 1; i < kMaxCells; ++i) st.Cells[i].Next = static_cast<Integer>(i + 1);
    st.Cells[kMaxCells].Next = -1;
    st.FreeHead = 1;
    st.CellIsFree.fill(true);
    st.CellIsFree[0] = false;
}

int AllocCell(SharedState& st) {
    const int h = st.FreeHead;
    if (h >= 1) {
        SetRun(st, st.FreeHead, st.Cells[h].Next);
        SetRun(st, st.CellIsFree[h], false);
    }
    return h;
}

void FreeCell(SharedState& st, int n) {
    if (n < 1 || n > kMaxCells) return;
    // A cell already on the free list is not pushed twice.
    if (st.CellIsFree[n]) return;
    SetRun(st, st.Cells[n].Next, st.FreeHead);
    SetRun(st, st.FreeHead, static_cast<Integer>(n));
    SetRun(st, st.CellIsFree[n], true);
}

std::optional<int> TryAppendCell(SharedState& st, int head, const QString& type,
                                 const QString& value) {
    const int n = AllocCell(st);
    if (n <= 0) return std::nullopt;
    ValueCell& cell = st.Cells[n];
    SetRun(st, cell.Next, Integer{-1});
    SetRun(st, cell.DataType, type);
    SetRun(st, cell.Value, value);
    int prev = -1;
    int steps = 0;
    for (int cur = head; cur > 0 && cur <= kMaxCells && steps <= kMaxCells;
         cur = st.Cells[cur].Next, ++steps) {
        prev = cur;
    }
    if (prev < 0) return n;
    SetRun(st, st.Cells[prev].Next, static_cast<Integer>(n));
    return head;
}

int AppendCell(SharedState& st, Prompter& ui, int head, const QString& type, const QString& value) {
    if (const std::optional<int> after = TryAppendCell(st, head, type, value)) return *after;
    ui.Message(Tr(kPoolOverflow));
    return head;
}
