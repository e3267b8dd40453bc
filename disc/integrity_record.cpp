#include "integrity_record.h"

#include <cstring>

const uint32_t MIN_CHUNK_SIZE = 4096;
const uint32_t MAX_CHUNK_SIZE = 1048576;

static uint32_t RecordChecksum(IntegrityRecord record)
{
    record.checksum = 0;
    return Crc32Of(&record, sizeof record);
}

static int KeyParametersFit(const IntegrityRecord* record)
{
    switch (record->kdf) {
    case KDF_PBKDF2_SHA256:
        return record->iterations >= 1 && record->iterations <= MAX_PBKDF2_ITERATIONS;
    case KDF_ARGON2ID:
        return record->iterations >= 1 && record->iterations <= MAX_ARGON2_PASSES &&
               record->lanes >= 1 && record->lanes <= MAX_ARGON2_LANES &&
               record->memoryKiB >= 8 * record->lanes && record->memoryKiB <= MAX_ARGON2_MEMORY_KIB;
    default:
        return 0;
    }
}

static int ValuesFit(const IntegrityRecord* record)
{
    if (record->flags & ~INTEGRITY_KNOWN_FLAGS)
        return 0;
    if (record->flags & INTEGRITY_STRONG) {
        // Strong discs are always behind a password; their files carry tags.
        if (!(record->flags & INTEGRITY_VERIFIER) || record->kdf != KDF_ARGON2ID)
            return 0;
        if (record->chunkSize < MIN_CHUNK_SIZE || record->chunkSize > MAX_CHUNK_SIZE)
            return 0;
        if (record->version == INTEGRITY_VERSION_WIDE && record->dataFileLimit < MIN_DATA_FILE_LIMIT)
            return 0;
    }
    if (record->flags & INTEGRITY_VERIFIER)
        return KeyParametersFit(record);
    return 1;
}

int ReadIntegrityRecord(const LayoutHeader* header, IntegrityRecord* record)
{
    memset(record, 0, sizeof *record);
    IntegrityRecord stored;
    memcpy(&stored, (const unsigned char*)header + INTEGRITY_RECORD_OFFSET, sizeof stored);
    if (stored.magic != INTEGRITY_MAGIC)
        return RECORD_ABSENT;
    int bound = stored.version == INTEGRITY_VERSION_BOUND || stored.version == INTEGRITY_VERSION_WIDE;
    if ((stored.version != INTEGRITY_VERSION && !bound) || stored.size != INTEGRITY_RECORD_SIZE ||
        stored.checksum != RecordChecksum(stored) || !ValuesFit(&stored))
        return RECORD_DAMAGED;
    // Only strong discs are bound; a strong disc that is not was made before
    // the binding and could be changed unseen: it must be built again.
    int strong = (stored.flags & INTEGRITY_STRONG) != 0;
    if (bound != strong)
        return strong ? RECORD_OUTDATED : RECORD_DAMAGED;
    *record = stored;
    return RECORD_PRESENT;
}

void WriteIntegrityRecord(IntegrityRecord* record, LayoutHeader* header)
{
    record->magic = INTEGRITY_MAGIC;
    if (!(record->flags & INTEGRITY_STRONG))
        record->version = INTEGRITY_VERSION;
    else
        record->version = record->dataFileLimit ? INTEGRITY_VERSION_WIDE : INTEGRITY_VERSION_BOUND;
    record->size = INTEGRITY_RECORD_SIZE;
    record->checksum = RecordChecksum(*record);
    memcpy((unsigned char*)header + INTEGRITY_RECORD_OFFSET, record, sizeof *record);
}
