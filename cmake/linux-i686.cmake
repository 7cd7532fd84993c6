# 32-bit x86 Linux programs, built with the system's gcc and -m32 (Debian's
# g++-multilib): the data model of 32-bit Windows, where size_t, pointers and
# long are 32 bits wide. CTest and test discovery run them under qemu-i386 in
# user mode (Debian's qemu-user), which needs no IA-32 support in the kernel.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
