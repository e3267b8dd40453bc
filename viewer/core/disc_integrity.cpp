#include "disc_integrity.h"

#include <cstring>

#include "item_list.h"
#include "key_fields.h"
#include "scramble.h"

IntegrityRecord discRecord;
int discRecordState;
DiscKeys discKeys;
int discKeysReady;

// One cipher for every file of a strong disc: opened with the keys.
static ChunkCipher* contentCipher;

void ForgetDiscKeys()
{
    CloseChunkCipher(contentCipher);
    contentCipher = nullptr;
    memset(&discKeys, 0, sizeof discKeys);
    discKeysReady = 0;
}

int TakeIntegrityRecord(const LayoutHeader* header)
{
    ForgetDiscKeys();
    discRecordState = ReadIntegrityRecord(header, &discRecord);
    if (discRecordState != RECORD_PRESENT)
        memset(&discRecord, 0, sizeof discRecord);
    return discRecordState;
}

int IsStrongDisc()
{
    return discRecordState == RECORD_PRESENT && (discRecord.flags & INTEGRITY_STRONG) != 0;
}

static int HasVerifier()
{
    return discRecordState == RECORD_PRESENT && (discRecord.flags & INTEGRITY_VERIFIER) != 0;
}

static int Unlock(const char* typed)
{
    DiscKeys keys;
    if (!StartCrypto() || !UnlockDisc(&discRecord, typed, strlen(typed), &keys))
        return 0;
    ChunkCipher* cipher = nullptr;
    if (IsStrongDisc()) {
        cipher = OpenChunkCipher(keys.contentKey);
        if (!cipher) {
            memset(&keys, 0, sizeof keys);
            return 0;
        }
    }
    ForgetDiscKeys();
    discKeys = keys;
    contentCipher = cipher;
    discKeysReady = 1;
    memset(&keys, 0, sizeof keys);
    return 1;
}

int CheckDiscPassword(const char* checkBlock, const char* typed, char* contentKey)
{
    if (strlen(typed) > MAX_PASSWORD_LENGTH)
        return 0;
    if (IsStrongDisc())
        return Unlock(typed);
    char accepted[CONTENT_KEY_SIZE];
    if (!CheckPassword(checkBlock, typed, accepted))
        return 0;
    // About one wrong password in 256 passes the one-byte check: the
    // verifier turns those away.
    if (HasVerifier() && !Unlock(typed))
        return 0;
    memcpy(contentKey, accepted, strlen(accepted) + 1);
    return 1;
}

uint32_t ItemTableCount(const LayoutTrailer* trailer)
{
    return IsStrongDisc() ? discRecord.itemCount : trailer->itemCount;
}

uint32_t ItemTablePlainSize(const LayoutTrailer* trailer)
{
    return IsStrongDisc() ? discRecord.plainTableSize : trailer->itemTableSize;
}

int OpenStrongItemTable(unsigned char* table, uint32_t size)
{
    if (!IsStrongDisc() || !discKeysReady)
        return 0;
    return OpenSealedItemTable(&discRecord, discKeys.tableKey, table, size);
}

int ItemContentFormat(const ArcsealItem* item, const char* contentKey, ContentFormat* format)
{
    memset(format, 0, sizeof *format);
    format->itemId = item->itemId;
    format->itemSize = item->itemSize;
    if (IsStrongDisc()) {
        if (!discKeysReady || !contentCipher)
            return 0;
        format->mode = CONTENT_SEALED;
        format->cipher = contentCipher;
        format->chunkSize = discRecord.chunkSize;
        return 1;
    }
    format->xorValue = CombinedKeyValue(contentKey);
    format->mode = ContentModeOf(discRecordState == RECORD_PRESENT ? &discRecord : nullptr);
    if (format->mode == CONTENT_XOR_CRC32)
        format->crc32 = item->reserved;
    return 1;
}
