# 32-bit Windows programs from Debian's g++-mingw-w64-i686-posix.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORVAN_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# SSE2 scalar maths, as the 64-bit build does, so both builds show the same
# digits: x87 would keep a float product wider than a float (1000 m in feet
# as 3279.99997, cut to 3279 instead of 3280). Every PC that runs the
# simulator has SSE2. Set here rather than as cached flags, so a build
# folder configured before gets them too.
get_property(korvan_options DIRECTORY PROPERTY COMPILE_OPTIONS)
if(NOT "-mfpmath=sse" IN_LIST korvan_options)
  add_compile_options(-msse2 -mfpmath=sse)
endif()
