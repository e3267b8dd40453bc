#include "disc_integrity.h"

#include <cstring>

#include "item_list.h"

OpenedDisc viewerDisc;
DiscKeys& discKeys = viewerDisc.keys;
int discKeysReady;

void ForgetDiscKeys()
{
    CloseOpenedDisc(&viewerDisc);
    discKeysReady = 0;
}

int TakeIntegrityRecord(const LayoutHeader* header)
{
    ForgetDiscKeys();
    int reason = DISC_OK;
    if (!TakeDiscHeader(header, &viewerDisc, &reason))
        return reason == DISC_OUTDATED ? RECORD_OUTDATED : RECORD_DAMAGED;
    return viewerDisc.recordState;
}

int IsStrongDisc()
{
    return viewerDisc.strong;
}

int CheckDiscPassword(const char* checkBlock, const char* typed, char* contentKey)
{
    size_t length = strlen(typed);
    if (length > MAX_PASSWORD_LENGTH)
        return 0;
    // The gate reads the check block from the header it holds; a wrong
    // password leaves the disc as it was, so the reader may try again.
    memcpy(viewerDisc.header.contentKey, checkBlock, CONTENT_KEY_SIZE);
    viewerDisc.needsPassword = 1;
    viewerDisc.unlocked = 0;
    int reason = DISC_OK;
    if (!UnlockOpenedDisc(&viewerDisc, typed, length, &reason))
        return reason == DISC_KEY_NO_MEMORY ? -1 : 0;
    discKeysReady = viewerDisc.recordState == RECORD_PRESENT &&
                    (viewerDisc.record.flags & INTEGRITY_VERIFIER) != 0;
    if (!viewerDisc.strong)
        memcpy(contentKey, viewerDisc.contentKey, strlen(viewerDisc.contentKey) + 1);
    return 1;
}

uint32_t ItemTableCount(const LayoutTrailer* trailer)
{
    return IsStrongDisc() ? viewerDisc.record.itemCount : trailer->itemCount;
}

uint32_t ItemTablePlainSize(const LayoutTrailer* trailer)
{
    return IsStrongDisc() ? viewerDisc.record.plainTableSize : trailer->itemTableSize;
}

int OpenStrongItemTable(unsigned char* table, uint32_t size)
{
    uint32_t plainSize = 0;
    int reason = DISC_OK;
    return IsStrongDisc() && OpenStoredItemTable(&viewerDisc, table, size, &plainSize, &reason);
}

int ItemContentFormat(const ArcsealItem* item, const char* contentKey, ContentFormat* format)
{
    return DiscContentFormat(&viewerDisc, item->itemId, item->itemSize, item->reserved, contentKey,
                             format);
}
