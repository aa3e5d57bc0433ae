#!/usr/bin/env bash
# Cross-builds Korvan for Windows from Debian: build-win64/ (x86_64) and
# build-win32/ (i686), then runs the 64-bit build's tests under Wine
# (KORVAN_WINE=0 skips them). The 32-bit build is compiled only: these
# machines cannot run 32-bit x86 programs.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-windows-deps.sh

jobs=${KORVAN_JOBS:-2}
for target in win64:x86_64:ON win32:i686:OFF; do
  IFS=: read -r name arch tests <<<"$target"
  folder=build-$name
  echo "== Windows $arch build ($folder/)"
  cmake -S . -B "$folder" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DKORVAN_WERROR=ON \
    -DKORVAN_BENCH=ON -DKORVAN_TESTS="$tests" \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-w64-$arch.cmake" >/dev/null
  cmake --build "$folder" -j "$jobs"
  (cd "$folder" && cpack -G ZIP >/dev/null) # the release zip, from the install rules
  ls "$folder"/korvan-*-"$name".zip
done

# The setup programs beside the zips, korvan-<version>-win64-setup.exe and
# -win32-setup.exe (cpack's NSIS generator, cmake/nsis/). A build's suites
# install, run and uninstall its own (tests/packaging/check-setup.sh).
for name in win64 win32; do
  (cd "build-$name" && cpack -G NSIS >/dev/null)
  ls build-"$name"/korvan-*-"$name"-setup.exe
done

if [[ ${KORVAN_WINE:-1} == 0 ]]; then exit 0; fi

echo "== tests under Wine (build-win64/)"
# Debian's wine64 package holds only the loader; "wine" runs it when no
# 32-bit Wine is installed. A prefix of our own keeps ~/.wine untouched.
export WINEPREFIX=$PWD/build-win64/wine-prefix WINEDEBUG=-all
mkdir -p "$WINEPREFIX" # wineserver -p refuses a prefix that does not exist yet
# A server started first, and the prefix booted before the run, so Wine's
# background processes neither hold our output open nor slow the first run.
wineserver -p
trap 'wineserver -k || true' EXIT
wineboot -i >/dev/null 2>&1
ctest --test-dir build-win64 --output-on-failure -j "$jobs" --timeout 300
