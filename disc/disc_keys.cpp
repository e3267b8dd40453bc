#include "disc_keys.h"

#include <cstring>

// The verifier and the key that wraps the data key are separate HMAC subkeys
// of the derived key material, so the verifier says nothing about the keys.
// Returns a KDF_ result.
static int DeriveFromPassword(const IntegrityRecord* record, const char* password,
                              size_t passwordLength, unsigned char verifier[DISC_KEY_SIZE],
                              unsigned char wrapping[DISC_KEY_SIZE])
{
    if (passwordLength == 0)
        return KDF_FAILED;
    unsigned char material[DISC_KEY_SIZE];
    int derived = record->kdf == KDF_ARGON2ID
                      ? DeriveArgon2id(password, passwordLength, record->salt, DISC_SALT_SIZE,
                                       record->iterations, record->memoryKiB, record->lanes,
                                       material, sizeof material)
                      : DerivePbkdf2(password, passwordLength, record->salt, DISC_SALT_SIZE,
                                     record->iterations, material, sizeof material);
    if (derived == KDF_DONE && !(DeriveSubkey(material, sizeof material, "Arcseal verifier", verifier) &&
                                 DeriveSubkey(material, sizeof material, "Arcseal key wrap", wrapping)))
        derived = KDF_FAILED;
    memset(material, 0, sizeof material);
    return derived;
}

static int KeysFromDataKey(DiscKeys* keys)
{
    return DeriveSubkey(keys->dataKey, DISC_KEY_SIZE, "Arcseal contents", keys->contentKey) &&
           DeriveSubkey(keys->dataKey, DISC_KEY_SIZE, "Arcseal item table", keys->tableKey);
}

int PrepareDiscKeys(IntegrityRecord* record, int strong, DiscKeys* keys)
{
    memset(keys, 0, sizeof *keys);
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
    if (!strong)
        return 1;
    RandomBytes(keys->dataKey, DISC_KEY_SIZE);
    return KeysFromDataKey(keys);
}

int SealDiscKeys(IntegrityRecord* record, const char* password, size_t passwordLength,
                 const DiscKeys* keys)
{
    unsigned char wrapping[DISC_KEY_SIZE];
    int sealed = DeriveFromPassword(record, password, passwordLength, record->verifier, wrapping) == KDF_DONE;
    if (sealed && (record->flags & INTEGRITY_STRONG))
        sealed = WrapKey(wrapping, keys->dataKey, record->wrappedKey);
    memset(wrapping, 0, sizeof wrapping);
    return sealed;
}

int MakePasswordVerifier(IntegrityRecord* record, const char* password, size_t passwordLength,
                         int strong, DiscKeys* keys)
{
    return PrepareDiscKeys(record, strong, keys) && SealDiscKeys(record, password, passwordLength, keys);
}

int UnlockDisc(const IntegrityRecord* record, const char* password, size_t passwordLength,
               DiscKeys* keys)
{
    memset(keys, 0, sizeof *keys);
    if (!(record->flags & INTEGRITY_VERIFIER) || passwordLength == 0)
        return UNLOCK_WRONG;
    unsigned char verifier[DISC_KEY_SIZE];
    unsigned char wrapping[DISC_KEY_SIZE];
    int derived = DeriveFromPassword(record, password, passwordLength, verifier, wrapping);
    int result = derived == KDF_NO_MEMORY ? UNLOCK_NO_MEMORY
                 : derived != KDF_DONE    ? UNLOCK_FAILED
                 : SameBytes(verifier, record->verifier, DISC_KEY_SIZE) ? UNLOCK_DONE
                                                                        : UNLOCK_WRONG;
    // A verifier that matches but a wrap that does not open is an altered record.
    if (result == UNLOCK_DONE && (record->flags & INTEGRITY_STRONG) &&
        !(UnwrapKey(wrapping, record->wrappedKey, keys->dataKey) && KeysFromDataKey(keys)))
        result = UNLOCK_WRONG;
    memset(wrapping, 0, sizeof wrapping);
    memset(verifier, 0, sizeof verifier);
    if (result != UNLOCK_DONE)
        memset(keys, 0, sizeof *keys);
    return result;
}
