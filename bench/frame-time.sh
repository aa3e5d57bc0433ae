#!/usr/bin/env bash
# Times the same drawing loads on both backends, one after the other on this
# machine: build/bench/frame_time (our raster with FreeType) and
# build-win64/bench/frame_time.exe (GDI, under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== Linux raster (build/bench/frame_time)"
build/bench/frame_time
echo "== GDI under Wine (build-win64/bench/frame_time.exe)"
export WINEPREFIX=$(pwd)/build-win64/wine-prefix WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k || true' EXIT
wineboot -i >/dev/null 2>&1
wine build-win64/bench/frame_time.exe
