#!/usr/bin/env bash
# Builds everything and runs every test twice: a GCC Release build (build/) and an
# AddressSanitizer + UndefinedBehaviorSanitizer build with clang (build-asan/),
# which also builds and briefly runs the fuzz targets. Then the Windows stage
# (scripts/build-windows.sh): both Windows builds, their tests under Wine
# (the 32-bit one's where this machine runs 32-bit programs), and the
# release zips. KORVAN_WINDOWS=0 skips that stage.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
./scripts/install-browser-deps.sh

jobs=${KORVAN_JOBS:-2}

echo "== Release build with GCC (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVAN_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== sanitizer build (build-asan/)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DKORVAN_SANITIZE=ON -DKORVAN_FUZZ=ON -DKORVAN_BENCH=OFF -DKORVAN_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

if [[ ${KORVAN_WINDOWS:-1} != 0 ]]; then
  ./scripts/build-windows.sh
fi
