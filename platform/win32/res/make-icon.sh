#!/usr/bin/env bash
# Draws the application icon (a setting sun over the horizon) as 16-colour 16x16 and 32x32
# images. The .ico is committed; run this only to change it.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 32x32 xc:'#1b2a6b' \
    -fill '#e8702a' -draw 'rectangle 0,20 31,31' \
    -fill '#ffd23f' -draw 'circle 16,20 16,10' \
    -fill '#1b2a6b' -draw 'rectangle 0,21 31,31' \
    -fill '#e8702a' -draw 'rectangle 0,22 31,23' \
    -fill '#c2452d' -draw 'rectangle 0,26 31,27' \
    "$tmp/32.png"
convert "$tmp/32.png" -resize 16x16 "$tmp/16.png"
convert "$tmp/16.png" "$tmp/32.png" -colors 16 -type Palette kestro.ico
