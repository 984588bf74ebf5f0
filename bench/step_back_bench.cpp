// Taking steps back: what noting a step's changes adds to the step, the memory ten thousand
// steps of the busiest largest diagram hold, and one step back with its redraw on a maximised
// window.

#include "bench_program.h"
#include "engine/run_control.h"
#include "engine/run_menu.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

void Run(BenchProgram& p, int steps) {
    for (int i = 0; i < steps; ++i) ExecuteStep(p.s);
}

// Ten thousand steps recorded: the journal's own count of its bytes, and what the heap grew by.
void BM_JournalOfTenThousandSteps(benchmark::State& state) {
    double bytes = 0, heap = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto p = std::make_unique<BenchProgram>(1920, 1080);
        BuildBusyDiagram(p->program);
        p->canvas.DrawingSuspended = true;
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        Run(*p, RunJournal::kStepsKept);
        state.PauseTiming();
        heap = static_cast<double>(mallinfo2().uordblks - before);
        bytes = static_cast<double>(p->st.Journal.Bytes());
        if (p->st.Journal.Steps() != RunJournal::kStepsKept) state.SkipWithError("steps lost");
        p.reset();
        state.ResumeTiming();
    }
    state.counters["MB"] = heap / 1e6;
    state.counters["bytes_per_step"] = heap / RunJournal::kStepsKept;
    state.counters["journal_bytes_per_step"] = bytes / RunJournal::kStepsKept;
}
BENCHMARK(BM_JournalOfTenThousandSteps)->Unit(benchmark::kMillisecond)->Iterations(1);

// 1ステップ戻る with its redraw, on the busiest largest diagram at 1920 × 1080.
void BM_StepBack(benchmark::State& state) {
    BenchProgram p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    BuildBusyDiagram(p.program);
    p.frm.Timer1.Enabled = false;  // as after 停止; the steps below ask nothing all the same
    auto fill = [&p] {
        for (int i = 0; i < 2000; ++i) ExecuteStep(p.s, StepAsking::Never);
    };
    fill();
    for (auto _ : state) {
        if (!CanStepBack(p.s)) {
            state.PauseTiming();
            fill();
            state.ResumeTiming();
        }
        StepBack(p.s);
    }
}
BENCHMARK(BM_StepBack)->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

}  // namespace
