#include "folder_totals.h"

#include "item_list.h"
#include "item_records.h"

uint64_t SumFolderFileSizes(const ArcsealItem* folder)
{
    uint64_t bytes = 0;
    for (const ArcsealItem* item = itemListHead; item; item = item->next)
        if (item->parentId == folder->itemId && item->itemType != ITEM_FOLDER)
            bytes += item->itemSize;
    return bytes;
}

uint32_t CountFolderFiles(const ArcsealItem* folder)
{
    uint32_t files = 0;
    for (const ArcsealItem* item = itemListHead; item; item = item->next)
        if (item->parentId == folder->itemId && item->itemType == ITEM_FILE)
            ++files;
    return files;
}
