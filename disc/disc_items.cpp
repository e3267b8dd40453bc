// The item table's records into DiscItems, each with its parent and depth, in
// time and memory linear in the table: every item's parent is found once
// through an index of ids, and a path is its parent's path and one name.
#include <cstdlib>
#include <cstring>

#include "data_stream.h"
#include "disc_items.h"
#include "item_records.h"

namespace {

// First index of each id seen so far: open addressing over a power-of-two
// table, ids spread by murmur3's finaliser (a disc chooses its ids freely).
struct IdIndex {
    uint32_t* slots;  // item index + 1; 0 is empty
    uint32_t mask;
};

uint32_t Spread(uint32_t id)
{
    id ^= id >> 16;
    id *= 0x85ebca6bu;
    id ^= id >> 13;
    id *= 0xc2b2ae35u;
    id ^= id >> 16;
    return id;
}

int StartIndex(IdIndex* index, uint32_t capacity)
{
    uint32_t size = 16;
    while (size < capacity * 2u && size < 0x80000000u)
        size <<= 1;
    index->slots = (uint32_t*)calloc(size, sizeof(uint32_t));
    index->mask = size - 1;
    return index->slots != nullptr;
}

// The slot of id: where it is, or the empty one where it would go.
uint32_t* FindSlot(const IdIndex* index, const DiscItem* items, uint32_t id)
{
    for (uint32_t at = Spread(id) & index->mask;; at = (at + 1) & index->mask) {
        uint32_t* slot = &index->slots[at];
        if (*slot == 0 || items[*slot - 1].itemId == id)
            return slot;
    }
}

int Fail(int* reason, int why)
{
    *reason = why;
    return 0;
}

char* CopyText(char** next, const char* text)
{
    size_t length = strlen(text);
    char* copy = *next;
    memcpy(copy, text, length + 1);
    *next += length + 1;
    return copy;
}

}  // namespace

int ParseDiscItems(OpenedDisc* disc, const unsigned char* table, uint32_t size, uint32_t count,
                   int* reason)
{
    free(disc->items);
    free(disc->texts);
    disc->items = nullptr;
    disc->texts = nullptr;
    disc->itemCount = 0;
    // Every record takes ITEM_FIXED_SIZE bytes at least: a count beyond what
    // the table can hold is not taken as a reason to allocate.
    uint32_t most = size / (disc->wide ? ITEM_WIDE_FIXED_SIZE : ITEM_FIXED_SIZE);
    uint32_t capacity = count < most ? count : most;
    disc->items = (DiscItem*)malloc(((size_t)capacity + 1) * sizeof(DiscItem));
    // Names and data file names are NUL-ended copies of bytes of the table;
    // in the wide form the data file names are made from the stream offsets.
    size_t perItem = disc->wide ? DATA_FILE_NAME_SIZE + 1 : 2;
    disc->texts = (char*)malloc((size_t)size + perItem * (size_t)capacity + 1);
    IdIndex index = {nullptr, 0};
    if (!disc->items || !disc->texts || !StartIndex(&index, capacity + 1))
        return free(index.slots), Fail(reason, DISC_NO_MEMORY);

    char* nextText = disc->texts;
    uint32_t position = 0;
    int result = 1;
    ItemRecord record;
    for (uint32_t i = 0; i < count; ++i) {
        const char* failure = "";
        if (i == capacity)
            failure = "the record runs past the end of the item table";
        if (i == capacity || !ReadItemRecord(table, size, &position, &record, &failure, disc->wide)) {
            disc->damage = failure;
            result = Fail(reason, DISC_TABLE_DAMAGED);
            break;
        }
        DiscItem* item = &disc->items[i];
        item->itemId = record.itemId;
        item->parentId = record.parentId;
        item->itemType = record.itemType;
        item->itemSize = record.itemSize;
        item->reserved = record.reserved;
        item->methodFlags = record.methodFlags;
        item->modified = record.modified;
        item->name = CopyText(&nextText, record.itemName);
        if (disc->wide && IsFileItem(record.itemType)) {
            uint64_t inFile;
            DataFilePlace(record.dataOffset, disc->dataFileLimit, record.dataFileName, &inFile);
        }
        item->dataFileName = CopyText(&nextText, record.dataFileName);
        item->dataOffset = record.dataOffset;
        // Only an earlier folder can be a parent: the tree shows an item
        // under its parent only then, and so no chain of parents can loop.
        uint32_t* parentSlot = FindSlot(&index, disc->items, record.parentId);
        uint32_t parent = *parentSlot ? *parentSlot - 1 : DISC_NO_PARENT;
        if (parent != DISC_NO_PARENT && !IsFolderItem(disc->items[parent].itemType))
            parent = DISC_NO_PARENT;
        item->parent = parent;
        item->depth = parent == DISC_NO_PARENT ? 0 : disc->items[parent].depth + 1;
        if (item->depth > DISC_MAX_DEPTH) {
            disc->damage = "its folders nest too deep";
            result = Fail(reason, DISC_TREE_TOO_DEEP);
            break;
        }
        uint32_t* ownSlot = FindSlot(&index, disc->items, record.itemId);
        if (*ownSlot == 0)
            *ownSlot = i + 1;  // the first item of an id is the one found by it
        disc->itemCount = i + 1;
    }
    // A strong disc's table is exactly its records: bytes left over mean
    // that the count was changed (the tag covers the bytes, not their use).
    if (result && disc->strong && position != size) {
        disc->damage = "the records do not fill the table";
        result = Fail(reason, DISC_TABLE_DAMAGED);
    }
    if (!result)
        disc->damagedAt = disc->itemCount;
    memset(&record, 0, sizeof record);
    free(index.slots);
    return result;
}
