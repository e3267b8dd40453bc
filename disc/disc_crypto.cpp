#include "disc_crypto.h"

#include <gcrypt.h>

#include <cstring>

int StartCrypto()
{
    static int started = 0;
    if (started)
        return 1;
    if (!gcry_check_version(GCRYPT_VERSION))
        return 0;
    // No passwords are kept in locked memory: the viewer holds its keys only
    // while it runs, and secure memory would print warnings on some systems.
    gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
    gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    started = 1;
    return 1;
}

static uint32_t Crc32FromDigest(const unsigned char* digest)
{
    return (uint32_t)digest[0] << 24 | (uint32_t)digest[1] << 16 | (uint32_t)digest[2] << 8 |
           (uint32_t)digest[3];
}

uint32_t Crc32Of(const void* data, size_t length)
{
    unsigned char digest[4];
    StartCrypto();
    gcry_md_hash_buffer(GCRY_MD_CRC32, digest, data, length);
    return Crc32FromDigest(digest);
}

Crc32Run* StartCrc32()
{
    gcry_md_hd_t handle;
    if (!StartCrypto() || gcry_md_open(&handle, GCRY_MD_CRC32, 0))
        return nullptr;
    return (Crc32Run*)handle;
}

void AddToCrc32(Crc32Run* run, const void* data, size_t length)
{
    gcry_md_write((gcry_md_hd_t)run, data, length);
}

uint32_t FinishCrc32(Crc32Run* run)
{
    gcry_md_hd_t handle = (gcry_md_hd_t)run;
    uint32_t crc = Crc32FromDigest(gcry_md_read(handle, GCRY_MD_CRC32));
    gcry_md_close(handle);
    return crc;
}

Sha256Run* StartSha256()
{
    gcry_md_hd_t handle;
    if (!StartCrypto() || gcry_md_open(&handle, GCRY_MD_SHA256, 0))
        return nullptr;
    return (Sha256Run*)handle;
}

void AddToSha256(Sha256Run* run, const void* data, size_t length)
{
    gcry_md_write((gcry_md_hd_t)run, data, length);
}

void FinishSha256(Sha256Run* run, unsigned char digest[SHA256_SIZE])
{
    gcry_md_hd_t handle = (gcry_md_hd_t)run;
    memcpy(digest, gcry_md_read(handle, GCRY_MD_SHA256), SHA256_SIZE);
    gcry_md_close(handle);
}

int DeriveSubkey(const unsigned char* key, size_t keyLength, const char* label,
                 unsigned char out[DISC_KEY_SIZE])
{
    gcry_md_hd_t handle;
    if (!StartCrypto() || gcry_md_open(&handle, GCRY_MD_SHA256, GCRY_MD_FLAG_HMAC))
        return 0;
    int done = gcry_md_setkey(handle, key, keyLength) == 0;
    if (done) {
        gcry_md_write(handle, label, strlen(label));
        memcpy(out, gcry_md_read(handle, GCRY_MD_SHA256), DISC_KEY_SIZE);
    }
    gcry_md_close(handle);
    return done;
}

int SameBytes(const unsigned char* a, const unsigned char* b, size_t length)
{
    unsigned char difference = 0;
    for (size_t i = 0; i < length; ++i)
        difference |= (unsigned char)(a[i] ^ b[i]);
    return difference == 0;
}

void RandomBytes(unsigned char* out, size_t length)
{
    StartCrypto();
    gcry_randomize(out, length, GCRY_STRONG_RANDOM);
}

static int KeyWrap(const unsigned char* keyEncryptingKey, const unsigned char* in, unsigned char* out,
                   int wrap)
{
    gcry_cipher_hd_t handle;
    if (!StartCrypto() || gcry_cipher_open(&handle, GCRY_CIPHER_AES256, GCRY_CIPHER_MODE_AESWRAP, 0))
        return 0;
    int done = gcry_cipher_setkey(handle, keyEncryptingKey, DISC_KEY_SIZE) == 0 &&
               (wrap ? gcry_cipher_encrypt(handle, out, DISC_KEY_SIZE + 8, in, DISC_KEY_SIZE)
                     : gcry_cipher_decrypt(handle, out, DISC_KEY_SIZE, in, DISC_KEY_SIZE + 8)) == 0;
    gcry_cipher_close(handle);
    return done;
}

int WrapKey(const unsigned char keyEncryptingKey[DISC_KEY_SIZE], const unsigned char* key,
            unsigned char* out)
{
    return KeyWrap(keyEncryptingKey, key, out, 1);
}

int UnwrapKey(const unsigned char keyEncryptingKey[DISC_KEY_SIZE], const unsigned char* wrapped,
              unsigned char* key)
{
    return KeyWrap(keyEncryptingKey, wrapped, key, 0);
}

