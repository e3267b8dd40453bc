// Copies scrambled bytes from one stream to another in plain form. No windows.h.
#pragma once
#include <cstdint>
#include <cstdio>

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

// Copies length bytes from source's current position to destination, XORing
// each byte with the key's combined value. Returns 1 after a complete copy;
// 0 when the key is null, the buffer cannot be allocated (reported here), or a
// read came up short or a write failed (not reported here: the caller knows
// which file it was and must not keep a short copy).
int CopyDescrambled(const char* key, FILE* destination, FILE* source, uint32_t length);
