#include "find_items.h"

#include <cstring>

#include "item_list.h"
#include "item_records.h"

namespace {

const int FOLDER_DEPTH_MAX = 2048;  // a chain of parents longer than any disc holds is a loop

// CP1252 case folding: A-Z, and the accented capitals 0xC0-0xDE but for the
// multiplication sign 0xD7; Š, Œ, Ž and Ÿ have their small letters elsewhere.
unsigned char Folded(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return (unsigned char)(c + 32);
    switch (c) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    }
    return c;
}

int IsTopItem(const ArcsealItem* item)
{
    return item->itemType == ITEM_WHOLE_DISC || (item->itemType & ITEM_DISC_ROOT_BIT);
}

}  // namespace

int NameContains(const char* name, const char* part)
{
    if (!part || !*part)
        return 1;
    if (!name)
        return 0;
    for (; *name; ++name) {
        size_t i = 0;
        while (part[i] && name[i] && Folded((unsigned char)name[i]) == Folded((unsigned char)part[i]))
            ++i;
        if (!part[i])
            return 1;
    }
    return 0;
}

uint32_t FindItems(const char* part, int (*found)(ArcsealItem* item, void* context), void* context)
{
    uint32_t matches = 0;
    int going = 1;
    for (ArcsealItem* item = itemListHead; item; item = item->next) {
        if (IsTopItem(item) || !NameContains(item->itemName, part))
            continue;
        ++matches;
        if (going)
            going = found(item, context);
    }
    return matches;
}

void FolderPathOf(const ArcsealItem* item, char* text, size_t size)
{
    if (size == 0)
        return;
    text[0] = 0;
    // The names from the item up, then written out from the top down.
    const ArcsealItem* chain[FOLDER_DEPTH_MAX];
    int depth = 0;
    for (const ArcsealItem* folder = FindItem(item->parentId); folder && !IsTopItem(folder) && depth < FOLDER_DEPTH_MAX;
         folder = FindItem(folder->parentId)) {
        chain[depth++] = folder;
        if (folder->parentId == folder->itemId)
            break;
    }
    size_t used = 0;
    for (int i = depth - 1; i >= 0; --i) {
        const char* name = chain[i]->itemName ? chain[i]->itemName : "";
        size_t length = strlen(name) + (used ? 1 : 0);
        if (used + length + 1 > size) {
            if (size >= 4) {
                size_t at = used + 3 < size ? used : size - 4;
                memcpy(text + at, "...", 4);
            }
            return;
        }
        if (used)
            text[used++] = '\\';
        memcpy(text + used, name, strlen(name) + 1);
        used += strlen(name);
    }
}
