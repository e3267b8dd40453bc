// What protects a disc being built: the integrity record, the keys made from
// the password, and how each file's contents are stored.
#pragma once
#include <cstdint>
#include <future>
#include <memory>
#include <string>

#include "disc_keys.h"
#include "disc_options.h"

struct ChunkCipherCloser {
    void operator()(ChunkCipher* cipher) const { CloseChunkCipher(cipher); }
};

struct DiscProtection {
    bool integrity = false;   // the record is written, file items carry their CRC-32
    bool strong = false;      // sealed contents and item table
    IntegrityRecord record{};
    DiscKeys keys{};
    std::unique_ptr<ChunkCipher, ChunkCipherCloser> contentCipher;  // strong only

    // Plain bytes per sealed chunk; 0 for scrambled contents.
    uint32_t ChunkSize() const { return strong ? record.chunkSize : 0; }

    // The verifier and the wrapped data key, derived from the password on a
    // thread of their own while the data files are written (the derivation
    // takes a fraction of a second by design). Waits for them; throws when
    // the derivation failed.
    void FinishRecord();

    std::string password;
    std::future<int> sealing;
};

// Decides the protection from the options; the keys the data files need are
// there at once.
std::unique_ptr<DiscProtection> ChooseProtection(const DiscOptions& options);

// Bytes a file of size bytes takes in its data file.
uint64_t StoredSize(uint64_t size, uint32_t chunkSize);
