#!/bin/sh
# Fuzzes the diagram file reader: builds the libFuzzer target with clang in build-fuzz and runs
# it for the given number of seconds (default 45) on a fresh copy of the seed corpus.
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-45}"
scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQUILLRUN_FUZZ=ON -DQUILLRUN_TESTS=OFF -DQUILLRUN_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target diagram_reader_fuzzer

# The seeds: the test files, the sample diagram and the fuzzer's own seeds. The working corpus
# (ignored by git) starts from them on every run.
corpus=fuzz/corpus-run
rm -rf "$corpus"
mkdir -p "$corpus" build-fuzz/artifacts
cp tests/data/*.qrn data/testData5.qrn fuzz/seeds/* "$corpus"/

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
build-fuzz/fuzz/diagram_reader_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -dict=fuzz/diagram.dict -artifact_prefix=build-fuzz/artifacts/ \
    -print_final_stats=1 "$corpus"
