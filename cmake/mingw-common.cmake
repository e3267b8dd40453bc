# Shared part of the two MinGW-w64 toolchain files; ARCSEAL_TRIPLET is set by the caller.
set(CMAKE_C_COMPILER ${ARCSEAL_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ARCSEAL_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ARCSEAL_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ARCSEAL_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One self-contained exe per program: no libstdc++/libgcc/winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