ChunkCipher* OpenChunkCipher(const unsigned char key[DISC_KEY_SIZE])
{
    gcry_cipher_hd_t handle;
    if (!StartCrypto() || gcry_cipher_open(&handle, GCRY_CIPHER_AES256, GCRY_CIPHER_MODE_GCM, 0))
        return nullptr;
    if (gcry_cipher_setkey(handle, key, DISC_KEY_SIZE)) {
        gcry_cipher_close(handle);
        return nullptr;
    }
    return (ChunkCipher*)handle;
}

void CloseChunkCipher(ChunkCipher* cipher)
{
    if (cipher)
        gcry_cipher_close((gcry_cipher_hd_t)cipher);
}

static void PutU32(unsigned char* out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = (unsigned char)(value >> (8 * i));
}

static int StartGcm(gcry_cipher_hd_t handle, const unsigned char nonce[CHUNK_NONCE_SIZE],
                    const unsigned char* associated, size_t associatedLength)
{
    return gcry_cipher_reset(handle) == 0 && gcry_cipher_setiv(handle, nonce, CHUNK_NONCE_SIZE) == 0 &&
           gcry_cipher_authenticate(handle, associated, associatedLength) == 0 &&
           gcry_cipher_final(handle) == 0;
}

int SealWithNonce(ChunkCipher* cipher, const unsigned char nonce[CHUNK_NONCE_SIZE],
                  const unsigned char* associated, size_t associatedLength, unsigned char* data,
                  size_t length, unsigned char tag[CHUNK_TAG_SIZE])
{
    gcry_cipher_hd_t handle = (gcry_cipher_hd_t)cipher;
    return StartGcm(handle, nonce, associated, associatedLength) &&
           gcry_cipher_encrypt(handle, data, length, nullptr, 0) == 0 &&
           gcry_cipher_gettag(handle, tag, CHUNK_TAG_SIZE) == 0;
}

int OpenWithNonce(ChunkCipher* cipher, const unsigned char nonce[CHUNK_NONCE_SIZE],
                  const unsigned char* associated, size_t associatedLength, unsigned char* data,
                  size_t length, const unsigned char tag[CHUNK_TAG_SIZE])
{
    gcry_cipher_hd_t handle = (gcry_cipher_hd_t)cipher;
    return StartGcm(handle, nonce, associated, associatedLength) &&
           gcry_cipher_decrypt(handle, data, length, nullptr, 0) == 0 &&
           gcry_cipher_checktag(handle, tag, CHUNK_TAG_SIZE) == 0;
}

// A chunk's associated data: its nonce (the item id and the chunk's index),
// the item's plain size, and for a bound table the layout's digest.
static size_t ChunkAssociated(uint32_t itemId, uint64_t chunkIndex, uint64_t itemSize, int wideSize,
                              const unsigned char* bound, unsigned char* associated)
{
    PutU32(associated, itemId);
    PutU32(associated + 4, (uint32_t)chunkIndex);
    PutU32(associated + 8, (uint32_t)(chunkIndex >> 32));
    PutU32(associated + 12, (uint32_t)itemSize);
    size_t length = CHUNK_NONCE_SIZE + 4;
    if (wideSize) {
        PutU32(associated + 16, (uint32_t)(itemSize >> 32));
        length += 4;
    }
    if (!bound)
        return length;
    memcpy(associated + length, bound, SHA256_SIZE);
    return length + SHA256_SIZE;
}

int SealChunk(ChunkCipher* cipher, uint32_t itemId, uint64_t chunkIndex, uint64_t itemSize,
              unsigned char* data, size_t length, unsigned char tag[CHUNK_TAG_SIZE],
              const unsigned char* bound, int wideSize)
{
    unsigned char associated[CHUNK_NONCE_SIZE + 8 + SHA256_SIZE];
    size_t associatedLength = ChunkAssociated(itemId, chunkIndex, itemSize, wideSize, bound, associated);
    return SealWithNonce(cipher, associated, associated, associatedLength, data, length, tag);
}

int OpenChunk(ChunkCipher* cipher, uint32_t itemId, uint64_t chunkIndex, uint64_t itemSize,
              unsigned char* data, size_t length, const unsigned char tag[CHUNK_TAG_SIZE],
              const unsigned char* bound, int wideSize)
{
    unsigned char associated[CHUNK_NONCE_SIZE + 8 + SHA256_SIZE];
    size_t associatedLength = ChunkAssociated(itemId, chunkIndex, itemSize, wideSize, bound, associated);
    return OpenWithNonce(cipher, associated, associated, associatedLength, data, length, tag);
}
