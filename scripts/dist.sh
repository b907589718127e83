#!/usr/bin/env bash
# Packs the release zip: the exe, the user part of the README and the license, as a Windows
# user reads them (CR LF line ends), then prints the zip's SHA-256.
# Usage: dist.sh EXE VERSION OUT_DIR
set -euo pipefail

exe=${1:?usage: dist.sh EXE VERSION OUT_DIR}
version=${2:?the version is missing}
out_dir=${3:?the output folder is missing}
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
sed 's/$/\r/' "$top/LICENSE" >"$staging/LICENSE.txt"
# The same sources give the same zip: fixed times (the last commit's), names and order.
stamp=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || date +%s)}
touch -d "@$stamp" "$staging"/*

mkdir -p "$out_dir"
rm -f "$zip_path"
(cd "$staging" && TZ=UTC zip -q -X "$zip_path" Quillpad.exe README.txt LICENSE.txt)
echo "$zip_path"
(cd "$out_dir" && sha256sum "$(basename "$zip_path")")
