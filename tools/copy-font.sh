#!/usr/bin/env bash
# Copies the game's font, DotGothic16 (a pixel-style TTF under the SIL Open Font License 1.1),
# from Debian's fonts-dotgothic16 package to the file name the game loads, with its licence.
set -euo pipefail
cd "$(dirname "$0")/.."
package=fonts-dotgothic16
source=/usr/share/fonts/truetype/dotgothic16/DotGothic16-Regular.ttf
out=assets/fonts/mini-pixel-7
if [ ! -f "$source" ]; then
    echo "$source is missing: install the Debian package $package" >&2
    exit 1
fi
mkdir -p "$out"
cp "$source" "$out/mini_pixel-7.ttf"
cp "/usr/share/doc/$package/copyright" "$out/LICENSE"
cat > "$out/README" <<README
mini_pixel-7.ttf is DotGothic16 Regular, copied unchanged from the Debian package
$package ($(dpkg-query -W -f='${Version}' "$package")) by tools/copy-font.sh.
Copyright 2020 The DotGothic16 Project Authors. It is licensed under the SIL Open Font
License, Version 1.1; the full text is in LICENSE beside this file.
README
echo "wrote $out/mini_pixel-7.ttf"
