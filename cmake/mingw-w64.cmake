# Cross-builds for Windows with Debian's mingw-w64 (the POSIX-threads flavour,
# which has std::thread and std::mutex), for the processor that the toolchain
# file including this one names in MORVANE_MINGW_TRIPLET and
# MORVANE_WINE_ARCH. Programs built with it run here under wine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MORVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program links the C and C++ runtimes and winpthread statically, so it
# needs only the DLLs that come with Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest and test discovery run the Windows programs under wine, in a prefix
# of the programs' architecture: a 32-bit prefix for 32-bit programs, as on a
# 32-bit Windows.
set(CMAKE_CROSSCOMPILING_EMULATOR
    env MORVANE_WINE_ARCH=${MORVANE_WINE_ARCH} ${CMAKE_CURRENT_LIST_DIR}/../tools/wine/run.sh)
