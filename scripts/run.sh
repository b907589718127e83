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

echo "Quillpad keeps its pages in $pad_dir/Quillpad.qpd"
cd "$pad_dir"
WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" exec wine "$exe"
