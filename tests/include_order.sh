#!/usr/bin/env bash
# Checks that includes in src/ run one way: app/ on top, then commands/, stamps/ and
# search/, then store/, then sync/, then padfile/, then text/ and platform/, text/ taking nothing of platform/ (the
# clock's time comes in as an argument); and that no files include each other round in a
# circle (a file and its header count as one).
# Usage: include_order.sh SRC
set -euo pipefail
src=${1:?usage: include_order.sh SRC}
cd "$src"

level() {
    case $1 in
    app) echo 5 ;;
    commands | stamps | search) echo 4 ;;
    store) echo 3 ;;
    sync) echo 2 ;;
    padfile) echo 1 ;;
    text | platform) echo 0 ;;
    *) echo "include_order: unknown folder $1" >&2; exit 2 ;;
    esac
}

failed=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
while IFS= read -r file; do
    from=${file%.*}
    folder=${file%%/*}
    while IFS= read -r included; do
        [ -f "$included" ] || continue
        target=${included%%/*}
        if [ "$(level "$target")" -gt "$(level "$folder")" ]; then
            echo "include_order: $file includes $included, which sits above it" >&2
            failed=1
        elif [ "$folder" = text ] && [ "$target" = platform ]; then
            echo "include_order: $file includes $included: text/ takes nothing of platform/" >&2
            failed=1
        fi
        to=${included%.*}
        [ "$from" = "$to" ] || echo "$from $to" >>"$edges"
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort)

if ! tsort "$edges" >/dev/null 2>"$edges.loop"; then
    echo "include_order: files include each other in a circle:" >&2
    cat "$edges.loop" >&2
    failed=1
fi
rm -f "$edges.loop"
[ "$failed" -eq 0 ] && echo "include_order: every include runs one way"
exit "$failed"
