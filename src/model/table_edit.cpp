#include "model/table_edit.h"

#include "model/shared_state.h"

void RemoveConnectionAt(SharedState& st, int i) {
    if (i < 1 || i > st.ConnCount) return;
    for (int j = i; j < st.ConnCount; ++j) st.Connections[j] = st.Connections[j + 1];
    --st.ConnCount;
}

void RemoveElementAt(SharedState& st, int i) {
    if (i < 1 || i > st.ElemCount) return;
    for (int j = i; j < st.ElemCount; ++j) st.Elements[j] = st.Elements[j + 1];
    --st.ElemCount;
}
