#!/usr/bin/env bash
# Draws wizard.bmp, the picture on the installer's welcome and finish pages: the icon's sun
# setting over the sea (platform/win32/res/make-icon.sh), at the 164 x 314 the pages show, as
# a 24-bit BMP3. Needs ImageMagick; run it from anywhere. Its output is committed, so that
# the build needs no ImageMagick.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

width=164 height=314
# As in the icon: the horizon at five eighths down, three bands of sky above it, the upper
# half of the sun on it, the sea below it with two streaks of the sun's reflection.
horizon=$((height * 5 / 8)) sun=$((width * 9 / 32))
mid=$((width / 2)) band=$((horizon / 3)) sea=$((height - horizon))
# The streaks' top rows; each is three rows thick.
first=$((horizon + sea / 5)) second=$((horizon + 2 * sea / 5))

convert -size "${width}x${height}" xc:'#1f2a6b' \
    -fill '#6a3f8f' -draw "rectangle 0,${band} $((width - 1)),$((2 * band))" \
    -fill '#e07a3a' -draw "rectangle 0,$((2 * band)) $((width - 1)),${horizon}" \
    -fill '#ffd23f' -draw "circle ${mid},${horizon} ${mid},$((horizon - sun))" \
    -fill '#0b1f3a' -draw "rectangle 0,${horizon} $((width - 1)),$((height - 1))" \
    -fill '#ffd23f' \
    -draw "rectangle $((mid - sun + 1)),${first} $((mid + sun - 2)),$((first + 2))" \
    -draw "rectangle $((mid - sun / 2)),${second} $((mid + sun / 2 - 1)),$((second + 2))" \
    -alpha off -type TrueColor BMP3:wizard.bmp
