#include "model/selection.h"

#include "model/shared_state.h"

void Select(SharedState& st, const Hit& hit) {
    if (!hit.Hits()) return;
    st.SelKind = hit.kind;
    st.SelIndex = hit.index;
    if (hit.kind == kSelPoint || hit.kind == kSelLine) st.SelPoint = hit.point;
}

void ClearSelection(SharedState& st) {
    st.SelKind.clear();
    st.SelectedElements.reset();
}

bool GroupSelected(const SharedState& st) {
    return st.SelectedElements.count() >= 2;
}

ElementSet SelectedGroup(const SharedState& st) {
    if (GroupSelected(st)) return st.SelectedElements;
    ElementSet one;
    if (ElementSelected(st) && st.SelIndex >= 1 && st.SelIndex <= st.Diagram.LiveElements())
        one.set(static_cast<std::size_t>(st.SelIndex));
    return one;
}

void SelectElements(SharedState& st, const ElementSet& elements) {
    ClearSelection(st);
    if (elements.count() >= 2) {
        st.SelectedElements = elements;
        return;
    }
    for (int e = 1; e <= kMaxElements; ++e)
        if (elements[static_cast<std::size_t>(e)]) {
            st.SelKind = kSelElement;
            st.SelIndex = static_cast<Integer>(e);
        }
}
