#!/usr/bin/env bash
# Cross-compiles reference.cpp with MinGW and runs it under Wine, printing its
# scenes and measurements. Needs the Debian packages wine64 and
# g++-mingw-w64-x86-64 (not part of the normal build or CI).
#
#   run.sh                 print everything
#   run.sh --goldens DIR   also write each scene as DIR/reference-<scene>.txt,
#                          the golden frames tests/platform compares against
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

x86_64-w64-mingw32-g++ -std=c++17 -O1 -static -o "$work/reference.exe" "$here/reference.cpp" \
  -lgdi32 -luser32
# A fresh prefix each run, so nothing from an earlier session leaks in.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"${WINE:-/usr/lib/wine/wine64}" "$work/reference.exe" | tr -d '\r' >"$work/out.txt"
cat "$work/out.txt"

if [[ "${1:-}" == "--goldens" ]]; then
  dir="$2"
  awk -v dir="$dir" '
    /^== / { name = substr($0, 4); gsub(/ /, "-", name); file = dir "/reference-" name ".txt"; next }
    /^[.#]+$/ && file != "" { print > file; next }
    { file = "" }' "$work/out.txt"
fi
