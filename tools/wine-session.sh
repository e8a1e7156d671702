# Source this file, then call wine_session_start: it gives the shell a Wine session of its
# own (a fresh private WINEPREFIX, a private X display, a persistent wineserver) and ends
# it when the shell exits, so that no two runs share state and nothing is left running.
#
#   source tools/wine-session.sh
#   wine_session_start                 # always a private Xvfb display (tests)
#   wine_session_start --reuse-display # keep $DISPLAY when there is one (the demo)
#
# The private display's screen is WINE_SESSION_SCREEN (width x height, 1280x1024 unless set),
# exported for the programs that look at it.
#
# It takes over the shell's EXIT, INT and TERM traps.

wine_session_dir=
wine_session_xvfb_pid=
wine_session_server_pid=
wine_session_sound_pid=

wine_session_log() { echo "wine-session: $*" >&2; }

# Starts Xvfb on a display number it picks itself (-displayfd), so that two sessions on one
# machine never race for the same number.
wine_session_start_xvfb() {
    local number_file="$wine_session_dir/display"
    export WINE_SESSION_SCREEN="${WINE_SESSION_SCREEN:-1280x1024}"
    setsid Xvfb -displayfd 3 -screen 0 "${WINE_SESSION_SCREEN}x24" -nolisten tcp \
        3>"$number_file" >"$wine_session_dir/xvfb.log" 2>&1 &
    wine_session_xvfb_pid=$!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        if [[ -s "$number_file" ]]; then
            export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
            return 0
        fi
        if ! kill -0 "$wine_session_xvfb_pid" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    cat "$wine_session_dir/xvfb.log" >&2
    wine_session_log "Xvfb did not start"
    return 1
}

# A sound server with a null sink, paced by its own clock: sound takes as long to play as it
# lasts, although the machine has no sound card. (ALSA's null device, the fallback when no
# server runs, swallows sound several times faster than it lasts.)
wine_session_start_sound() {
    if ! command -v pulseaudio >/dev/null; then
        wine_session_log "no pulseaudio: sound plays on ALSA's null device"
        return 0
    fi
    export XDG_RUNTIME_DIR="$wine_session_dir/runtime"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    setsid pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
        --use-pid-file=no --disable-shm=yes \
        -L "module-null-sink sink_name=kestro_null" -L module-native-protocol-unix \
        >"$wine_session_dir/pulseaudio.log" 2>&1 &
    wine_session_sound_pid=$!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        if [[ -S "$XDG_RUNTIME_DIR/pulse/native" ]]; then
            return 0
        fi
        sleep 0.1
    done
    cat "$wine_session_dir/pulseaudio.log" >&2
    wine_session_log "the sound server did not start"
    return 1
}

wine_session_start() {
    local started=$SECONDS
    wine_session_dir=$(mktemp -d "${TMPDIR:-/tmp}/kestro-wine.XXXXXX")
    trap wine_session_end EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    # The program's users have Japanese Windows: code page 932 comes from the locale.
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    export WINEPREFIX="$wine_session_dir/prefix"
    export WINEARCH=win64
    export WINEDEBUG="${WINEDEBUG--all}"
    # No Mono or Gecko: they would ask to be downloaded, and nothing here needs them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$WINEPREFIX"

    if [[ "${1-}" != --reuse-display || -z "${DISPLAY-}" ]]; then
        wine_session_start_xvfb || return 1
    fi

    # A persistent server keeps every later wine call from paying for a server start-up. Like
    # Xvfb it gets a process group of its own, so that a signal sent to the caller's group
    # (Ctrl-C, a test runner's time-out) leaves it alive for the orderly shutdown below.
    wine_session_start_sound || return 1

    setsid wineserver -f -p >"$wine_session_dir/wineserver.log" 2>&1 &
    wine_session_server_pid=$!

    wineboot -i >"$wine_session_dir/wineboot.log" 2>&1 || {
        cat "$wine_session_dir/wineboot.log" >&2
        wine_session_log "wineboot -i failed"
        return 1
    }
    # The first boot leaves a driver's start pending for good, which holds Wine's list of
    # services: on a fresh server, services (the Task Scheduler) start when asked.
    wineserver -k
    wait "$wine_session_server_pid" 2>/dev/null || true
    setsid wineserver -f -p >>"$wine_session_dir/wineserver.log" 2>&1 &
    wine_session_server_pid=$!
    # Debian's Wine does not find its own fonts (fonts-wine) on its own; from the prefix's
    # Fonts folder it does. Marlett among them draws caption buttons and check marks.
    if [[ -d /usr/share/wine/fonts ]]; then
        cp -n -s /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    # Without a window manager Wine would draw its own title bars on the program's windows;
    # a crash must end the process, not wait for a click on Wine's crash dialog.
    printf '%s\r\n' 'REGEDIT4' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Decorated"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' \
        >"$wine_session_dir/session.reg"
    wine regedit /S "$wine_session_dir/session.reg" >/dev/null 2>&1
    wine_session_log "prefix ready in $((SECONDS - started)) s (DISPLAY=$DISPLAY)"
}

wine_session_stop_pid() {
    local pid=$1
    if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
}

wine_session_end() {
    local status=$?
    trap - EXIT INT TERM
    if [[ -n "$wine_session_server_pid" ]]; then
        # -k ends this prefix's server and, with it, every Wine process that ran in it.
        wineserver -k 2>/dev/null || true
        wine_session_stop_pid "$wine_session_server_pid"
    fi
    wine_session_stop_pid "$wine_session_sound_pid"
    wine_session_stop_pid "$wine_session_xvfb_pid"
    if [[ -n "$wine_session_dir" ]]; then
        rm -rf "$wine_session_dir"
    fi
    exit "$status"
}
