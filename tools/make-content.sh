#!/usr/bin/env bash
# Rebuilds the game's content under assets/ from our generators, in the order they depend on
# each other: the font (the pictures and maps measure their labels with it), the pictures, the
# maps (the screens and every race, the courses in assets/courses/ too), the race music, the
# sound effects and the folder the leaderboard is written to.
# Needs Debian's fonts-dotgothic16, python3-pil and sox (tools/install-deps.sh test has them).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/copy-font.sh
/usr/bin/python3 tools/make-pictures.py
/usr/bin/python3 tools/make-maps.py
tools/make-level-music.sh
tools/make-sounds.sh
mkdir -p assets/SaveFiles
