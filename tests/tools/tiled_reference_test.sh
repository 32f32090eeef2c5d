#!/bin/sh
# Tiled itself is the reference for what a map means: every shipped map saved again by Tiled
# makes the same game and passes the checker, and Tiled's own reading of a map built from
# templates is the map written out in full.
# Usage: tiled_reference_test.sh MAPDIFF MAPCHECK (from the project folder)
set -eu
mapdiff=$1
mapcheck=$2
if ! command -v tiled >/dev/null 2>&1; then
    echo "SKIPPED: Tiled is not installed (tools/install-deps.sh test installs it)"
    exit 77
fi
export QT_QPA_PLATFORM=offscreen
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Saved in a copy of the same folders, so that every relative path Tiled writes stays the same.
cp -r assets "$scratch/assets"
mkdir -p "$scratch/tests/data"
cp -r tests/data/templates "$scratch/tests/data/templates"

export_map() {  # source target [tiled options]
    source=$1 target=$2
    shift 2
    tiled "$@" --export-map "$source" "$target" 2>"$scratch/tiled.log" \
        || { cat "$scratch/tiled.log"; echo "FAIL: Tiled could not save $source"; exit 1; }
}

failed=0
for map in assets/*.tmx assets/courses/*.tmx; do
    saved="$scratch/${map%.tmx}-by-tiled.tmx"
    export_map "$scratch/$map" "$saved"
    "$mapdiff" "$map" "$saved" || { echo "FAIL: $map saved by Tiled makes another game"; failed=1; }
    remarks=$("$mapcheck" "$saved" || true)
    [ -z "$remarks" ] || { echo "$remarks"; echo "FAIL: the checker speaks up on $map saved by Tiled"; failed=1; }
done

templates="$scratch/tests/data/templates"
export_map "$templates/TemplatedRace.tmx" "$templates/Detached.tmx" --detach-templates
"$mapdiff" "$templates/Detached.tmx" tests/data/templates/FullRace.tmx \
    || { echo "FAIL: Tiled reads the templated race otherwise than it is written out"; failed=1; }
[ "$failed" -eq 0 ] && echo "every map makes the same game as Tiled saves it"
exit "$failed"
