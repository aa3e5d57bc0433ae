#!/usr/bin/env bash
# Builds the Debian package build-deb/korvan_<version>_<arch>.deb: a Release
# build for /usr with Debian's own compiler flags (hardening included),
# packaged by cpack, checked by lintian (no error allowed) and by unpacking
# and running it (tests/packaging/check-package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh dpkg-dev lintian
jobs=${KORVAN_JOBS:-2}

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DKORVAN_TESTS=OFF -DKORVAN_BENCH=OFF \
  "-DCMAKE_C_FLAGS=$(flags CPPFLAGS) $(flags CFLAGS)" \
  "-DCMAKE_CXX_FLAGS=$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)" "-DCMAKE_SHARED_LINKER_FLAGS=$(flags LDFLAGS)" \
  >/dev/null
cmake --build build-deb -j "$jobs"

rm -f build-deb/korvan_*.deb
(cd build-deb && cpack -G DEB)
deb=$(echo build-deb/korvan_*.deb)

echo "== lintian $deb"
lintian --fail-on error "$deb"
tests/packaging/check-package.sh "$deb"
echo "Install it with: sudo apt-get install ./$deb"
