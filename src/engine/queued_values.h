#pragma once
// The values waiting at an element's inputs, read without taking any: for reports of a run and
// for anyone who wants to show what a queue holds.

#include <QString>
#include <utility>
#include <vector>

struct SharedState;

// One queued value: its type text and its value text.
using QueuedValue = std::pair<QString, QString>;

// How many inputs of element e are worth listing: max(ArgCount, 1) for a function or an
// operator, 1 for a variable, none for a constant, but never fewer than the highest input
// (1..30) that holds a value. 0 for a number that names no live element.
int ListedInputs(const SharedState& st, int e);

// The inputs 1..ListedInputs(st, e) of element e, each with its values from the head of its
// queue to its tail. A queue whose cells lead back into themselves ends before the first cell
// met again; a link out of the pool ends it too.
std::vector<std::vector<QueuedValue>> QueuedInputs(const SharedState& st, int e);
