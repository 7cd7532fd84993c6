# The 32-bit Windows program, which every Windows from 7 SP1 on runs, 32- or
# 64-bit alike.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MORVANE_MINGW_TRIPLET i686-w64-mingw32)
set(MORVANE_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
