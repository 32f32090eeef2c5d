#!/usr/bin/env bash
# Builds Tumbleleaf (installing what is missing) and starts it; options go to the game
# (./play.sh --help lists them).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j "$(nproc)"
cd bin
exec ./tumbleleaf "$@"
