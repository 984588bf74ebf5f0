#pragma once
// Removing one entry from the element or connection table: later entries move down one place
// and the count drops. The slot that was last keeps a stale copy; nothing else is renumbered.

struct SharedState;

void RemoveConnectionAt(SharedState& st, int i);
void RemoveElementAt(SharedState& st, int i);
