// Keys of verified and strong discs, derived from the password with the
// parameters the integrity record carries. No windows.h.
#pragma once
#include <cstddef>

#include "integrity_record.h"

// Verified discs: PBKDF2-HMAC-SHA256, about 0.2 s for a right or wrong password.
const uint32_t VERIFIED_PBKDF2_ITERATIONS = 1500000;
// Strong discs: Argon2id, about half a second and 64 MiB.
const uint32_t STRONG_ARGON2_PASSES = 7;
const uint32_t STRONG_ARGON2_MEMORY_KIB = 65536;
const uint32_t STRONG_ARGON2_LANES = 1;
const uint32_t STRONG_CHUNK_SIZE = 65536;

// A strong disc's keys come from a random data key of its own, which the
// record keeps wrapped under a key from the password: a builder can seal the
// contents while the slow derivation runs.
struct DiscKeys {
    unsigned char dataKey[DISC_KEY_SIZE];     // strong: random, wrapped in the record
    unsigned char contentKey[DISC_KEY_SIZE];  // strong: the files' chunks
    unsigned char tableKey[DISC_KEY_SIZE];    // strong: the item table
};

// The quick half of making a disc's keys: the record's key derivation and a
// fresh salt, and on strong discs a random data key and the keys from it.
// 1 on success.
int PrepareDiscKeys(IntegrityRecord* record, int strong, DiscKeys* keys);

// The slow half: the verifier from the password and, on strong discs, the
// data key wrapped under the password's key. 1 on success.
int SealDiscKeys(IntegrityRecord* record, const char* password, size_t passwordLength,
                 const DiscKeys* keys);

// Both halves at once.
int MakePasswordVerifier(IntegrityRecord* record, const char* password, size_t passwordLength,
                         int strong, DiscKeys* keys);

// UNLOCK_DONE when the password matches the record's verifier (compared in
// constant time); keys then hold what it opens. UNLOCK_WRONG for a wrong or
// empty password; UNLOCK_NO_MEMORY when the derivation could not get its
// memory, UNLOCK_FAILED when libgcrypt failed otherwise.
const int UNLOCK_DONE = 1;
const int UNLOCK_WRONG = 0;
const int UNLOCK_NO_MEMORY = -1;
const int UNLOCK_FAILED = -2;
int UnlockDisc(const IntegrityRecord* record, const char* password, size_t passwordLength,
               DiscKeys* keys);
