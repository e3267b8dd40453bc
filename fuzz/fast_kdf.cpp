// Stand-ins for the two slow key derivations, linked into the fuzzers alone:
// the real ones spend a fraction of a second and 64 MiB on every input. The
// output depends on every input byte, as a derivation's does, so a wrong
// password still fails the verifier.
#include "disc_crypto.h"

static int Mix(const char* password, size_t passwordLength, const unsigned char* salt,
               size_t saltLength, uint32_t cost, unsigned char* out, size_t outLength)
{
    uint32_t state = 2166136261u ^ cost;
    for (size_t i = 0; i < passwordLength; ++i)
        state = (state ^ (unsigned char)password[i]) * 16777619u;
    for (size_t i = 0; i < saltLength; ++i)
        state = (state ^ salt[i]) * 16777619u;
    for (size_t i = 0; i < outLength; ++i) {
        state = (state ^ (uint32_t)i) * 16777619u;
        out[i] = (unsigned char)(state >> 24);
    }
    return KDF_DONE;
}

int DerivePbkdf2(const char* password, size_t passwordLength, const unsigned char* salt,
                 size_t saltLength, uint32_t iterations, unsigned char* out, size_t outLength)
{
    return iterations == 0 ? KDF_FAILED : Mix(password, passwordLength, salt, saltLength, iterations, out, outLength);
}

int DeriveArgon2id(const char* password, size_t passwordLength, const unsigned char* salt,
                   size_t saltLength, uint32_t passes, uint32_t memoryKiB, uint32_t lanes,
                   unsigned char* out, size_t outLength, const unsigned char*, size_t,
                   const unsigned char*, size_t)
{
    return Mix(password, passwordLength, salt, saltLength, passes ^ memoryKiB ^ lanes, out, outLength);
}
