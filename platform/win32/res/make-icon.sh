#!/usr/bin/env bash
# Draws the application icon, a sun setting over the sea, as kestro.ico: a 16 x 16 and a
# 32 x 32 image of 16 colours each. Needs ImageMagick; run it from anywhere.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# draw SIZE: sky in three bands, the upper half of the sun on the horizon, the sea below it
# with two streaks of the sun's reflection.
draw() {
    local s=$1
    local horizon=$((s * 5 / 8)) sun=$((s * 9 / 32))
    local mid=$((s / 2)) band=$((horizon / 3))
    convert -size "${s}x${s}" xc:'#1f2a6b' +antialias \
        -fill '#6a3f8f' -draw "rectangle 0,${band} $((s - 1)),$((2 * band))" \
        -fill '#e07a3a' -draw "rectangle 0,$((2 * band)) $((s - 1)),${horizon}" \
        -fill '#ffd23f' -draw "circle ${mid},${horizon} ${mid},$((horizon - sun))" \
        -fill '#0b1f3a' -draw "rectangle 0,${horizon} $((s - 1)),$((s - 1))" \
        -fill '#ffd23f' \
        -draw "rectangle $((mid - sun + 1)),$((horizon + s / 8)) $((mid + sun - 2)),$((horizon + s / 8))" \
        -draw "rectangle $((mid - sun / 2)),$((horizon + s / 4)) $((mid + sun / 2 - 1)),$((horizon + s / 4))" \
        -colors 16 -type Palette "BMP3:$work/sun$s.bmp"
}

draw 16
draw 32
convert "$work/sun16.bmp" "$work/sun32.bmp" -colors 16 kestro.ico
