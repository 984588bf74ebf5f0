#include "model/cell_pool.h"

#include "model/prompter.h"
#include "model/shared_state.h"

void InitCellPool(SharedState& st) {
    for (int i = 1; i < kMaxCells; ++i) st.Cells[i].Next = static_cast<Integer>(i + 1);
    st.Cells[kMaxCells].Next = -1;
    st.FreeHead = 1;
}

int AllocCell(SharedState& st) {
    const int h = st.FreeHead;
    if (h >= 1) st.FreeHead = st.Cells[h].Next;
    return h;
}

void FreeCell(SharedState& st, int n) {
    if (n < 1 || n > kMaxCells) return;
    // A cell already on the free list is not pushed twice. The walk is bounded by the pool
    // size so that a damaged list can never hang the program.
    int steps = 0;
    for (int cur = st.FreeHead; cur >= 1 && cur <= kMaxCells && steps <= kMaxCells;
         cur = st.Cells[cur].Next, ++steps) {
        if (cur == n) return;
    }
    st.Cells[n].Next = st.FreeHead;
    st.FreeHead = static_cast<Integer>(n);
}

int AppendCell(SharedState& st, Prompter& ui, int head, const QString& type, const QString& value) {
    const int n = AllocCell(st);
    if (n <= 0) {
        ui.Message(QStringLiteral("領域オーバーフロー"));
        return head;
    }
    ValueCell& cell = st.Cells[n];
    cell.Next = -1;
    cell.DataType = type;
    cell.Value = value;
    int prev = -1;
    int steps = 0;
    for (int cur = head; cur > 0 && cur <= kMaxCells && steps <= kMaxCells;
         cur = st.Cells[cur].Next, ++steps) {
        prev = cur;
    }
    if (prev < 0) return n;
    st.Cells[prev].Next = static_cast<Integer>(n);
    return head;
}
