#include "item_list.h"

#include <cstdlib>
#include <cstring>

#include "heap_text.h"
#include "report.h"

ArcsealItem* itemListHead;
uint32_t folderCount;
uint32_t fileCount;
uint64_t totalBytes;

static ArcsealItem* itemListTail;

// Index from item id to the first item with that id: open addressing over a
// power-of-two table kept at most half full, so a load stays linear.
static ArcsealItem** idIndex;
static uint32_t idIndexCapacity;
static uint32_t idIndexCount;
static int idIndexMissesItems;  // set when the index could not grow (out of memory)
static uint64_t idIndexProbes;

// The disc chooses the ids, so the slot depends on every bit of the id: a
// plain multiplication keeps only the low bits, and ids that agree there
// (every id a multiple of 65,536) would all land on one or two slots.
static uint32_t IdSlot(uint32_t itemId, uint32_t capacity)
{
    uint32_t h = itemId;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h & (capacity - 1);
}

static int PutInIndex(ArcsealItem** table, uint32_t capacity, ArcsealItem* item)
{
    uint32_t slot = IdSlot(item->itemId, capacity);
    ++idIndexProbes;
    while (table[slot]) {
        if (table[slot]->itemId == item->itemId)
            return 0;  // an earlier item has this id; it stays the one found
        slot = (slot + 1) & (capacity - 1);
        ++idIndexProbes;
    }
    table[slot] = item;
    return 1;
}

static int GrowIndex()
{
    uint32_t capacity = idIndexCapacity ? idIndexCapacity * 2 : 1024;
    ArcsealItem** table = (ArcsealItem**)calloc(capacity, sizeof *table);
    if (!table)
        return 0;
    for (uint32_t i = 0; i < idIndexCapacity; ++i)
        if (idIndex[i])
            PutInIndex(table, capacity, idIndex[i]);
    free(idIndex);
    idIndex = table;
    idIndexCapacity = capacity;
    return 1;
}

ArcsealItem* NewItem(uint32_t parentId, uint32_t itemType, uint64_t itemSize, uint32_t reserved,
                     uint32_t methodFlags, const char* name, const char* dataFileName,
                     uint64_t dataOffset)
{
    ArcsealItem* item = (ArcsealItem*)calloc(1, sizeof *item);
    if (!item) {
        ShowError("Error: (3423)", "Cannot add arcseal item.");
        return nullptr;
    }
    item->parentId = parentId;
    item->itemType = itemType;
    item->itemSize = itemSize;
    item->reserved = reserved;
    item->methodFlags = methodFlags;
    if (name && *name)
        item->itemName = CopyTextToHeap(name);
    if (dataFileName && *dataFileName) {
        item->dataFileName = CopyTextToHeap(dataFileName);
        item->dataOffset = dataOffset;
    }
    if (itemListTail)
        itemListTail->next = item;
    else
        itemListHead = item;
    itemListTail = item;
    return item;
}

void SetItemId(ArcsealItem* item, uint32_t itemId)
{
    item->itemId = itemId;
    if (idIndexCount + 1 > idIndexCapacity / 2 && !GrowIndex()) {
        idIndexMissesItems = 1;  // FindItem walks the list instead
        return;
    }
    idIndexCount += PutInIndex(idIndex, idIndexCapacity, item);
}

ArcsealItem* FindItem(uint32_t itemId)
{
    if (idIndex && idIndexCount) {
        uint32_t slot = IdSlot(itemId, idIndexCapacity);
        ++idIndexProbes;
        while (idIndex[slot]) {
            if (idIndex[slot]->itemId == itemId)
                return idIndex[slot];
            slot = (slot + 1) & (idIndexCapacity - 1);
            ++idIndexProbes;
        }
    }
    if (!idIndexMissesItems && idIndex)
        return nullptr;
    for (ArcsealItem* item = itemListHead; item; item = item->next)
        if (item->itemId == itemId)
            return item;
    return nullptr;
}

struct _TREEITEM* FindTreeHandle(uint32_t itemId)
{
    ArcsealItem* item = FindItem(itemId);
    return item ? item->treeHandle : nullptr;
}

uint64_t IdIndexProbes()
{
    return idIndexProbes;
}

ArcsealItem* LastItem()
{
    return itemListTail;
}

void FreeItems()
{
    ArcsealItem* item = itemListHead;
    while (item) {
        ArcsealItem* next = item->next;
        free(item->itemName);
        free(item->dataFileName);
        free(item);
        item = next;
    }
    itemListHead = nullptr;
    itemListTail = nullptr;
    free(idIndex);
    idIndex = nullptr;
    idIndexCapacity = 0;
    idIndexCount = 0;
    idIndexMissesItems = 0;
    idIndexProbes = 0;
    folderCount = 0;
    fileCount = 0;
    totalBytes = 0;
}
