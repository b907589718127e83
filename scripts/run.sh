#!/usr/bin/env bash
# Starts Quillpad.exe under Wine in the pad folder given (the pad file lives there).
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
pad_dir=${1:-$HOME/Quillpad}
exe="$top/build/win64/Quillpad.exe"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "make run: there is no display to show the window on (DISPLAY is not set)." >&2
    echo "Run it from a desktop session, or under a virtual one: xvfb-run -a make run" >&2
    exit 1
fi

mkdir -p "$pad_dir"
pad_dir=$(cd "$pad_dir" && pwd)
case "$pad_dir/" in
"$top"/*)
    echo "make run: the pad folder must not be inside the source tree ($pad_dir)." >&2
    echo "Choose another one: make run PAD_DIR=~/Quillpad" >&2
    exit 1
    ;;
esac

export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's own messages go to a log that is shown only when something fails.
log=$(mktemp "${TMPDIR:-/tmp}/quillpad-wine.XXXXXX")
trap 'rm -f "$log"' EXIT

# Wine fills a new prefix at its first start and reports every step of it, which reads like
# errors; do that once here, quietly. The prefix is the user's own (WINEPREFIX or ~/.wine).
prefix=${WINEPREFIX:-$HOME/.wine}
if [ ! -f "$prefix/system.reg" ]; then
    echo "Preparing Wine for its first start…"
    if ! wineboot -i >"$log" 2>&1 </dev/null || ! wineserver -w >>"$log" 2>&1; then
        echo "make run: Wine could not prepare its folder $prefix. Its messages:" >&2
        tail -n 20 "$log" >&2
        echo "If the folder is half made, remove it (rm -rf '$prefix') and run make run again." >&2
        exit 1
    fi
fi

echo "Quillpad keeps its pages in $pad_dir/Quillpad.qpd"
cd "$pad_dir"
status=0
wine "$exe" 2>"$log" </dev/null || status=$?
if [ "$status" -ne 0 ]; then
    echo "make run: Quillpad.exe did not start or ended with code $status." >&2
    if [ -s "$log" ]; then
        echo "Wine's messages:" >&2
        tail -n 20 "$log" >&2
    fi
    exit "$status"
fi
