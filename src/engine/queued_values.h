#pragma once
// The values waiting at an element's inputs, as a person or a report wants to see them: for each
// input in order, its queued (type, value) pairs in queue order. It changes nothing.

#include <QString>
#include <utility>
#include <vector>

struct SharedState;

using QueuedValue = std::pair<QString, QString>;  // type, value

// Inputs 1..n of element e: n is max(ArgCount, 1) for functions and operators, 1 for variables,
// 0 for constants, but never fewer than the highest input that holds a value.
std::vector<std::vector<QueuedValue>> QueuedInputs(const SharedState& st, int e);
