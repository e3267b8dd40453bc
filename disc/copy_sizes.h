// How file contents move: in pieces of 1 MiB, written in slices. No windows.h.
#pragma once
#include <cstdint>

const uint32_t COPY_PIECE_SIZE = 1048576;          // bytes moved per read and write
const uint32_t COPY_BUFFER_SIZE = 1048576 + 100;   // the one heap block per call
// A piece goes out in writes of this size. Measured: under Wine one 1 MiB write
// per piece was up to three times slower than 64 KiB writes, while on Linux
// 64 KiB writes cost half again as much as whole pieces. Same bytes either way.
#ifdef _WIN32
const uint32_t COPY_WRITE_SLICE = 65536;
#else
const uint32_t COPY_WRITE_SLICE = COPY_PIECE_SIZE;
#endif
