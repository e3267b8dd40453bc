# Native code as 32-bit Linux programs (clang -m32 over Debian's multilib C and
# C++ libraries), run under qemu-i386: the platform-neutral code and its unit
# tests with the 32-bit size_t and pointers of the build that ships.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
find_program(ARCSEAL_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ARCSEAL_QEMU_I386})

# The libraries it links (libgcrypt, libgpg-error, libisofs and theirs) are
# the static archives of Debian's i386 -dev packages, which scripts/setup
# unpacks into build/i386-root: nothing of i386 is installed on the machine,
# so its own packages never have to match i386 versions.
set(ARCSEAL_I386_ROOT ${CMAKE_CURRENT_LIST_DIR}/../build/i386-root)
get_filename_component(ARCSEAL_I386_ROOT ${ARCSEAL_I386_ROOT} ABSOLUTE)
if(NOT EXISTS ${ARCSEAL_I386_ROOT}/.packages)
  message(FATAL_ERROR "${ARCSEAL_I386_ROOT} is missing: run scripts/setup")
endif()
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_FIND_ROOT_PATH ${ARCSEAL_I386_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
# gcrypt.h includes gpg-error.h, which lives in the architecture's folder.
set(ARCSEAL_I386_FLAGS "-m32 -isystem ${ARCSEAL_I386_ROOT}/usr/include/i386-linux-gnu")
set(CMAKE_C_FLAGS_INIT ${ARCSEAL_I386_FLAGS})
set(CMAKE_CXX_FLAGS_INIT ${ARCSEAL_I386_FLAGS})
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
