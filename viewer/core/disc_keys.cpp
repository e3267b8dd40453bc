#include "disc_keys.h"

#include <cstring>

// The verifier and the keys are separate HMAC subkeys of the derived key
// material, so the verifier a disc carries says nothing about its keys.
static int DeriveFromPassword(const IntegrityRecord* record, const char* password,
                              size_t passwordLength, unsigned char verifier[DISC_KEY_SIZE],
                              DiscKeys* keys)
{
    if (passwordLength == 0)
        return 0;
    unsigned char material[DISC_KEY_SIZE];
    int derived = record->kdf == KDF_ARGON2ID
                      ? DeriveArgon2id(password, passwordLength, record->salt, DISC_SALT_SIZE,
                                       record->iterations, record->memoryKiB, record->lanes,
                                       material, sizeof material)
                      : DerivePbkdf2(password, passwordLength, record->salt, DISC_SALT_SIZE,
                                     record->iterations, material, sizeof material);
    derived = derived && DeriveSubkey(material, sizeof material, "Arcseal verifier", verifier) &&
              DeriveSubkey(material, sizeof material, "Arcseal contents", keys->contentKey) &&
              DeriveSubkey(material, sizeof material, "Arcseal item table", keys->tableKey);
    memset(material, 0, sizeof material);
    return derived;
}

int MakePasswordVerifier(IntegrityRecord* record, const char* password, size_t passwordLength,
                         int strong, DiscKeys* keys)
{
    record->flags |= INTEGRITY_VERIFIER;
    if (strong) {
        record->flags |= INTEGRITY_STRONG;
        record->kdf = KDF_ARGON2ID;
        record->iterations = STRONG_ARGON2_PASSES;
        record->memoryKiB = STRONG_ARGON2_MEMORY_KIB;
        record->lanes = STRONG_ARGON2_LANES;
        record->chunkSize = STRONG_CHUNK_SIZE;
    } else {
        record->kdf = KDF_PBKDF2_SHA256;
        record->iterations = VERIFIED_PBKDF2_ITERATIONS;
    }
    RandomBytes(record->salt, DISC_SALT_SIZE);
    return DeriveFromPassword(record, password, passwordLength, record->verifier, keys);
}

int UnlockDisc(const IntegrityRecord* record, const char* password, size_t passwordLength,
               DiscKeys* keys)
{
    unsigned char verifier[DISC_KEY_SIZE];
    if (!(record->flags & INTEGRITY_VERIFIER) ||
        !DeriveFromPassword(record, password, passwordLength, verifier, keys))
        return 0;
    if (SameBytes(verifier, record->verifier, DISC_KEY_SIZE))
        return 1;
    memset(keys, 0, sizeof *keys);
    return 0;
}
