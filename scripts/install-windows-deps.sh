#!/usr/bin/env bash
# Installs what the Windows cross build and its Wine runs need, besides what
# the Linux build needs, asking apt only for what is missing. The -posix
# compilers bring std::thread and std::mutex through winpthreads; "wine"
# (architecture all) holds the /usr/bin launchers, "wine64" only the 64-bit
# loader and libraries; "googletest" the sources built for MinGW; "nsis"
# (makensis) writes the setup programs.
set -euo pipefail
"$(dirname "$0")/install-deps.sh" \
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine googletest nsis

# 32-bit Wine (Debian's wine32, from the i386 architecture) runs the 32-bit
# build's tests. Where it cannot be had, the Windows stage says that it
# skips them, so a failure here ends nothing.
if [[ $(dpkg --print-architecture) != amd64 ]] ||
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  exit 0
fi
echo "Installing 32-bit Wine: wine32:i386"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
if ! { dpkg --print-foreign-architectures | grep -qx i386 ||
  "${sudo_cmd[@]}" dpkg --add-architecture i386; } ||
  ! "${sudo_cmd[@]}" apt-get update -qq ||
  ! "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends wine32:i386; then
  echo "32-bit Wine could not be installed; the 32-bit build's tests will be skipped"
fi
