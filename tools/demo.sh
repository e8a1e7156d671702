#!/usr/bin/env bash
# Shows what Kestro does, on Linux: builds kestro.exe, sets it up to show the sample picture,
# runs its test mode under Wine and saves a screenshot of the show as shot.png.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

bash tools/setup-debian.sh
cmake --preset mingw
cmake --build --preset mingw --target kestro

# A folder laid out as on a user's machine: the program with its settings beside it.
run="$root/build/demo"
rm -rf "$run"
mkdir -p "$run"
cp build/mingw/platform/win32/kestro.exe samples/sample.jpg "$run/"
printf '[Kestro]\r\nMediaFile=Z:%s\r\nTime=3\r\n' "${run//\//\\}\\sample.jpg" >"$run/kestro.ini"

source tools/wine-session.sh
wine_session_start --reuse-display

cd "$run"
wine kestro.exe /test &
kestro=$!
for ((tries = 0; tries < 200; tries++)); do
    if xdotool search --onlyvisible --name '^Windows の終了$' >/dev/null 2>&1; then
        break
    fi
    sleep 0.05
done
sleep 0.5 # the first paint follows the window's appearance
import -window root "$root/shot.png"
wait "$kestro"
echo "demo: the show ended; screenshot: $root/shot.png"
