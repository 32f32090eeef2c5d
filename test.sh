#!/usr/bin/env bash
# Builds Tumbleleaf with every warning an error and the address and undefined-behaviour
# sanitizers, then runs every test: the ones that need a display under a private Xvfb. Then the
# loaders are fuzzed: a second build with clang's libFuzzer (in <build>-fuzz) runs each fuzz target
# for TUMBLELEAF_FUZZ_SECONDS seconds (default 25; 0 skips the fuzzing).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test

build="${TUMBLELEAF_BUILD_DIR:-build-tests}"
# The benchmarks are built too, never run: a change that breaks them fails here.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTUMBLELEAF_TESTS=ON -DTUMBLELEAF_WERROR=ON \
    -DTUMBLELEAF_SANITIZE=ON -DTUMBLELEAF_BIN_DIR="$PWD/$build/bin" \
    -DTUMBLELEAF_BENCH=ON > /dev/null
cmake --build "$build" -j "$(nproc)"

tools/check-format.sh

# One X server for the whole run; tests that need no display have DISPLAY removed by CTest, and
# the end-to-end tests start servers of their own. -noreset: with tests side by side, a test must
# not connect while the server resets after another test's last window has gone.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1920x1080x24 -nolisten tcp -noreset \
    > "$build/xvfb.log" 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
read -r -t 30 display <&"$displayfd"
export DISPLAY=":$display"
export ALSOFT_DRIVERS=null

(cd "$build" && ctest --output-on-failure --timeout 300 -j "$(nproc)" "$@")

fuzz_seconds="${TUMBLELEAF_FUZZ_SECONDS:-25}"
if [ "$fuzz_seconds" != 0 ]; then
    fuzz_build="$build-fuzz"
    CC=clang CXX=clang++ cmake -S . -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTUMBLELEAF_FUZZ=ON -DTUMBLELEAF_FUZZ_SECONDS="$fuzz_seconds" > /dev/null
    cmake --build "$fuzz_build" -j "$(nproc)" --target fuzz_tmx fuzz_property fuzz_leaderboard \
        fuzz_mapcheck
    (cd "$fuzz_build" && ctest --output-on-failure -L fuzz)
fi
