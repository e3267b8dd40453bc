#include "disc_open.h"

#include <cstdlib>
#include <cstring>

#include "block_size.h"
#include "disc_items.h"
#include "item_records.h"
#include "layout_digest.h"
#include "scramble.h"


static int Fail(int* reason, int why)
{
    *reason = why;
    return 0;
}

void InitOpenedDisc(OpenedDisc* disc)
{
    memset(disc, 0, sizeof *disc);
}

void CloseOpenedDisc(OpenedDisc* disc)
{
    CloseChunkCipher(disc->contentCipher);
    CloseChunkCipher(disc->secondCipher);
    free(disc->items);
    free(disc->texts);
    // The whole record goes, keys and the accepted password with it.
    memset(disc, 0, sizeof *disc);
}

int TakeDiscHeader(const LayoutHeader* header, OpenedDisc* disc, int* reason)
{
    disc->header = *header;
    disc->recordState = ReadIntegrityRecord(&disc->header, &disc->record);
    if (disc->recordState == RECORD_DAMAGED)
        return Fail(reason, DISC_RECORD_DAMAGED);
    if (disc->recordState == RECORD_OUTDATED)
        return Fail(reason, DISC_OUTDATED);
    TerminateHeaderTexts(&disc->header);
    int present = disc->recordState == RECORD_PRESENT;
    disc->strong = present && (disc->record.flags & INTEGRITY_STRONG) != 0;
    disc->wide = disc->strong && disc->record.version == INTEGRITY_VERSION_WIDE;
    disc->dataFileLimit = disc->wide ? disc->record.dataFileLimit : 0;
    disc->checksums = disc->strong || (present && (disc->record.flags & INTEGRITY_FILE_CRC32) != 0);
    disc->needsPassword = disc->strong || (disc->header.flags & FLAG_PASSWORD) != 0;
    return 1;
}

int OpenDiscLayout(const ByteSource* viewer, OpenedDisc* disc, int* reason)
{
    disc->fileLength = viewer->length;
    if (viewer->length < LAYOUT_TRAILER_SIZE ||
        !viewer->read(viewer->context, viewer->length - LAYOUT_TRAILER_SIZE, &disc->trailer,
                      sizeof disc->trailer))
        return Fail(reason, DISC_NO_LAYOUT);
    if (disc->trailer.magic != LAYOUT_MAGIC)
        return Fail(reason, DISC_NO_LAYOUT);
    // Every trailer value is checked against the file before anything is
    // allocated or read from it.
    if (!LayoutFitsFile(&disc->trailer, viewer->length))
        return Fail(reason, DISC_LAYOUT_DAMAGED);
    ComputeLayoutSections(&disc->trailer, &disc->sections);
    LayoutHeader header;
    if (!viewer->read(viewer->context, disc->sections.header, &header, sizeof header))
        return Fail(reason, DISC_LAYOUT_DAMAGED);
    XorWithValue((unsigned char*)&header, sizeof header, CombinedKeyValue(layoutKey));
    int taken = TakeDiscHeader(&header, disc, reason);
    memset(&header, 0, sizeof header);
    if (!taken)
        return 0;
    if (disc->strong && !ComputeLayoutDigest(viewer, disc->sections.eula, disc->layoutDigest))
        return Fail(reason, DISC_LAYOUT_DAMAGED);
    return 1;
}

static int UnlockResultReason(int unlocked)
{
    if (unlocked == UNLOCK_NO_MEMORY)
        return DISC_KEY_NO_MEMORY;
    return unlocked == UNLOCK_FAILED ? DISC_CRYPTO_FAILED : DISC_WRONG_PASSWORD;
}

// The design's one-byte check, and on verified discs the verifier as well
// (about one wrong password in 256 passes the one-byte check alone).
static int UnlockScrambled(OpenedDisc* disc, const char* typed, size_t length, int* reason)
{
    char accepted[CONTENT_KEY_SIZE];
    if (!CheckPassword(disc->header.contentKey, typed, accepted))
        return Fail(reason, DISC_WRONG_PASSWORD);
    if (disc->recordState == RECORD_PRESENT && (disc->record.flags & INTEGRITY_VERIFIER)) {
        int unlocked = UnlockDisc(&disc->record, typed, length, &disc->keys);
        memset(&disc->keys, 0, sizeof disc->keys);  // a verified disc has no keys to keep
        if (unlocked != UNLOCK_DONE) {
            memset(accepted, 0, sizeof accepted);
            return Fail(reason, UnlockResultReason(unlocked));
        }
    }
    memcpy(disc->contentKey, accepted, sizeof accepted);
    memset(accepted, 0, sizeof accepted);
    return 1;
}

static int UnlockStrong(OpenedDisc* disc, const char* typed, size_t length, int* reason)
{
    int unlocked = UnlockDisc(&disc->record, typed, length, &disc->keys);
    if (unlocked != UNLOCK_DONE)
        return Fail(reason, UnlockResultReason(unlocked));
    disc->contentCipher = OpenChunkCipher(disc->keys.contentKey);
    disc->secondCipher = OpenChunkCipher(disc->keys.contentKey);
    if (!disc->contentCipher || !disc->secondCipher) {
        memset(&disc->keys, 0, sizeof disc->keys);
        return Fail(reason, DISC_CRYPTO_FAILED);
    }
    return 1;
}

