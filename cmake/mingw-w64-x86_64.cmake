# The 64-bit Windows program, for 64-bit Windows 7 SP1 and later.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MORVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(MORVANE_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
