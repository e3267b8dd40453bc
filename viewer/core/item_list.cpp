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

static uint32_t IdSlot(uint32_t itemId, uint32_t capacity)
{
    return (uint32_t)(itemId * 2654435761u) & (capacity - 1);
}

static int PutInIndex(ArcsealItem** table, uint32_t capacity, ArcsealItem* item)
{
    uint32_t slot = IdSlot(item->itemId, capacity);
    while (table[slot]) {
        if (table[slot]->itemId == item->itemId)
            return 0;  // an earlier item has this id; it stays the one found
        slot = (slot + 1) & (capacity - 1);
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

ArcsealItem* NewItem(uint32_t parentId, uint32_t itemType, uint32_t itemSize, uint32_t reserved,
                     uint32_t methodFlags, const char* name, const char* dataFileName,
                     uint32_t dataOffset)
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
        while (idIndex[slot]) {
            if (idIndex[slot]->itemId == itemId)
                return idIndex[slot];
            slot = (slot + 1) & (idIndexCapacity - 1);
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
    folderCount = 0;
    fileCount = 0;
    totalBytes = 0;
}
