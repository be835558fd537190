#!/usr/bin/env bash
# Draws the installer's application icon (a cardboard box with a green
# arrow) with ImageMagick and writes startup/qvssetup.ico. The .ico is kept
# in the repository; run this again only to change the artwork.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
draw() {
  local size=$1
  convert -size 64x64 xc:none \
    -fill '#E8B06E' -stroke '#633A14' -strokewidth 2 -draw 'polygon 8,22 22,10 56,10 42,22' \
    -fill '#995C23' -draw 'polygon 42,22 56,10 56,44 42,56' \
    -fill '#CC843A' -draw 'rectangle 8,22 42,56' \
    -stroke none -fill '#F2D49E' -draw 'rectangle 22,22 28,34' -draw 'polygon 30,10 36,10 28,22 22,22' \
    -fill '#20A020' -stroke '#106010' -strokewidth 2 \
    -draw 'polygon 40,28 50,28 50,42 58,42 45,58 32,42 40,42' \
    -resize "${size}x${size}" "$work/icon-$size.png"
}
for size in 16 32 48; do draw "$size"; done
convert "$work/icon-16.png" "$work/icon-32.png" "$work/icon-48.png" qvssetup.ico
