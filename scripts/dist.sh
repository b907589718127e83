#!/usr/bin/env bash
# Packs the release zip: the exe, the user part of the README and the license, as a Windows
# user reads them (CR LF line ends), then prints the zip's SHA-256.
# Usage: dist.sh EXE VERSION OUT_DIR XXHASH_H   (the xxhash.h built into the exe)
set -euo pipefail

exe=${1:?usage: dist.sh EXE VERSION OUT_DIR XXHASH_H}
version=${2:?the version is missing}
out_dir=${3:?the output folder is missing}
xxhash_h=${4:?the xxhash.h built into the exe is missing}
top=$(cd "$(dirname "$0")/.." && pwd)
zip_path=$out_dir/Quillpad-$version-win64.zip

command -v zip >/dev/null || { echo "make dist: zip is missing (Debian package zip)" >&2; exit 1; }
[ -f "$exe" ] || { echo "make dist: $exe is missing: build it with make exe" >&2; exit 1; }
grep -q '^## Using Quillpad$' "$top/README.md" ||
    { echo "make dist: README.md has no '## Using Quillpad' section" >&2; exit 1; }

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cp "$exe" "$staging/Quillpad.exe"
sed -n '/^## Using Quillpad$/,$p' "$top/README.md" | sed 's/$/\r/' >"$staging/README.txt"
# The exe has xxHash built in, whose license asks that its notice go with the binary: the
# header's opening comment, taken from the very header the exe was built with.
notice=$(sed -n '2,/^ \*\/$/{/^ \*\/$/d;s/^ \* \{0,1\}//;p}' "$xxhash_h")
grep -q 'Redistribution' <<<"$notice" ||
    { echo "make dist: $xxhash_h does not open with its license" >&2; exit 1; }
{
    cat "$top/LICENSE"
    printf '\nQuillpad.exe has xxHash built in, under this license:\n\n%s\n' "$notice"
} | sed 's/$/\r/' >"$staging/LICENSE.txt"
# The same sources give the same zip: fixed times (the last commit's), names and order.
stamp=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || date +%s)}
touch -d "@$stamp" "$staging"/*

mkdir -p "$out_dir"
rm -f "$zip_path"
(cd "$staging" && TZ=UTC zip -q -X "$zip_path" Quillpad.exe README.txt LICENSE.txt)
echo "$zip_path"
(cd "$out_dir" && sha256sum "$(basename "$zip_path")")
