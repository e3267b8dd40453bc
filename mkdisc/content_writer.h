// One source file's contents into its data file, in the form the disc keeps
// them: XOR-scrambled (with the CRC-32 of the plain bytes taken on the way)
// or sealed in AES-256-GCM chunks.
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "disc_crypto.h"

namespace fs = std::filesystem;

struct ContentWriting {
    unsigned char xorValue = 0;    // scrambled contents
    ChunkCipher* cipher = nullptr;  // sealed contents when set
    uint32_t chunkSize = 0;
    bool wideSizes = false;  // the chunks carry the size in 64 bits (wide records)
};

// Takes each piece of stored bytes in order; throws when it cannot write them.
using StoredSink = std::function<void(const unsigned char* bytes, uint32_t length)>;

// Copies exactly size bytes of source (refused when it changed since it was
// measured) into destination; copied(bytes) follows each piece and may throw
// to stop. Returns the CRC-32 of the plain contents (0 for sealed ones).
// Scrambled contents are below 4 GiB (the design's records hold no more).
uint32_t WriteContents(const fs::path& source, uint64_t size, uint32_t itemId, const StoredSink& destination,
                       const ContentWriting& how, const std::function<void(uint64_t bytes)>& copied);
