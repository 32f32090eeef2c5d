#!/usr/bin/env bash
# Builds Tumbleleaf with every warning an error and the address and undefined-behaviour
# sanitizers, then runs every test: the ones that need a display under a private Xvfb.
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

# One X server for the whole run; tests that need no display have DISPLAY removed by CTest.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1920x1080x24 -nolisten tcp > "$build/xvfb.log" 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
read -r -t 30 display <&"$displayfd"
export DISPLAY=":$display"
export ALSOFT_DRIVERS=null

cd "$build"
ctest --output-on-failure --timeout 300 "$@"
