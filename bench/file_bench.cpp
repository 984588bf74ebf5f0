// Saving and loading the maximal diagram through the File menu's routines and the same bytes
// made and read in memory, and a hit test that hits nothing, so that it scans every element,
// label, bend point and segment.

#include "app/file_commands.h"
#include "bench_program.h"
#include "model/diagram_file.h"
#include "render/hit_test.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

namespace {

// A save waits until the disk has the new file before it replaces the old one. The same save
// into a folder held in memory shows the program's own share.
void BM_SaveDiagram(benchmark::State& state) {
    BenchProgram p(kStartWidth, kStartHeight);
    BuildMaximalDiagram(p);
    QTemporaryDir inMemory(QStringLiteral("/dev/shm/quillrun-bench-XXXXXX"));
    const bool memory = state.range(0) == 1;
    if (memory && !inMemory.isValid()) {
        state.SkipWithError("no folder in memory");
        return;
    }
    const QString path =
        (memory ? inMemory.path() : p.folder.path()) + QStringLiteral("/maximal.qrn");
    for (auto _ : state)
        if (!SaveDiagram(p.s, path)) state.SkipWithError("the save failed");
}
BENCHMARK(BM_SaveDiagram)->ArgName("memory")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Reads the file, replaces the tables and redraws the start-up canvas, every pixel afresh as
// when another diagram was shown before.
void BM_LoadDiagram(benchmark::State& state) {
    BenchProgram p(kStartWidth, kStartHeight);
    BuildMaximalDiagram(p);
    const QString path = p.folder.filePath(QStringLiteral("maximal.qrn"));
    SaveDiagram(p.s, path);
    for (auto _ : state) {
        p.canvas.ForgetDrawnFrame();
        if (!LoadDiagram(p.s, path)) state.SkipWithError("the load failed");
    }
    if (p.st.Diagram.ConnCount != kMaxConnections) state.SkipWithError("connections were lost");
}
BENCHMARK(BM_LoadDiagram)->Unit(benchmark::kMicrosecond);

// The file's bytes alone, made from the tables and read back into them, without the disk.
void BM_WriteDiagram(benchmark::State& state) {
    BenchProgram p(kStartWidth, kStartHeight);
    BuildMaximalDiagram(p);
    for (auto _ : state) benchmark::DoNotOptimize(WriteDiagram(p.st.Diagram));
}
BENCHMARK(BM_WriteDiagram)->Unit(benchmark::kMicrosecond);

void BM_ReadDiagram(benchmark::State& state) {
    BenchProgram p(kStartWidth, kStartHeight);
    BuildMaximalDiagram(p);
    const QByteArray bytes = WriteDiagram(p.st.Diagram);
    for (auto _ : state)
        if (ReadDiagram(bytes, p.st.Diagram) != DiagramRead::Loaded)
            state.SkipWithError("the read failed");
}
BENCHMARK(BM_ReadDiagram)->Unit(benchmark::kMicrosecond);

void BM_HitTestMiss(benchmark::State& state) {
    BenchProgram p(kStartWidth, kStartHeight);
    BuildMaximalDiagram(p);
    p.st.SelKind.clear();
    for (auto _ : state) {
        HitTest(p.st, -5000.0f, -5000.0f);
        benchmark::DoNotOptimize(p.st.SelKind);
    }
    if (!p.st.SelKind.isEmpty()) state.SkipWithError("the point hit something");
}
BENCHMARK(BM_HitTestMiss)->Unit(benchmark::kMicrosecond);

}  // namespace
