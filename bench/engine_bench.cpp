// One step of the worked example (constants 3 and 4, "+", a variable), with the redraw that
// shows it on the start-up canvas and on a maximised window, and without drawing at all; without
// drawing also with the journal that 1ステップ戻る takes steps back from switched off.

#include "bench_program.h"
#include "engine/run_control.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ExecuteStep(benchmark::State& state) {
    BenchProgram p(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
    BuildWorkedExample(p);
    p.canvas.DrawingSuspended = state.range(0) == 0;
    p.st.Journal.SetEnabled(state.range(1) != 0);
    // One whole cycle first: from then on every pass ends with the sum in the variable.
    for (int i = 0; i < 4; ++i) ExecuteStep(p.s);
    for (auto _ : state) ExecuteStep(p.s);
    if (p.st.Diagram.Elements[4].Value != QStringLiteral("7"))
        state.SkipWithError("the sum is not 7");
}
BENCHMARK(BM_ExecuteStep)
    ->ArgNames({"redraw", "journal", "", ""})
    ->Args({0, 0, kStartWidth, kStartHeight})
    ->Args({0, 1, kStartWidth, kStartHeight})
    ->Args({1, 1, kStartWidth, kStartHeight})
    ->Args({1, 1, 1920, 1080})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
