#!/bin/sh
# Installs what is missing, builds the benchmarks optimised and runs them offscreen, then the
# automatic run of the real window on a virtual X display. Arguments go to Google Benchmark,
# e.g. --benchmark_filter=Redraw.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target quillrun_bench quillrun_window_bench
QT_QPA_PLATFORM=offscreen build/bench/quillrun_bench "$@"
tests/window/xvfb_run.sh build/bench/quillrun_window_bench
