// The redraw of the maximal diagram against two floors (clearing the back canvas and publishing
// it; and plain memset and memcpy of as many bytes, which no drawing can beat), and one pointer
// move with its exclusive-or feedback in the rubber-line and element-moving states.

#include "bench_program.h"
#include "editor/pointer_tracking.h"
#include "render/renderer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void SizeArgs(benchmark::internal::Benchmark* b) {
    b->Args({kStartWidth, kStartHeight})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
}

void BM_Floor(benchmark::State& state) {
    BenchProgram p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        p.canvas.Picture2.Clear();
        p.canvas.Publish();
    }
}
BENCHMARK(BM_Floor)->Apply(SizeArgs);

// A canvas-sized buffer set to white and copied to another, with nothing but the C library.
void BM_RawFloor(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0) * state.range(1)) * 4;
    std::vector<std::uint32_t> back(bytes / 4), shown(bytes / 4);
    for (auto _ : state) {
        std::memset(back.data(), 0xFF, bytes);
        benchmark::ClobberMemory();
        std::memcpy(shown.data(), back.data(), bytes);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(shown.data());
}
BENCHMARK(BM_RawFloor)->Apply(SizeArgs);

// Every pixel drawn afresh: the redraw forgets what it drew the time before, as after a load
// or a resize.
void BM_RedrawDiagram(benchmark::State& state) {
    BenchProgram p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    BuildMaximalDiagram(p);
    for (auto _ : state) {
        p.canvas.ForgetDrawnFrame();
        RedrawDiagram(p.s, kHighlight);
    }
}
BENCHMARK(BM_RedrawDiagram)->Apply(SizeArgs);

// The same redraw again and again with nothing changed, as the benchmark measured it before the
// redraw drew only what changed: now it finds nothing to draw.
void BM_RedrawUnchanged(benchmark::State& state) {
    BenchProgram p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    BuildMaximalDiagram(p);
    for (auto _ : state) RedrawDiagram(p.s, kHighlight);
}
BENCHMARK(BM_RedrawUnchanged)->Apply(SizeArgs);

// The selection goes to and fro between two bend points of one connection: the redraw draws
// again only what that changes.
void BM_RedrawSelection(benchmark::State& state) {
    BenchProgram p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    BuildMaximalDiagram(p);
    RedrawDiagram(p.s, kHighlight);
    bool there = false;
    for (auto _ : state) {
        there = !there;
        p.st.SelPoint = there ? 6 : 5;
        RedrawDiagram(p.s, kHighlight);
    }
}
BENCHMARK(BM_RedrawSelection)->Apply(SizeArgs);

// The pointer goes to and fro between two points, so every move erases the figure of the one
// before and draws a new one.
void MoveToAndFro(benchmark::State& state, BenchProgram& p, float x1, float y1, float x2,
                  float y2) {
    bool there = false;
    for (auto _ : state) {
        there = !there;
        frmMain::Picture1_MouseMove(p.s, 0, 0, there ? x2 : x1, there ? y2 : y1);
    }
}

void BM_PointerMove112(benchmark::State& state) {
    BenchProgram p(kStartWidth, kStartHeight);
    BuildMaximalDiagram(p);
    RedrawDiagram(p.s, kHighlight);
    // The last connection is being drawn from its start element, no bend point yet.
    SharedState& st = p.st;
    ConnectionRec& c = st.Diagram.Connections[st.Diagram.ConnCount];
    c.ToElem = 0;
    c.PointCount = 0;
    const ElementRec& from = st.Diagram.Elements[c.FromElem];
    st.AnchorX = from.X + from.R;
    st.AnchorY = from.Y;
    st.PointerX = st.AnchorX;
    st.PointerY = st.AnchorY;
    st.EditState = Editing::ConnectRubber;
    MoveToAndFro(state, p, 5200, 3700, 900, 3300);
}
BENCHMARK(BM_PointerMove112)->Unit(benchmark::kMicrosecond);

void BM_PointerMove220(benchmark::State& state) {
    BenchProgram p(kStartWidth, kStartHeight);
    BuildMaximalDiagram(p);
    SharedState& st = p.st;
    st.SelKind = kSelElement;
    st.SelIndex = 45;
    RedrawDiagram(p.s, kHighlight);
    st.AnchorX = st.PointerX = st.Diagram.Elements[45].X;
    st.AnchorY = st.PointerY = st.Diagram.Elements[45].Y;
    st.EditState = Editing::MoveElement;
    MoveToAndFro(state, p, 5200, 3700, 900, 3300);
}
BENCHMARK(BM_PointerMove220)->Unit(benchmark::kMicrosecond);

}  // namespace
