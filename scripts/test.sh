#!/bin/sh
# Installs what is missing, checks the source format, builds everything with AddressSanitizer
# and UndefinedBehaviorSanitizer, runs every test headless, checks the Debian package and its
# desktop files, and fuzzes the diagram reader.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
# Every source file keeps the project's clang-format style.
find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run --Werror
# The benchmarks are built too, so that they keep building, but not run: timings are no tests.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLRUN_SANITIZE=ON \
      -DQUILLRUN_BENCHMARKS=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
scripts/check_packaging.sh
scripts/fuzz.sh 40
