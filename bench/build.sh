#!/usr/bin/env bash
# Builds the benchmarks in Release in their own folder (TUMBLELEAF_BENCH_BUILD_DIR, default
# build-bench), installing what is missing, and prints that folder. Used by run.sh and startup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh test >&2

build="${TUMBLELEAF_BENCH_BUILD_DIR:-build-bench}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTUMBLELEAF_BENCH=ON \
    -DTUMBLELEAF_BIN_DIR="$PWD/$build/bin" > /dev/null
cmake --build "$build" -j "$(nproc)" --target tumbleleaf_bench >&2
echo "$build"
