#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
# Usage: install-deps.sh [run|test|dist]   (run needs least; dist adds zip to it)
set -euo pipefail

packages=(cmake make g++ g++-mingw-w64-x86-64 libxxhash-dev wine wine64 fonts-wine)
case ${1:-test} in
test) packages+=(libgtest-dev libbenchmark-dev clang libclang-rt-dev xvfb xauth imagemagick syncthing curl) ;;
dist) packages+=(zip) ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sh -c "$install"
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo sh -c "$install"
else
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Install them as root, then run make again:" >&2
    echo "    $install" >&2
    exit 1
fi
