#!/usr/bin/env bash
# Measures kestro.exe under Wine against baselines, in a Wine session of its own: the cost of
# waiting for the end of the session next to an idle program, the processor share of playing a
# sound, and the time from the end of the session to the picture on screen next to decoding
# the picture alone. Not part of CI.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

bash tools/setup-debian.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target kestro idle_window decode_only

source tools/wine-session.sh
wine_session_start
# Inside the session's folder, so that the session's end removes it too.
work="$wine_session_dir/bench"
mkdir -p "$work"

python3 bench/measure.py "$root/build/mingw/platform/win32/kestro.exe" "$root/build/mingw/bench" \
    "$work"
