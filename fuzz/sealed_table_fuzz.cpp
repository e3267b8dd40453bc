// Gets past the tag of a strong disc's item table: the input's records are
// sealed with a fixed key, as mkdisc seals them, and then the values an
// attacker can reach without the key are damaged as the input says (the
// record's count and table size, the stored length, one stored byte). The
// opener must refuse every damage the tag or the exact use of the table
// catches, and read what it lets through without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "disc_items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8 || size > (1u << 20))
        return 0;
    // Eight control bytes: the claimed count (16 bits), how the count and
    // the sizes are damaged, which byte is flipped; then the plain records.
    uint32_t count = (uint32_t)data[0] | (uint32_t)data[1] << 8;
    int countDamage = (int8_t)data[2];
    int sizeDamage = (int8_t)data[3];
    int storedDamage = (int8_t)data[4];
    uint32_t flipAt = (uint32_t)data[5] | (uint32_t)data[6] << 8;
    bool flip = data[7] & 1;
    const unsigned char* plain = data + 8;
    uint32_t plainSize = (uint32_t)(size - 8);

    OpenedDisc disc;
    InitOpenedDisc(&disc);
    disc.strong = disc.unlocked = 1;
    memset(disc.keys.tableKey, 0x5A, DISC_KEY_SIZE);
    memset(disc.layoutDigest, 0xA5, SHA256_SIZE);
    std::vector<unsigned char> table(plain, plain + plainSize);
    table.resize(plainSize + CHUNK_TAG_SIZE);
    if (!SealItemTable(disc.keys.tableKey, table.data(), plainSize, disc.layoutDigest))
        __builtin_trap();

    disc.record.itemCount = count + (uint32_t)countDamage;
    disc.record.plainTableSize = plainSize + (uint32_t)sizeDamage;
    size_t storedSize = table.size();
    if (storedDamage < 0 && (size_t)-storedDamage <= table.size())
        table.resize(table.size() + storedDamage);
    else if (storedDamage > 0)
        table.resize(table.size() + (size_t)storedDamage, 0);
    flip = flip && !table.empty();
    if (flip)
        table[flipAt % table.size()] ^= 0x01;
    bool intact = sizeDamage == 0 && table.size() == storedSize && !flip;

    uint32_t opened = 0;
    int reason = DISC_OK;
    if (!OpenStoredItemTable(&disc, table.data(), (uint32_t)table.size(), &opened, &reason)) {
        if (intact || reason != DISC_TABLE_ALTERED)
            __builtin_trap();  // a sound table always opens; a failure is always "altered"
    } else {
        if (!intact)
            __builtin_trap();  // the tag covers every damage above
        ParseDiscItems(&disc, table.data(), opened, disc.record.itemCount, &reason);
        for (uint32_t i = 0; i < disc.itemCount; ++i) {
            if (disc.items[i].parent != DISC_NO_PARENT && disc.items[i].parent >= i)
                __builtin_trap();
        }
    }
    CloseOpenedDisc(&disc);
    return 0;
}
