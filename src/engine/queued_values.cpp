#include "engine/queued_values.h"

#include "engine/transfer.h"
#include "model/shared_state.h"

#include <algorithm>
#include <array>

namespace {

bool IsLive(const SharedState& st, int e) {
    return e >= 1 && e <= st.Diagram.LiveElements();
}

std::vector<QueuedValue> QueueFrom(const SharedState& st, Long head) {
    std::vector<QueuedValue> values;
    std::array<bool, kMaxCells + 1> seen{};
    for (Long c = head; c >= 1 && c <= kMaxCells && !seen[c]; c = st.Cells[c].Next) {
        seen[c] = true;
        values.emplace_back(st.Cells[c].DataType, st.Cells[c].Value);
    }
    return values;
}

}  // namespace

int ListedInputs(const SharedState& st, int e) {
    if (!IsLive(st, e)) return 0;
    const ElementRec& rec = st.Diagram.Elements[e];
    int listed = 0;
    switch (rec.Kind) {
        case kVariableNumber:
        case kVariableString:
            listed = 1;
            break;
        case kFunction:
        case kPlus:
        case kMinus:
        case kTimes:
        case kDivide:
            listed = std::clamp<int>(rec.ArgCount, 1, kMaxArgs);
            break;
        default:
            break;  // constants, and kinds the program does not know, take no input
    }
    for (int i = kMaxArgs; i > listed; --i)
        if (QueueHoldsValue(st, e, i)) return i;
    return listed;
}

std::vector<std::vector<QueuedValue>> QueuedInputs(const SharedState& st, int e) {
    std::vector<std::vector<QueuedValue>> inputs;
    const int listed = ListedInputs(st, e);
    inputs.reserve(listed);
    for (int i = 1; i <= listed; ++i)
        inputs.push_back(QueueFrom(st, st.Diagram.Elements[e].ArgQueue[i]));
    return inputs;
}
