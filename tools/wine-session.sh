# Source this file, then call wine_session_start: it gives the shell a Wine session of its
# own (a fresh private WINEPREFIX, a private X display, a persistent wineserver) and ends
# it when the shell exits, so that no two runs share state and nothing is left running.
#
#   source tools/wine-session.sh
#   wine_session_start                 # always a private Xvfb display (tests)
#   wine_session_start --reuse-display # keep $DISPLAY when there is one (the demo)
#   wine_session_repair                # from any process of the session: start again what ended
#
# The private display's screen is WINE_SESSION_SCREEN (width x height, 1280x1024 unless set),
# exported for the programs that look at it.
#
# It takes over the shell's EXIT, INT and TERM traps.

# The session's folder, exported as WINE_SESSION_DIR. It holds each part's log and process id
# (xvfb, pulseaudio, wineserver), so that wine_session_repair, run by another process of the
# session, finds them, and repairs.log, the record of what it started again.
wine_session_dir=
# What the session started itself, of its parts.
wine_session_parts=

wine_session_log() { echo "wine-session: $*" >&2; }

# Nothing for a part that the session did not start (the display it reuses, a missing sound
# server), without failing: the EXIT trap may run under `set -e`.
wine_session_pid() {
    if [[ -f "$wine_session_dir/$1.pid" ]]; then
        cat "$wine_session_dir/$1.pid"
    fi
}

# A part whose process ended but was not yet reaped by the shell that started it is a zombie:
# it has ended all the same.
wine_session_running() {
    local pid
    pid=$(wine_session_pid "$1")
    [[ -n "$pid" && "$(ps -o stat= -p "$pid" 2>/dev/null)" == [^Z]* ]]
}

# Starts a part's command in a process group of its own, detached from the caller's output, so
# that a signal sent to the caller's group (Ctrl-C, a test runner's time-out) leaves it alive for
# the orderly shutdown, and a test runner waiting for its test's output to close does not wait
# for it.
wine_session_spawn() {
    local part=$1
    shift
    setsid "$@" </dev/null >>"$wine_session_dir/$part.log" 2>&1 &
    echo "$!" >"$wine_session_dir/$part.pid"
}

# Starts Xvfb on display number $1, or on one it picks itself so that two sessions on one
# machine never race for the same number; -displayfd tells when it is ready.
wine_session_start_xvfb() {
    local number_file="$wine_session_dir/display"
    export WINE_SESSION_SCREEN="${WINE_SESSION_SCREEN:-1280x1024}"
    wine_session_spawn xvfb Xvfb ${1:+":$1"} -displayfd 3 -screen 0 "${WINE_SESSION_SCREEN}x24" \
        -nolisten tcp 3>"$number_file"
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        if [[ -s "$number_file" ]]; then
            export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
            return 0
        fi
        if ! wine_session_running xvfb; then
            break
        fi
        sleep 0.1
    done
    tail -n 20 "$wine_session_dir/xvfb.log" >&2
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
    # A server killed outright leaves its socket behind, which would pass for the new one's.
    rm -f "$XDG_RUNTIME_DIR/pulse/native"
    # Errors only: its warnings about running as root and without D-Bus would bury them.
    wine_session_spawn pulseaudio pulseaudio -n --daemonize=no --exit-idle-time=-1 \
        --disallow-exit --use-pid-file=no --disable-shm=yes --log-level=error \
        -L "module-null-sink sink_name=kestro_null" -L module-native-protocol-unix
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        if [[ -S "$XDG_RUNTIME_DIR/pulse/native" ]]; then
            return 0
        fi
        if ! wine_session_running pulseaudio; then
            break
        fi
        sleep 0.1
    done
    tail -n 20 "$wine_session_dir/pulseaudio.log" >&2
    wine_session_log "the sound server did not start"
    return 1
}

wine_session_start_server() {
    wine_session_spawn wineserver wineserver -f -p
}

