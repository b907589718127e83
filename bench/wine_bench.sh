#!/usr/bin/env bash
# Times the real Quillpad.exe (and the system's notepad) under Xvfb and Wine with
# quillpad_bench.exe, using the end-to-end tests' setup and cleanup in a folder of its own,
# so that a test run in the same tree keeps its own display and wineserver.
#
#   wine_bench.sh BUILD WIN64 [quillpad_bench.exe options]
#
# BUILD is the native build folder, WIN64 the Windows one (Quillpad.exe, quillpad_bench.exe).
# QUILLPAD_BENCH_LIMIT (seconds, 900 unless set) ends a run that takes longer.
set -euo pipefail

build=${1:?usage: wine_bench.sh BUILD WIN64 [options]}
win64=${2:?the Windows build folder is missing}
shift 2
# Wine wants its prefix as an absolute path.
build=$(cd "$build" && pwd)
limit=${QUILLPAD_BENCH_LIMIT:-900}
win64=$(cd "$win64" && pwd)

here=$(cd "$(dirname "$0")" && pwd)
e2e=$here/../tests/e2e/e2e.sh
bench=$build/wine-bench

say() { printf 'bench: %s\n' "$*" >&2; }

[ -f "$win64/quillpad_bench.exe" ] || { say "$win64/quillpad_bench.exe is missing: make exe"; exit 1; }

# e2e.sh keeps its prefix in BENCH/wineprefix and its display number in BENCH/e2e-state.
export WINEPREFIX=$bench/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEARCH

running=
cleanup() {
    if [ -n "$running" ]; then
        kill "$running" 2>/dev/null || true
    fi
    bash "$e2e" cleanup "$bench" "$win64" || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -p "$bench"
bash "$e2e" setup "$bench" "$win64"
DISPLAY=:$(tr -d '[:space:]' <"$bench/e2e-state/display")
export DISPLAY
# A run ended from outside leaves its pads in the prefix's temporary folder (this prefix is the
# bench's own).
rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/quillpad-e2e-*

# In the background, so that a signal to this script is taken at once and not only once the
# bench has ended; a hung run is ended by the timeout. Either way cleanup ends what is left
# in the prefix. The progress goes to stderr as it comes, the table to stdout at the end.
timeout -k 10 "$limit" wine "$win64/quillpad_bench.exe" "$@" </dev/null >"$bench/table.txt" &
running=$!
status=0
wait "$running" || status=$?
running=
tr -d '\r' <"$bench/table.txt"
[ "$status" -ne 124 ] || say "ended after $limit s: the step begun last above never finished"
exit "$status"
