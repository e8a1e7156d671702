#!/usr/bin/env bash
# Installs what building and testing Kestro on Debian 12 needs, and only what is missing,
# so that a second run costs nothing and a fresh machine (CI) gets everything.
set -euo pipefail

# Wine is installed without its recommends: the picture decoders (windowscodecs)
# are Wine's own PE build and need none of them. Two of them are fonts it does need:
# fonts-wine brings Marlett, the symbol font of caption buttons, check marks and scroll
# arrows (without it a close box draws as the letter "r"), and under code page 932 Wine
# falls back to a Japanese font, so without a full one (fonts-ipafont-gothic) even Latin
# letters draw as boxes. NSIS builds the installer; CMake itself writes the portable zip.
# libfaketime lets the benchmark move the clock of the programs it measures, and no other's.
packages=(
    cmake ninja-build g++ googletest libgtest-dev libgmock-dev
    g++-mingw-w64-x86-64 clang lld
    wine wine64 xvfb xdotool x11-utils
    imagemagick ffmpeg sox pulseaudio
    locales fonts-ipafont-gothic fonts-wine
    python3 procps clang-format
    nsis libfaketime
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "setup-debian: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The end-to-end tests run Wine with LANG=ja_JP.UTF-8 to get the ANSI code page 932, and the
# English cases with LANG=en_US.UTF-8; without the locale Wine would read their command lines
# in ASCII.
for locale_name in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qix "${locale_name}.utf8"; then
        echo "setup-debian: generating the ${locale_name}.UTF-8 locale"
        localedef -i "$locale_name" -c -f UTF-8 -A /usr/share/locale/locale.alias \
            "${locale_name}.UTF-8"
    fi
done

# Wine opens the default ALSA device for sound; a null device works without a sound card.
if [[ ! -e "$HOME/.asoundrc" ]]; then
    printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
fi
