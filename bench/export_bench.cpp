// Pictures of the largest diagram at 1920 × 1080, made into memory as エクスポート makes them:
// the recording, the trimming and the PNG picture at the canvas's scale with its encoding, the
// SVG document and the PDF document, each with the grid beneath and without.

#include "app/diagram_export.h"
#include "bench_program.h"
#include "render/renderer.h"

#include <benchmark/benchmark.h>

namespace {

void ExportArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"grid", "", ""})
        ->Args({0, 1920, 1080})
        ->Args({1, 1920, 1080})
        ->Unit(benchmark::kMicrosecond);
}

void Export(benchmark::State& state, ExportFormat format) {
    BenchProgram p(static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    BuildMaximalDiagram(p);
    RedrawDiagram(p.s, kHighlight);
    ExportOptions options;
    options.grid = state.range(0) != 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray file = ExportBytes(p.s, format, options);
        bytes = static_cast<std::size_t>(file.size());
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["KB"] = static_cast<double>(bytes) / 1024;
}

void BM_ExportPng(benchmark::State& state) {
    Export(state, ExportFormat::Png);
}
BENCHMARK(BM_ExportPng)->Apply(ExportArgs);

void BM_ExportSvg(benchmark::State& state) {
    Export(state, ExportFormat::Svg);
}
BENCHMARK(BM_ExportSvg)->Apply(ExportArgs);

void BM_ExportPdf(benchmark::State& state) {
    Export(state, ExportFormat::Pdf);
}
BENCHMARK(BM_ExportPdf)->Apply(ExportArgs);

}  // namespace
