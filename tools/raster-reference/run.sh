#!/usr/bin/env bash
# Cross-compiles reference.cpp and icons.cpp with MinGW and runs them under
# Wine, printing their scenes and measurements. Needs the Debian packages
# wine64 and g++-mingw-w64-x86-64 (not part of the normal build or CI).
#
#   run.sh [--icons] [--goldens DIR]
#     (no option)     print every scene of both programs
#     --icons         only the icon scenes: the icon files of assets/images and
#                     tests/data/icons (written by tests/platform/ImageBuilders.cpp:
#                     KORVAN_UPDATE_GOLDEN=1 ctest -R IconFixtures) loaded with
#                     the real loader and drawn with DrawIconEx
#     --goldens DIR   also write each scene as DIR/reference-<scene>.txt, the
#                     golden frames tests/platform compares against; to
#                     regenerate everything: run.sh --goldens tests/golden
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
icons_only=0
goldens=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --icons) icons_only=1; shift ;;
    --goldens) goldens="$2"; shift 2 ;;
    *) echo "usage: $0 [--icons] [--goldens DIR]" >&2; exit 2 ;;
  esac
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

build() {
  x86_64-w64-mingw32-g++ -std=c++17 -O1 -static -o "$work/$1.exe" "$here/$1.cpp" \
    -lgdi32 -luser32
}
# A fresh prefix each run, so nothing from an earlier session leaks in.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine="${WINE:-/usr/lib/wine/wine64}"
: >"$work/out.txt"
if [[ $icons_only == 0 ]]; then
  build reference
  "$wine" "$work/reference.exe" | tr -d '\r' >>"$work/out.txt"
fi
build icons
# Wine shows the host's root as drive Z:.
"$wine" "$work/icons.exe" "Z:${root//\//\\}" | tr -d '\r' >>"$work/out.txt"
cat "$work/out.txt"

if [[ -n "$goldens" ]]; then
  awk -v dir="$goldens" '
    /^== / { name = substr($0, 4); gsub(/ /, "-", name); file = dir "/reference-" name ".txt"; next }
    /^[.#]+$/ && file != "" { print > file; next }
    { file = "" }' "$work/out.txt"
fi
