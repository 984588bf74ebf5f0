#!/bin/sh
# Installs what is missing, builds Quillrun and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target quillrun quillrun-run
exec build/quillrun "$@"
