// The integrity record of verified and strong discs: 160 bytes in header bytes
// 4124-4635, which the original viewer never reads, so such discs still open
// there and discs without it open here as before. No windows.h.
#pragma once
#include <cstdint>

#include "disc_crypto.h"
#include "layout_format.h"

const uint32_t INTEGRITY_MAGIC = 0x52335341;  // "AS3R"
const uint32_t INTEGRITY_VERSION = 1;         // verified discs
// Strong discs: the item table is bound to the layout (its digest is in the
// table's associated data). Strong discs of version 1 had no such binding.
const uint32_t INTEGRITY_VERSION_BOUND = 2;
// Strong discs whose item table holds the wide records: UTF-8 names, 64-bit
// sizes, modification times, and contents as offsets into one data stream cut
// into data files of at most dataFileLimit bytes.
const uint32_t INTEGRITY_VERSION_WIDE = 3;
// A data file holds at least this much of the stream (a reader does not open
// thousands of files for one large one).
const uint64_t MIN_DATA_FILE_LIMIT = 65536;
const uint32_t INTEGRITY_RECORD_OFFSET = 4124;
const uint32_t INTEGRITY_RECORD_SIZE = 160;
const size_t WRAPPED_KEY_SIZE = DISC_KEY_SIZE + 8;  // AES key wrap adds 8 bytes

// Bits of IntegrityRecord::flags.
const uint32_t INTEGRITY_VERIFIER = 0x1;    // the password verifier is set
const uint32_t INTEGRITY_FILE_CRC32 = 0x2;  // each file item's reserved field is its CRC-32
const uint32_t INTEGRITY_STRONG = 0x4;      // AES-256-GCM contents and a sealed item table
const uint32_t INTEGRITY_KNOWN_FLAGS = 0x7;

// Key derivations.
const uint32_t KDF_NONE = 0;
const uint32_t KDF_PBKDF2_SHA256 = 1;
const uint32_t KDF_ARGON2ID = 2;

#pragma pack(push, 1)
struct IntegrityRecord {
    uint32_t magic;           // INTEGRITY_MAGIC
    uint32_t version;         // INTEGRITY_VERSION
    uint32_t size;            // INTEGRITY_RECORD_SIZE
    uint32_t checksum;        // CRC-32 of the record with this field zero
    uint32_t flags;
    uint32_t kdf;
    uint32_t iterations;      // PBKDF2 iterations, or Argon2id passes
    uint32_t memoryKiB;       // Argon2id only
    uint32_t lanes;           // Argon2id only
    uint32_t chunkSize;       // strong: plain bytes per sealed chunk
    uint32_t itemCount;       // strong: records in the sealed item table
    uint32_t plainTableSize;  // strong: bytes of the item table once opened
    unsigned char salt[DISC_SALT_SIZE];
    unsigned char verifier[DISC_KEY_SIZE];
    unsigned char wrappedKey[WRAPPED_KEY_SIZE];  // strong: the disc's data key, wrapped
    uint64_t dataFileLimit;   // version 3: stream bytes per data file; 0 before
    unsigned char unused[16];
};
#pragma pack(pop)
static_assert(sizeof(IntegrityRecord) == INTEGRITY_RECORD_SIZE, "integrity record is 160 bytes");
static_assert(offsetof(LayoutHeader, unused2) == INTEGRITY_RECORD_OFFSET, "record lies in the unread bytes");

enum RecordState {
    RECORD_ABSENT = 0,
    RECORD_PRESENT = 1,
    RECORD_DAMAGED = -1,
    RECORD_OUTDATED = -2,  // a strong disc of version 1: it must be built again
};

// Bounds a hostile disc cannot go beyond: what mkdisc writes with a margin,
// so that a reader never spends much more than a second or 128 MiB on one
// password.
const uint32_t MAX_PBKDF2_ITERATIONS = 3000000;
const uint32_t MAX_ARGON2_PASSES = 10;
const uint32_t MAX_ARGON2_MEMORY_KIB = 131072;
const uint32_t MAX_ARGON2_LANES = 4;

// Reads the record of a descrambled header. A header without the magic has no
// record; one with the magic whose checksum, version or values are wrong (or
// beyond what a reader should spend: memory, iterations) is damaged.
int ReadIntegrityRecord(const LayoutHeader* header, IntegrityRecord* record);

// Fills in magic, version (by the strong flag, and on strong discs by
// whether dataFileLimit is set), size and checksum and stores
// the record in the header.
void WriteIntegrityRecord(IntegrityRecord* record, LayoutHeader* header);
