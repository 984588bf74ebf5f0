#include "model/element_value.h"

#include "model/records.h"
#include "model/shared_state.h"

void ResetElementValue(ElementRec& e) {
    switch (e.Kind) {
        case kConstantNumber:
            e.DataType = kTypeNumber;
            e.Value = e.Text;
            break;
        case kConstantString:
            e.DataType = kTypeString;
            e.Value = e.Text;
            break;
        case kVariableNumber:
        case kVariableString:
            e.DataType = kTypeUndefined;
            e.Value.clear();
            break;
        default:
            break;  // functions and operators: DataType and Value are left as they are
    }
}

bool RunOwnsValue(int kind) {
    return kind == kConstantNumber || kind == kConstantString || kind == kVariableNumber ||
           kind == kVariableString;
}
