#!/usr/bin/env bash
# Measures kestro.exe under Wine, in a Wine session of its own, against an ideal exit show
# and an idle one-window program: the time to the picture and where it goes, the cost of
# waiting for the end of the session, and the processor share of playing a sound. Prints
# every figure with its ratio and ends with one KEY VALUE line per figure. Not part of CI.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

bash tools/setup-debian.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2 --target kestro idle_window ideal_show decode_only clock_moved sound_only
# The benchmark build, in a folder of its own: kestro.exe that stamps the stages of its show.
cmake --preset mingw -B build/mingw-timing -DKESTRO_TIMING=ON >/dev/null
cmake --build build/mingw-timing -j2 --target kestro

source tools/wine-session.sh
# A screen of the common size: the two 1920 x 1080 pictures fill it at their own size, and the
# photo is shown fitted to it.
export WINE_SESSION_SCREEN=1920x1080
wine_session_start
# Inside the session's folder, so that the session's end removes it too.
work="$wine_session_dir/bench"
mkdir -p "$work"

# Sections named on the command line run alone: pictures, photo, split, waiting, sound.
python3 bench/measure.py "$root/build/mingw/platform/win32/kestro.exe" \
    "$root/build/mingw-timing/platform/win32/kestro.exe" "$root/build/mingw/bench" "$work" "$@"
