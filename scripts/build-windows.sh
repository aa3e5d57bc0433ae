#!/usr/bin/env bash
# Cross-builds Korvan for Windows from Debian: build-win64/ (x86_64) and
# build-win32/ (i686), each with its release zip and setup program, then
# runs the tests of
# both under Wine (KORVAN_WINE=0 skips them): the 32-bit build's only where
# this machine runs 32-bit programs, which a tiny i686 program tells first.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-windows-deps.sh
started=$SECONDS
wine=${KORVAN_WINE:-1}

# One Wine prefix of our own, kept apart from ~/.wine, for both builds: a
# 64-bit Windows runs 32-bit programs too. A server started first, and the
# prefix booted before the runs, so Wine's background processes neither hold
# our output open nor slow the first test.
export WINEPREFIX=$PWD/build-win64/wine-prefix WINEDEBUG=-all
boot_log=build-win64/wineboot.log
boot_prefix() {
  mkdir -p "$WINEPREFIX" # wineserver -p refuses a prefix that does not exist yet
  wineserver -p
  wineboot -i >"$boot_log" 2>&1
}
runs_32_bit=OFF
if [[ $wine != 0 ]]; then
  trap 'wineserver -k || true' EXIT
  # A prefix made before 32-bit Wine was installed (or removed) no longer
  # boots ("could not load kernel32.dll"): it is made afresh.
  if ! boot_prefix; then
    echo "the Wine prefix $WINEPREFIX does not boot ($(tail -n 1 "$boot_log")); making it afresh"
    wineserver -k || true
    wineserver -w || true
    rm -rf "$WINEPREFIX"
    if ! boot_prefix; then
      echo "a fresh Wine prefix does not boot either:" && cat "$boot_log"
      exit 1
    fi
  fi
  # Debian's "wine" runs 32-bit programs only with wine32:i386 installed.
  mkdir -p build-win32
  printf 'int main(void) { return 32; }\n' |
    i686-w64-mingw32-gcc-posix -x c -o build-win32/probe-32-bit.exe -
  probed=0
  wine build-win32/probe-32-bit.exe >/dev/null 2>&1 || probed=$?
  if ((probed == 32)); then runs_32_bit=ON; fi
fi

jobs=${KORVAN_JOBS:-2}
for target in win64:x86_64:ON win32:i686:$runs_32_bit; do
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

if [[ $wine == 0 ]]; then exit 0; fi

failed=0
echo "== tests under Wine (build-win64/)"
ctest --test-dir build-win64 --output-on-failure -j "$jobs" --timeout 300 || failed=1
if [[ $runs_32_bit == ON ]]; then
  echo "== tests under 32-bit Wine (build-win32/)"
  ctest --test-dir build-win32 --output-on-failure -j "$jobs" --timeout 300 || failed=1
else
  echo "32-bit tests skipped: this machine cannot run 32-bit programs"
fi
echo "== Windows stage: $((SECONDS - started)) s"
exit "$failed"
