# Native code as 32-bit Linux programs (clang -m32 over Debian's multilib
# libraries), run under qemu-i386: the platform-neutral code and its unit
# tests with the 32-bit size_t and pointers of the build that ships.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
find_program(ARCSEAL_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ARCSEAL_QEMU_I386})
# Libraries come from Debian's i386 multiarch folder, never the 64-bit one.
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
