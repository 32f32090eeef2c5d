#!/bin/sh
# The map checker's exit statuses, which scripts and CI rely on: 0 for a clean map, 1 for a map
# with an error, 2 for a wrong command line; and --assets is where images and fonts are looked
# for. Run from the source folder with the checker as the only argument.
check="$1"
status() {  # expected status, then the checker's arguments
    want="$1"
    shift
    "$check" "$@" >/dev/null 2>&1
    got=$?
    if [ "$got" -ne "$want" ]; then
        echo "tumbleleaf-mapcheck $*: exit status $got, not $want"
        failed=1
    fi
}
failed=0
empty=$(mktemp -d)
trap 'rmdir "$empty"' EXIT
status 0 --assets assets assets/TileMap.tmx
status 1 --assets "$empty" assets/TileMap.tmx
status 1 "$empty/none.tmx"
status 2
status 2 --assets
status 2 --bogus assets/TileMap.tmx
exit $failed
