#pragma once
// Builders for tables filled in code, as the editor would leave them: an element with its label
// centred on its circle and the run value of its kind, a connection from rim to rim with its
// label halfway. Used by the tests and the benchmarks.

#include "model/shared_state.h"

#include <initializer_list>

int AddElement(SharedState& st, int kind, const QString& text, double x, double y, double r = 300);
int AddConnection(SharedState& st, int from, int to, const QString& argNo = QString(),
                  std::initializer_list<PointRec> bends = {});
// Constants 1 and 2 into a "+" whose result goes to input 1 of a two-input "mod" whose input 2
// is never fed: every pass queues one more value there, until the value pool is full.
void BuildPoolFiller(SharedState& st);
// The worked example: constants 3 and 4 into a "+" (element 3), whose sum goes to the variable x.
void BuildWorkedExample(SharedState& st);
