#include "engine/queued_values.h"

#include "model/shared_state.h"

#include <algorithm>

namespace {

// The values of the queue that starts at head; a damaged chain ends after the pool's size.
std::vector<QueuedValue> Queue(const SharedState& st, int head) {
    std::vector<QueuedValue> values;
    for (int c = head, n = 0; c >= 1 && c <= kMaxCells && n < kMaxCells; c = st.Cells[c].Next, ++n)
        values.emplace_back(st.Cells[c].DataType, st.Cells[c].Value);
    return values;
}

int InputsOf(const ElementRec& e) {
    switch (e.Kind) {
        case kConstantNumber:
        case kConstantString:
            return 0;
        case kVariableNumber:
        case kVariableString:
            return 1;
        default:
            return std::clamp<int>(e.ArgCount, 1, kMaxArgs);
    }
}

}  // namespace

std::vector<std::vector<QueuedValue>> QueuedInputs(const SharedState& st, int e) {
    std::vector<std::vector<QueuedValue>> inputs;
    if (e < 1 || e > st.Diagram.LiveElements()) return inputs;
    const ElementRec& el = st.Diagram.Elements[e];
    int n = InputsOf(el);
    for (int i = kMaxArgs; i > n; --i)
        if (el.ArgQueue[static_cast<std::size_t>(i)] > 0) {
            n = i;
            break;
        }
    for (int i = 1; i <= n; ++i)
        inputs.push_back(Queue(st, el.ArgQueue[static_cast<std::size_t>(i)]));
    return inputs;
}
