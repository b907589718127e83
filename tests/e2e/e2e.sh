#!/usr/bin/env bash
# Runs the end-to-end scenarios under Xvfb and Wine: one Wine prefix, one display and one
# persistent wineserver serve the whole suite; CTest calls setup first and cleanup last.
#
#   e2e.sh setup   BUILD WIN64        prefix (made once), display and wineserver up
#   e2e.sh run     BUILD WIN64 NAME   one scenario; its screenshots land in BUILD/screenshots
#   e2e.sh list    BUILD WIN64 NAME…  the driver lists exactly these scenarios
#   e2e.sh cleanup BUILD WIN64        wineserver and display down
#
# BUILD is the native build folder, WIN64 the Windows one (Quillpad.exe, quillpad_e2e.exe).
# QUILLPAD_E2E_DPI=144 runs in a prefix of its own whose screen has that many dots per inch
# (150 %), with its own display, state and screenshots folder.
set -euo pipefail

command=${1:?usage: e2e.sh setup|run|list|cleanup BUILD WIN64 [NAME...]}
build=${2:?the native build folder is missing}
win64=${3:?the Windows build folder is missing}
shift 3
# Wine wants an absolute prefix path.
build=$(cd "$build" && pwd)

dpi=${QUILLPAD_E2E_DPI:-96}
case $dpi in
96) suffix="" ;;
*[!0-9]* | "") echo "e2e: QUILLPAD_E2E_DPI must be a number, not $dpi" >&2; exit 2 ;;
*) suffix=-${dpi}dpi ;;
esac
state=$build/e2e-state$suffix
shots=$build/screenshots$suffix
export WINEPREFIX=${QUILLPAD_WINEPREFIX:-$build/wineprefix$suffix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEARCH

# A Unix path as the Windows programs see it (drive Z: is the root in a new prefix).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# Where sync_clients.sh says how to reach the two sync clients, for the scenarios that use them.
export QUILLPAD_E2E_SYNC
QUILLPAD_E2E_SYNC=$(windows_path "$build/e2e-sync/clients.txt")

say() { printf 'e2e: %s\n' "$*" >&2; }

stop_display() {
    if [ -f "$state/xvfb.pid" ]; then
        local pid
        pid=$(cat "$state/xvfb.pid")
        if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then
            kill "$pid" 2>/dev/null || true
        fi
        rm -f "$state/xvfb.pid" "$state/display"
    fi
}

start_display() {
    mkdir -p "$state"
    : >"$state/display"
    # Xvfb picks a free display and writes its number to descriptor 3.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$state/display" >"$state/xvfb.log" 2>&1 </dev/null &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$state/display" ] && break
        sleep 0.1
    done
    [ -s "$state/display" ] || { say "Xvfb did not start (see $state/xvfb.log)"; exit 1; }
    export DISPLAY=:$(tr -d '[:space:]' <"$state/display")
}

use_display() {
    [ -s "$state/display" ] || { say "no display: e2e.sh setup has not run"; exit 1; }
    export DISPLAY=:$(tr -d '[:space:]' <"$state/display")
}

make_prefix() {
    [ -f "$WINEPREFIX/.quillpad-ready" ] && return
    say "making the Wine prefix $WINEPREFIX (once; this takes a while)"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >"$state/wineboot.log" 2>&1 </dev/null
    wineserver -w
    # Without a window manager Wine waits 2 s at every window's end unless its windows are
    # unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >>"$state/wineboot.log" 2>&1 </dev/null
    wineserver -w
    # Wine takes the screen's dots per inch from here (96 when the value is not there).
    if [ "$dpi" != 96 ]; then
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >>"$state/wineboot.log" 2>&1 </dev/null
        wineserver -w
    fi
    # The caption buttons draw their glyphs from Marlett.
    for font in /usr/share/wine/fonts/marlett.ttf; do
        [ -f "$font" ] && cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    touch "$WINEPREFIX/.quillpad-ready"
}

setup() {
    for tool in wine wineserver wineboot Xvfb; do
        command -v "$tool" >/dev/null || { say "$tool is missing"; exit 1; }
    done
    for exe in Quillpad.exe quillpad_e2e.exe; do
        [ -f "$win64/$exe" ] || { say "$win64/$exe is missing: build the Windows tree first"; exit 1; }
    done
    cleanup
    mkdir -p "$state" "$shots"
    # A setup that fails half-way stops the display and server it started.
    trap '[ $? -eq 0 ] || cleanup' EXIT
    start_display
    make_prefix
    # One server for the whole suite, so that no start pays for a new one.
    setsid wineserver -p >"$state/wineserver.log" 2>&1 </dev/null
    # Start the prefix's own services now, with their output away from CTest's pipes.
    wine cmd /c exit >>"$state/wineserver.log" 2>&1 </dev/null || true
    trap - EXIT
    say "display $DISPLAY, prefix $WINEPREFIX"
}

cleanup() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
    fi
    stop_display
}

# Turns the driver's BMP screenshots into PNG with ImageMagick, when it is there.
convert_screenshots() {
    local tool="" candidate bmp
    for candidate in magick /usr/bin/convert convert-im6.q16 convert; do
        if command -v "$candidate" >/dev/null &&
            "$candidate" -version 2>/dev/null | grep -q ImageMagick; then
            tool=$candidate
            break
        fi
    done
    [ -n "$tool" ] || return 0
    for bmp in "$shots"/*.bmp; do
        [ -f "$bmp" ] || continue
        "$tool" "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
}

# One run of the driver; its words go to the output and to the file given.
drive() {
    local name=$1 said=$2
    timeout 110 wine "$win64/quillpad_e2e.exe" --screenshots "$(windows_path "$shots")" \
        --dpi "$dpi" "$name" </dev/null | tee "$said"
    return "${PIPESTATUS[0]}"
}

run() {
    local name=${1:?no scenario named} status=0 said
    use_display
    mkdir -p "$shots"
    said=$(mktemp)
    drive "$name" "$said" || status=$?
    # A driver that ended without a word never ran its scenario (Wine failed to start it
    # on a busy machine, rarely): that is tried once more, and said.
    if [ "$status" -ne 0 ] && [ "$status" -ne 124 ] && ! grep -qE '^(PASS|FAIL) ' "$said"; then
        say "the driver ended with status $status before it said anything; running it once more"
        status=0
        drive "$name" "$said" || status=$?
    fi
    rm -f "$said"
    convert_screenshots
    if [ "$status" -eq 124 ]; then
        # The driver was ended from outside, so the program it started may still run and
        # take the keyboard from the next scenario: end everything in this suite's prefix.
        say "$name did not finish within 110 s; restarting the prefix's wineserver"
        wineserver -k 2>/dev/null || true
        setsid wineserver -p >>"$state/wineserver.log" 2>&1 </dev/null
    fi
    return "$status"
}

list() {
    use_display
    local listed expected
    listed=$(wine "$win64/quillpad_e2e.exe" --list </dev/null | tr -d '\r' | awk '{print $1}' | sort)
    expected=$(printf '%s\n' "$@" | sort)
    if [ "$listed" != "$expected" ]; then
        say "the driver's scenarios differ from those registered with CTest (re-run cmake):"
        diff <(echo "$expected") <(echo "$listed") >&2 || true
        return 1
    fi
    echo "$(echo "$listed" | wc -l) scenarios registered"
}

case $command in
setup) setup ;;
run) run "$@" ;;
list) list "$@" ;;
cleanup) cleanup ;;
*) say "unknown command $command"; exit 2 ;;
esac