wine_session_start() {
    local started=$SECONDS
    wine_session_dir=$(mktemp -d "${TMPDIR:-/tmp}/kestro-wine.XXXXXX")
    export WINE_SESSION_DIR=$wine_session_dir
    trap wine_session_end EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    # The program's users have Japanese Windows: code page 932 comes from the locale.
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    export WINEPREFIX="$wine_session_dir/prefix"
    export WINEARCH=win64
    # Wine's diagnostics (such as "no driver could be loaded" when the display is gone) say why
    # a program failed to start; the rest of its messages are noise here.
    export WINEDEBUG="${WINEDEBUG--all,err+winediag}"
    # No Mono or Gecko: they would ask to be downloaded, and nothing here needs them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$WINEPREFIX"

    if [[ "${1-}" != --reuse-display || -z "${DISPLAY-}" ]]; then
        wine_session_start_xvfb || return 1
        wine_session_parts=xvfb
    fi
    wine_session_start_sound || return 1
    if [[ -f "$wine_session_dir/pulseaudio.pid" ]]; then
        wine_session_parts+=" pulseaudio"
    fi

    # A persistent server keeps every later wine call from paying for a server start-up.
    wine_session_start_server
    wine_session_parts+=" wineserver"

    wineboot -i >"$wine_session_dir/wineboot.log" 2>&1 || {
        cat "$wine_session_dir/wineboot.log" >&2
        wine_session_log "wineboot -i failed"
        return 1
    }
    # The first boot leaves a driver's start pending for good, which holds Wine's list of
    # services: on a fresh server, services (the Task Scheduler) start when asked.
    wineserver -k
    wait "$(wine_session_pid wineserver)" 2>/dev/null || true
    wine_session_start_server
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
    echo "$wine_session_parts" >"$wine_session_dir/parts"
    wine_session_log "prefix ready in $((SECONDS - started)) s (DISPLAY=$DISPLAY)"
}

# Why a part of the session is not working, or nothing while it is. An Xvfb that runs but does
# not answer is as good as gone.
wine_session_fault() {
    local part=$1
    if ! wine_session_running "$part"; then
        case $part in
            xvfb) echo "the X display $DISPLAY was gone (its Xvfb had ended)" ;;
            pulseaudio) echo "the sound server had ended" ;;
            wineserver) echo "the wineserver had ended" ;;
        esac
    elif [[ $part == xvfb ]] && ! timeout 10 xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
        echo "the X display $DISPLAY did not answer"
    fi
}

# Says what is wrong with a part, with the end of its log, on stderr and in repairs.log.
wine_session_report() {
    local log="$wine_session_dir/$1.log"
    {
        if [[ -s "$log" ]]; then
            echo "wine-session: $2; the end of its log:"
            tail -n 15 "$log" | sed 's/^/    /'
        else
            echo "wine-session: $2; its log is empty"
        fi
    } | tee -a "$wine_session_dir/repairs.log" >&2
}

# The Wine processes of this session's prefix whose command line holds $1 (any, without it).
wine_session_wine_pids() {
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        case $(readlink "/proc/$pid/exe" 2>/dev/null) in
            */wine | */wine64 | */wine-preloader | */wine64-preloader) ;;
            *) continue ;;
        esac
        if grep -qzxF "WINEPREFIX=$WINEPREFIX" "$environ" 2>/dev/null &&
            grep -qaF -- "${1-}" "/proc/$pid/cmdline" 2>/dev/null; then
            echo "$pid"
        fi
    done
}

