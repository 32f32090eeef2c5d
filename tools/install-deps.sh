#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and be tested, when any is missing.
# Usage: tools/install-deps.sh [play|test]
set -euo pipefail

play_packages=(build-essential cmake pkg-config libsfml-dev librapidxml-dev)
test_packages=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils
               libgl1-mesa-dri libgl-dev python3 python3-xlib imagemagick sox clang-format
               python3-pil fonts-dotgothic16 clang libclang-rt-14-dev tiled
               debootstrap)

packages=("${play_packages[@]}")
if [ "${1:-play}" = test ]; then
    packages+=("${test_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
