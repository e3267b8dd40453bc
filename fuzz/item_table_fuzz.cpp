// Feeds arbitrary bytes to the item-table reader as a descrambled table.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "item_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    uint32_t position = 0;
    for (;;) {
        ItemRecord record;
        const char* failure = nullptr;
        uint32_t before = position;
        if (!ReadItemRecord(data, (uint32_t)size, &position, &record, &failure)) {
            if (!failure || position != before)
                __builtin_trap();  // a refusal must say why and not move on
            break;
        }
        if (position <= before || position > size || strlen(record.itemName) > ITEM_NAME_MAX ||
            strlen(record.dataFileName) > ITEM_NAME_MAX)
            __builtin_trap();
    }
    return 0;
}
