# Cross-builds for 64-bit LoongArch Linux (loong64, the "new world" ABI 2.0)
# with Debian's cross compiler, against the loong64 libraries installed beside
# the native ones (multiarch); the tests run under qemu's user-mode emulation
# (Debian 13's static qemu-loongarch64, bound into the build root).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR loongarch64)
set(CMAKE_LIBRARY_ARCHITECTURE loongarch64-linux-gnu)
set(CMAKE_C_COMPILER loongarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER loongarch64-linux-gnu-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/local/bin/qemu-loongarch64)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE loong64)
# Debian, where the package is built, names its Qt 5 libraries ...5t64 since
# 2024 (64-bit time_t); deepin, openKylin, Loongnix and the other new-world
# systems keep the older names. Either will do, from the Qt 5.15 that every
# new-world system ships; glibc 2.38 is the one of the oldest of them
# (deepin 23), and the program asks for nothing newer.
set(MORVANE_DEB_DEPENDS
    "libc6 (>= 2.38), libqt5core5t64 (>= 5.15.0) | libqt5core5a (>= 5.15.0), libqt5gui5t64 (>= 5.15.0) | libqt5gui5 (>= 5.15.0), libqt5widgets5t64 (>= 5.15.0) | libqt5widgets5 (>= 5.15.0)")
