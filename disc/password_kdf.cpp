// The slow key derivations from a password, on their own so that the whole
// opener can be fuzzed with a quick stand-in linked in their place.
#include <gcrypt.h>

#include "disc_crypto.h"

static int KdfResult(gcry_error_t error)
{
    if (error == 0)
        return KDF_DONE;
    return gcry_err_code(error) == GPG_ERR_ENOMEM ? KDF_NO_MEMORY : KDF_FAILED;
}

int DerivePbkdf2(const char* password, size_t passwordLength, const unsigned char* salt,
                 size_t saltLength, uint32_t iterations, unsigned char* out, size_t outLength)
{
    if (!StartCrypto() || iterations == 0)
        return KDF_FAILED;
    return KdfResult(gcry_kdf_derive(password, passwordLength, GCRY_KDF_PBKDF2, GCRY_MD_SHA256,
                                     salt, saltLength, iterations, outLength, out));
}

int DeriveArgon2id(const char* password, size_t passwordLength, const unsigned char* salt,
                   size_t saltLength, uint32_t passes, uint32_t memoryKiB, uint32_t lanes,
                   unsigned char* out, size_t outLength, const unsigned char* secret,
                   size_t secretLength, const unsigned char* associated, size_t associatedLength)
{
    if (!StartCrypto())
        return KDF_FAILED;
    unsigned long parameters[4] = {(unsigned long)outLength, passes, memoryKiB, lanes};
    gcry_kdf_hd_t handle;
    gcry_error_t error = gcry_kdf_open(&handle, GCRY_KDF_ARGON2, GCRY_KDF_ARGON2ID, parameters, 4,
                                       password, passwordLength, salt, saltLength, secret,
                                       secretLength, associated, associatedLength);
    if (error)
        return KdfResult(error);
    error = gcry_kdf_compute(handle, nullptr);
    if (!error)
        error = gcry_kdf_final(handle, outLength, out);
    gcry_kdf_close(handle);
    return KdfResult(error);
}
