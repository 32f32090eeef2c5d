#!/usr/bin/env bash
# Builds the benchmarks in Release in their own folder and runs them in a private 1920x1080
# Xvfb, then prints the level's figures: load against a bare parse, a physics tick, an update,
# and the whole frame (median time and draw calls) against its floor.
# Usage: bench/run.sh [benchmark options], e.g. bench/run.sh --benchmark_filter=Frame
# TUMBLELEAF_BENCH_BUILD_DIR picks the build folder (default build-bench); TUMBLELEAF_BENCH_REPS
# the number of repetitions (default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(bench/build.sh)"

# Repetitions of different benchmarks are interleaved, so that a burst of load from elsewhere on
# the machine spreads over all of them instead of skewing one.
ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" \
    "$build/bench/tumbleleaf_bench" --benchmark_repetitions="${TUMBLELEAF_BENCH_REPS:-15}" \
    --benchmark_enable_random_interleaving=true "$@"