# Ends Wine processes of this prefix (their ids in $@), if any; never fails (the EXIT trap may
# run under `set -e`).
wine_session_kill() {
    if (($#)); then
        kill -9 "$@" 2>/dev/null || true
    fi
}

# Ends Wine's desktop process (explorer.exe), if one runs; the next program starts a new one. One
# that started while the display was gone, or could not load its display driver for another
# reason, keeps the desktop without a driver, and every later program fails ("no driver could
# be loaded") although the display answers.
wine_session_new_desktop() {
    local pids
    pids=$(wine_session_wine_pids explorer.exe)
    if [[ -n "$pids" ]]; then
        echo "wine-session: ended Wine's desktop process (explorer.exe, ${pids//$'\n'/ }), $1" |
            tee -a "$wine_session_dir/repairs.log" >&2
        # shellcheck disable=SC2086 # one process id a word
        wine_session_kill $pids
    fi
}

wine_session_restart() {
    case $1 in
        xvfb)
            if wine_session_running xvfb; then
                kill -9 "$(wine_session_pid xvfb)"
            fi
            wine_session_start_xvfb "${DISPLAY#:}" || return 1
            wine_session_new_desktop "which had lost its display"
            ;;
        pulseaudio) wine_session_start_sound ;;
        wineserver)
            # A wine call after the end starts a server of its own, which would not persist.
            wineserver -k 2>/dev/null
            # Those of a server that ended abruptly keep running, out of reach of `wineserver -k`.
            # shellcheck disable=SC2046 # one process id a word
            wine_session_kill $(wine_session_wine_pids)
            wine_session_start_server
            ;;
    esac
}

# Checks every part that the session started and starts again, in place, any that has ended, so
# that what runs next in the session finds it working; says what it did. With --new-desktop
# (after a failure) it also ends Wine's desktop process, which no check here sees broken. Fails
# if a part could not be started again.
wine_session_repair() {
    wine_session_dir=${wine_session_dir:-$WINE_SESSION_DIR}
    wine_session_parts=${wine_session_parts:-$(<"$wine_session_dir/parts")}
    local part fault failed=0
    for part in $wine_session_parts; do
        fault=$(wine_session_fault "$part")
        if [[ -z "$fault" ]]; then
            continue
        fi
        wine_session_report "$part" "$fault"
        if wine_session_restart "$part" && [[ -z "$(wine_session_fault "$part")" ]]; then
            fault="started $part again"
        else
            fault="could not start $part again"
            failed=1
        fi
        echo "wine-session: $fault" | tee -a "$wine_session_dir/repairs.log" >&2
    done
    if [[ "${1-}" == --new-desktop ]]; then
        wine_session_new_desktop "after a failure, in case it was broken"
    fi
    return "$failed"
}

# Ends a part, and waits for it: one that wine_session_repair started again is no child of this
# shell, so that `wait` cannot.
wine_session_stop() {
    local pid tries
    pid=$(wine_session_pid "$1")
    if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        if ! wait "$pid" 2>/dev/null; then
            for ((tries = 0; tries < 50; tries++)); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
        fi
    fi
}

wine_session_end() {
    local status=$?
    trap - EXIT INT TERM
    if [[ -s "$wine_session_dir/repairs.log" ]]; then
        wine_session_log "what was repaired during the session:"
        sed 's/^/    /' "$wine_session_dir/repairs.log" >&2
    fi
    # What ended on its own would explain failures; its log goes with the session's folder.
    local part fault
    for part in $wine_session_parts; do
        fault=$(wine_session_fault "$part")
        if [[ -n "$fault" ]]; then
            wine_session_report "$part" "at the end of the session, $fault"
        fi
    done
    if [[ " $wine_session_parts " == *" wineserver "* ]]; then
        # -k ends this prefix's server and, with it, every Wine process that ran in it.
        wineserver -k 2>/dev/null || true
        wine_session_stop wineserver
        # shellcheck disable=SC2046 # one process id a word
        wine_session_kill $(wine_session_wine_pids)
    fi
    wine_session_stop pulseaudio
    wine_session_stop xvfb
    if [[ -n "$wine_session_dir" ]]; then
        rm -rf "$wine_session_dir"
    fi
    exit "$status"
}
