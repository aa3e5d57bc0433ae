# Shared by the MinGW-w64 toolchain files, which set KORVAN_MINGW_TRIPLET first.
# The -posix compilers use winpthreads, so std::thread and std::mutex work.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KORVAN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVAN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVAN_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KORVAN_MINGW_TRIPLET})

# Headers and libraries only from the cross root; programs from the host.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs run without MinGW's DLLs beside them (libstdc++, libgcc,
# winpthreads are linked in).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# pkg-config would otherwise hand the host's Linux libraries to the cross
# build. Only the cross root's own .pc files (none today) are seen.
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_LIBDIR} "/usr/${KORVAN_MINGW_TRIPLET}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Tests run, and GoogleTest lists its cases, under Wine; the caller sets
# WINEPREFIX and starts the server (scripts/build-windows.sh). "wine" runs
# 32-bit programs where 32-bit Wine is installed, 64-bit ones through wine64.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
