// The item list: one ArcsealItem per record of the item table, in table order,
// with the disc totals beside it. No windows.h: the list logic is tested natively.
#pragma once
#include <cstdint>

struct _TREEITEM;  // a tree-view entry (HTREEITEM)

struct ArcsealItem {
    uint32_t itemId;
    uint32_t parentId;
    uint32_t itemType;      // 1 folder, 2 file, 777 whole disc, bit 0x20 disc root
    uint64_t itemSize;      // bytes, for a file
    uint64_t modified;      // Windows file time of the wide records; 0 unknown
    uint32_t reserved;
    uint32_t methodFlags;
    char* itemName;         // owned; null for an empty name
    char* dataFileName;     // owned; null for folders and an empty name
    uint64_t dataOffset;    // in the data file, or in the stream (wide records)
    struct _TREEITEM* treeHandle;  // null for files and when insertion failed
    ArcsealItem* next;
};

extern ArcsealItem* itemListHead;

// Totals of the whole disc, counted while the table is loaded. The byte total
// is 64-bit: a DVD's files add up to more than 4 GiB.
extern uint32_t folderCount;
extern uint32_t fileCount;
extern uint64_t totalBytes;

// Appends a new item (texts copied) to the list; null after "Cannot add
// arcseal item." has been shown.
ArcsealItem* NewItem(uint32_t parentId, uint32_t itemType, uint64_t itemSize, uint32_t reserved,
                     uint32_t methodFlags, const char* name, const char* dataFileName,
                     uint64_t dataOffset);

// Gives an item its id; the first item with an id is the one found by it.
void SetItemId(ArcsealItem* item, uint32_t itemId);

// The first item with that id, or null.
ArcsealItem* FindItem(uint32_t itemId);

// The tree entry of the first item with that id, or null.
struct _TREEITEM* FindTreeHandle(uint32_t itemId);

ArcsealItem* LastItem();

// Slots of the id index looked at so far (insertions and lookups, growth
// included); FreeItems starts the count again. It shows how well the index
// spreads the ids a disc chose.
uint64_t IdIndexProbes();

// Frees every item with its texts, empties the list and clears the totals.
void FreeItems();
