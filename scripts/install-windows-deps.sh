#!/usr/bin/env bash
# Installs what the Windows cross build and its Wine runs need, besides what
# the Linux build needs, asking apt only for what is missing. The -posix
# compilers bring std::thread and std::mutex through winpthreads; "wine"
# (architecture all) holds the /usr/bin launchers, "wine64" only the 64-bit
# loader and libraries; "googletest" the sources built for MinGW.
set -euo pipefail

# makensis writes the setup programs.
"$(dirname "$0")/install-deps.sh" nsis

exec "$(dirname "$0")/install-deps.sh" \
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine googletest
