#include "disc_protection.h"

#include <algorithm>

#include "build_error.h"
#include "content_copy.h"

std::unique_ptr<DiscProtection> ChooseProtection(const DiscOptions& options)
{
    auto protection = std::make_unique<DiscProtection>();
    protection->integrity = options.integrity;
    if (!options.integrity)
        return protection;
    Protection mode = options.protection ? *options.protection
                                         : (options.password ? Protection::Strong : Protection::Scrambled);
    protection->strong = mode == Protection::Strong;
    if (protection->strong && !options.password)
        throw BuildError(STRONG_NEEDS_PASSWORD);
    if (!protection->strong)
        protection->record.flags = INTEGRITY_FILE_CRC32;
    if (options.password) {
        if (!PrepareDiscKeys(&protection->record, protection->strong, &protection->keys))
            throw BuildError("cannot make the disc's keys (libgcrypt failed)");
        protection->password = *options.password;
        DiscProtection* self = protection.get();
        protection->sealing = std::async(std::launch::async | std::launch::deferred, [self] {
            return SealDiscKeys(&self->record, self->password.data(), self->password.size(), &self->keys);
        });
    }
    if (protection->strong) {
        protection->contentCipher.reset(OpenChunkCipher(protection->keys.contentKey));
        if (!protection->contentCipher)
            throw BuildError("cannot set up AES-256-GCM (libgcrypt failed)");
    }
    return protection;
}

void DiscProtection::FinishRecord()
{
    bool sealed = !sealing.valid() || sealing.get();
    // The password is in the record's verifier and wrap now: no copy stays.
    std::fill(password.begin(), password.end(), '\0');
    if (!sealed)
        throw BuildError("cannot derive the disc's keys from the password (libgcrypt failed)");
}

uint64_t StoredSize(uint64_t size, uint32_t chunkSize)
{
    if (chunkSize == 0)
        return size;
    return size + (size + chunkSize - 1) / chunkSize * CHUNK_TAG_SIZE;
}
