// Feeds arbitrary bytes to the item-table reader as a descrambled table: every
// record, each item's parent and depth.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "disc_items.h"
#include "item_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4 || size > 0xFFFFFFFFu)
        return 0;
    // The first four bytes are the count the disc claims.
    uint32_t count = (uint32_t)data[0] | (uint32_t)data[1] << 8 | (uint32_t)data[2] << 16 |
                     (uint32_t)data[3] << 24;
    OpenedDisc disc;
    InitOpenedDisc(&disc);
    int reason = DISC_OK;
    int parsed = ParseDiscItems(&disc, data + 4, (uint32_t)(size - 4), count, &reason);
    // A refusal says why and where; what is kept is what came before it.
    if (!parsed && (reason == DISC_OK || !disc.damage || disc.damagedAt != disc.itemCount))
        __builtin_trap();
    if (parsed && disc.itemCount != count)
        __builtin_trap();
    for (uint32_t i = 0; i < disc.itemCount; ++i) {
        const DiscItem& item = disc.items[i];
        if ((item.parent != DISC_NO_PARENT && item.parent >= i) || strlen(item.name) > ITEM_NAME_MAX ||
            strlen(item.dataFileName) > ITEM_NAME_MAX)
            __builtin_trap();
    }
    CloseOpenedDisc(&disc);
    return 0;
}
