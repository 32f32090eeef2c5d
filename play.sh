#!/usr/bin/env bash
# Builds Tumbleleaf (installing what is missing) and starts it; options go to the game
# (./play.sh --help lists them). The game runs from where you are, so a map named with
# --level is found relative to your folder; it finds its own assets beside its executable.
set -euo pipefail
project="$(cd "$(dirname "$0")" && pwd)"
(
    cd "$project"
    tools/install-deps.sh play
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
    cmake --build build -j "$(nproc)"
)
exec "$project/bin/tumbleleaf" "$@"
