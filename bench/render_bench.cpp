// The redraw of the maximal diagram against the floor (clearing the back canvas and publishing
// it), and one pointer move with its exclusive-or feedback in the rubber-line and element-moving
// states.

#include "bench_program.h"
#include "editor/pointer_tracking.h"
#include "render/renderer.h"

#include <benchmark/benchmark.h>

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

void BM_RedrawDiagram(benchmark::State& state) {
    BenchProgram p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    BuildMaximalDiagram(p);
    for (auto _ : state) RedrawDiagram(p.s, kHighlight);
}
BENCHMARK(BM_RedrawDiagram)->Apply(SizeArgs);

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
