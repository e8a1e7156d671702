#!/usr/bin/env bash
# Runs every test from a bare Debian 12: installs what is missing, runs the unit tests of the
# logic natively, then builds kestro.exe and runs its tests (the Win32 layer and the end-to-end
# tests) under Wine, in one private session, and builds kestro.exe once more with clang and
# warnings as errors. Exits non-zero if anything failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/setup-debian.sh || exit 1

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
failed=0

# Runs one stage; its output goes to the terminal and to a log for the summary at the end.
stage() {
    local name=$1
    shift
    echo "=== $name: $*"
    "$@" 2>&1 | tee "$logs/$name.log"
    local status=${PIPESTATUS[0]}
    if ((status != 0)); then
        echo "=== $name failed (exit status $status)"
        failed=1
    fi
    return "$status"
}

if stage native-configure cmake --preset native &&
    stage native-build cmake --build --preset native; then
    stage native-test ctest --preset native
fi
if stage mingw-configure cmake --preset mingw &&
    stage mingw-build cmake --build --preset mingw; then
    stage mingw-test bash tools/with-wine-session.sh ctest --preset mingw
fi
clang_result="not run (its configuration failed)"
if stage clang-configure cmake --preset mingw-clang; then
    if stage clang-build cmake --build --preset mingw-clang; then
        clang_result="kestro.exe built without a warning"
    else
        clang_result="failed"
    fi
fi

echo "=== summary"
for name in native-test mingw-test; do
    if [[ -f "$logs/$name.log" ]]; then
        # ctest closes with its count, the total time and the list of failed tests.
        awk '/tests passed/ { summary = 1 } summary && NF' "$logs/$name.log" | sed "s/^/$name: /"
    else
        echo "$name: not run (its build failed)"
    fi
done
echo "clang-build: $clang_result"
exit "$failed"
