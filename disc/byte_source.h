// Where a disc's bytes come from: a file, or memory in tests and fuzzers. The
// opener reads the viewer file through one of these and nothing else, so every
// front end (viewer, mkdisc, benchmarks, fuzzers, tests) shares its checks.
// No windows.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

struct ByteSource {
    // Reads length bytes at offset into buffer; 1 only when all of them came.
    int (*read)(void* context, uint64_t offset, void* buffer, size_t length);
    void* context;
    uint64_t length;
};

// Bytes in memory, which must outlive the source made over them.
struct MemoryBytes {
    const unsigned char* bytes;
    size_t length;
};
void MemorySource(MemoryBytes* memory, ByteSource* source);

// An open stdio stream (opened "rb"), which must outlive the source; 0 when
// its length cannot be found.
int FileSource(FILE* file, ByteSource* source);

// Seeks a stream to a 64-bit offset; 1 on success.
int SeekStream(FILE* file, uint64_t offset);