int UnlockOpenedDisc(OpenedDisc* disc, const char* password, size_t passwordLength, int* reason)
{
    if (disc->unlocked)
        return 1;
    if (!disc->needsPassword) {
        memcpy(disc->contentKey, disc->header.contentKey, CONTENT_KEY_SIZE);
        disc->unlocked = 1;
        return 1;
    }
    if (!password)
        return Fail(reason, DISC_NEEDS_PASSWORD);
    if (!StartCrypto())
        return Fail(reason, DISC_CRYPTO_FAILED);
    // The gate works on ended text; the copy is wiped whatever happens.
    if (passwordLength > MAX_PASSWORD_LENGTH || memchr(password, 0, passwordLength))
        return Fail(reason, DISC_WRONG_PASSWORD);
    char typed[MAX_PASSWORD_LENGTH + 1];
    memcpy(typed, password, passwordLength);
    typed[passwordLength] = 0;
    int unlocked = disc->strong ? UnlockStrong(disc, typed, passwordLength, reason)
                                : UnlockScrambled(disc, typed, passwordLength, reason);
    memset(typed, 0, sizeof typed);
    disc->unlocked = unlocked;
    return unlocked;
}

int OpenStoredItemTable(const OpenedDisc* disc, unsigned char* table, uint32_t size,
                        uint32_t* plainSize, int* reason)
{
    if (!disc->strong) {
        XorWithValue(table, size, CombinedKeyValue(layoutKey));
        *plainSize = size;
        return 1;
    }
    if (!disc->unlocked)
        return Fail(reason, DISC_NEEDS_PASSWORD);
    // The record's sizes are bound to the table through the layout's digest:
    // sizes that disagree mean that something was changed.
    if ((uint64_t)disc->record.plainTableSize + CHUNK_TAG_SIZE != size ||
        !OpenItemTable(disc->keys.tableKey, table, disc->record.plainTableSize, disc->layoutDigest,
                       disc->wide))
        return Fail(reason, DISC_TABLE_ALTERED);
    *plainSize = disc->record.plainTableSize;
    return 1;
}

int ReadDiscItems(OpenedDisc* disc, const ByteSource* viewer, int* reason)
{
    // A scrambled table opens without the password, as it always has.
    if (disc->strong && !disc->unlocked)
        return Fail(reason, DISC_NEEDS_PASSWORD);
    uint32_t size = disc->trailer.itemTableSize;
    size_t blockSize;
    unsigned char* table = SectionBlockSize(size, 1, &blockSize) ? (unsigned char*)malloc(blockSize) : nullptr;
    if (!table)
        return Fail(reason, DISC_NO_MEMORY);
    uint32_t plainSize = 0;
    int read = viewer->read(viewer->context, disc->sections.itemTable, table, size);
    int opened = read ? OpenStoredItemTable(disc, table, size, &plainSize, reason)
                      : Fail(reason, DISC_LAYOUT_DAMAGED);
    uint32_t count = disc->strong ? disc->record.itemCount : disc->trailer.itemCount;
    if (opened && disc->strong) {
        // Contents are opened with the cipher from here on: no key stays.
        memset(&disc->keys, 0, sizeof disc->keys);
    }
    int parsed = opened && ParseDiscItems(disc, table, plainSize, count, reason);
    memset(table, 0, size);
    free(table);
    return parsed;
}

int OpenDisc(const ByteSource* viewer, const char* password, size_t passwordLength,
             OpenedDisc* disc, int* reason)
{
    return OpenDiscLayout(viewer, disc, reason) &&
           UnlockOpenedDisc(disc, password, passwordLength, reason) &&
           ReadDiscItems(disc, viewer, reason);
}

int DiscContentFormat(const OpenedDisc* disc, uint32_t itemId, uint64_t itemSize, uint32_t reserved,
                      const char* contentKey, ContentFormat* format)
{
    memset(format, 0, sizeof *format);
    format->itemId = itemId;
    format->itemSize = itemSize;
    if (disc->strong) {
        if (!disc->unlocked || !disc->contentCipher)
            return 0;
        format->mode = CONTENT_SEALED;
        format->cipher = disc->contentCipher;
        format->chunkSize = disc->record.chunkSize;
        format->wideSize = disc->wide;
        return 1;
    }
    format->xorValue = CombinedKeyValue(contentKey ? contentKey : disc->contentKey);
    format->mode = ContentModeOf(disc->recordState == RECORD_PRESENT ? &disc->record : nullptr);
    if (format->mode == CONTENT_XOR_CRC32)
        format->crc32 = reserved;
    return 1;
}

int IsFolderItem(uint32_t itemType)
{
    return !RecordHasDataFields(itemType);
}

int IsFileItem(uint32_t itemType)
{
    return RecordHasDataFields(itemType);
}
