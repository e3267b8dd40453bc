// Checksums, hashes, key derivation and the AES-256-GCM chunks of verified and strong
// discs, all through libgcrypt so the disc builder and the viewer cannot
// disagree. No windows.h.
#pragma once
#include <cstddef>
#include <cstdint>

const size_t DISC_KEY_SIZE = 32;   // AES-256 keys, HMAC-SHA256 outputs
const size_t DISC_SALT_SIZE = 16;
const size_t CHUNK_TAG_SIZE = 16;  // GCM tag behind every sealed chunk
const size_t CHUNK_NONCE_SIZE = 12;

// Starts libgcrypt once per process; 1 when it is usable.
int StartCrypto();

// CRC-32 (ISO 3309, as zip files use), in one call or in runs.
uint32_t Crc32Of(const void* data, size_t length);
struct Crc32Run;
Crc32Run* StartCrc32();  // null when out of memory
void AddToCrc32(Crc32Run* run, const void* data, size_t length);
uint32_t FinishCrc32(Crc32Run* run);  // also frees the run

// SHA-256 in runs.
const size_t SHA256_SIZE = 32;
struct Sha256Run;
Sha256Run* StartSha256();  // null when out of memory
void AddToSha256(Sha256Run* run, const void* data, size_t length);
void FinishSha256(Sha256Run* run, unsigned char digest[SHA256_SIZE]);  // also frees the run

// The two slow derivations from a password (password_kdf.cpp). Results:
const int KDF_DONE = 1;
const int KDF_FAILED = 0;
const int KDF_NO_MEMORY = -1;  // the derivation could not get its memory
// PBKDF2-HMAC-SHA256.
int DerivePbkdf2(const char* password, size_t passwordLength, const unsigned char* salt,
                 size_t saltLength, uint32_t iterations, unsigned char* out, size_t outLength);
// Argon2id with t passes over memoryKiB KiB in lanes lanes; secret and
// associated data are optional (null, 0), as the disc uses none.
int DeriveArgon2id(const char* password, size_t passwordLength, const unsigned char* salt,
                   size_t saltLength, uint32_t passes, uint32_t memoryKiB, uint32_t lanes,
                   unsigned char* out, size_t outLength, const unsigned char* secret = nullptr,
                   size_t secretLength = 0, const unsigned char* associated = nullptr,
                   size_t associatedLength = 0);
// HMAC-SHA256 of the label under key: one subkey of a disc's key material.
int DeriveSubkey(const unsigned char* key, size_t keyLength, const char* label,
                 unsigned char out[DISC_KEY_SIZE]);

// 1 when the two blocks are equal, in time independent of where they differ.
int SameBytes(const unsigned char* a, const unsigned char* b, size_t length);

void RandomBytes(unsigned char* out, size_t length);

// AES key wrap (RFC 3394) of a DISC_KEY_SIZE key under another: out has
// DISC_KEY_SIZE + 8 bytes. Unwrapping fails (0) when the wrap was altered or
// the key is not the one it was wrapped under.
int WrapKey(const unsigned char keyEncryptingKey[DISC_KEY_SIZE], const unsigned char* key,
            unsigned char* out);
int UnwrapKey(const unsigned char keyEncryptingKey[DISC_KEY_SIZE], const unsigned char* wrapped,
              unsigned char* key);

// One AES-256-GCM key, reused for every chunk of an item. Each chunk's nonce
// is the item id and the chunk's index, and the associated data is that nonce
// with the item's plain size, so a chunk moved within or between files, or a
// file cut short, fails its tag. A strong disc's item table is one chunk
// whose associated data also carries the layout's digest (bound, SHA256_SIZE
// bytes; null for file chunks), so that any change to the layout fails it.
// wideSize: the size is carried as 64 bits (discs of the wide records), else
// as the design's 32.
struct ChunkCipher;
ChunkCipher* OpenChunkCipher(const unsigned char key[DISC_KEY_SIZE]);  // null on failure
void CloseChunkCipher(ChunkCipher* cipher);
// Encrypts length bytes in place and writes their tag; 1 on success.
int SealChunk(ChunkCipher* cipher, uint32_t itemId, uint64_t chunkIndex, uint64_t itemSize,
              unsigned char* data, size_t length, unsigned char tag[CHUNK_TAG_SIZE],
              const unsigned char* bound = nullptr, int wideSize = 0);
// Decrypts length bytes in place; 1 only when the tag matches.
int OpenChunk(ChunkCipher* cipher, uint32_t itemId, uint64_t chunkIndex, uint64_t itemSize,
              unsigned char* data, size_t length, const unsigned char tag[CHUNK_TAG_SIZE],
              const unsigned char* bound = nullptr, int wideSize = 0);

// AES-256-GCM with a nonce and associated data of the caller's: what the
// chunks above are made of (and what the known-answer tests check).
int SealWithNonce(ChunkCipher* cipher, const unsigned char nonce[CHUNK_NONCE_SIZE],
                  const unsigned char* associated, size_t associatedLength, unsigned char* data,
                  size_t length, unsigned char tag[CHUNK_TAG_SIZE]);
int OpenWithNonce(ChunkCipher* cipher, const unsigned char nonce[CHUNK_NONCE_SIZE],
                  const unsigned char* associated, size_t associatedLength, unsigned char* data,
                  size_t length, const unsigned char tag[CHUNK_TAG_SIZE]);
