#include "item_tree.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "block_size.h"
#include "disc_integrity.h"
#include "item_list.h"
#include "item_records.h"
#include "key_fields.h"
#include "main_window.h"
#include "scramble.h"
#include "totals_text.h"
#include "viewer_state.h"
#include "win_helpers.h"

HIMAGELIST treeImageList;

static int rootImage;
static int closedFolderImage;
static int openFolderImage;

void ShowTotals()
{
    char text[1024];
    FormatTotalsText(text, sizeof text, totalBytes, folderCount, fileCount);
    SendMessageA(statusWindow, SB_SETTEXTA, 0, (LPARAM)text);
}

static int SetUpImageList(HWND tree)
{
    treeImageList = ImageList_Create(16, 16, 0, 3, 4000);
    if (!treeImageList) {
        ShowError("Error: 101", "Cannot create image list...");
        return 0;
    }
    ImageList_SetBkColor(treeImageList, 0xFFFFFF);
    rootImage = ImageList_ReplaceIcon(treeImageList, -1, rootIcon);
    closedFolderImage = ImageList_ReplaceIcon(treeImageList, -1, closedFolderIcon);
    openFolderImage = ImageList_ReplaceIcon(treeImageList, -1, openFolderIcon);
    int fileImage = ImageList_ReplaceIcon(treeImageList, -1, fileIcon);
    if (rootImage < 0 || closedFolderImage < 0 || openFolderImage < 0 || fileImage < 0) {
        ShowError("Error: 36", "Cannot add icon...");
        return 0;
    }
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)treeImageList);
    return 1;
}

// Reads the whole item table and descrambles it (a strong disc's: opens it
// with the table key); null after a failure message.
static unsigned char* ReadItemTable()
{
    FILE* viewer = fopen(viewerPath, "rb");
    if (!viewer) {
        ShowError("Error: 14301", "Cannot open viewer file to decrypt tree items...");
        return nullptr;
    }
    uint32_t size = layoutTrailer.itemTableSize;
    size_t blockSize;
    unsigned char* table =
        SectionBlockSize(size, 100, &blockSize) ? (unsigned char*)malloc(blockSize) : nullptr;
    if (!table) {
        fclose(viewer);
        ShowError("Error: 14302", "Cannot allocate viewer tree items...");
        return nullptr;
    }
    int complete = _fseeki64(viewer, layoutTrailer.layoutStart, SEEK_SET) == 0 &&
                   fread(table, 1, size, viewer) == size;
    fclose(viewer);
    if (!complete) {
        free(table);
        ShowError("Error: 14301", "Cannot open viewer file to decrypt tree items...");
        return nullptr;
    }
    if (!IsStrongDisc()) {
        XorWithValue(table, size, CombinedKeyValue(layoutKey));
        return table;
    }
    if (!OpenStrongItemTable(table, size)) {
        free(table);
        ShowError("Error: 14304", "The disc's list of files is damaged and cannot be read.");
        return nullptr;
    }
    return table;
}

// Counts the record, makes its item and, for a disc root or folder, its tree
// entry under the parent's entry (or the tree's root when the parent has none).
static void AddRecord(HWND tree, const ItemRecord* record, int* firstRoot)
{
    char name[ITEM_NAME_MAX + 1];
    memcpy(name, record->itemName, sizeof name);
    TVINSERTSTRUCTA insert = {};
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_STATE | TVIF_SELECTEDIMAGE;
    int inTree = 1;
    if (record->itemType & ITEM_DISC_ROOT_BIT) {
        strcpy(name, "Arcseal");
        insert.item.iImage = insert.item.iSelectedImage = rootImage;
        if (*firstRoot) {
            *firstRoot = 0;
            insert.item.state = insert.item.stateMask = TVIS_EXPANDED;
        }
    } else if (record->itemType & ITEM_FOLDER_BITS) {
        insert.item.iImage = closedFolderImage;
        insert.item.iSelectedImage = openFolderImage;
        ++folderCount;
    } else {
        inTree = 0;
        ++fileCount;
        totalBytes += record->itemSize;
    }

    ArcsealItem* item = NewItem(record->parentId, record->itemType, record->itemSize,
                                record->reserved, record->methodFlags, name,
                                inTree ? nullptr : record->dataFileName, record->dataOffset);
    if (!item) {
        ShowError("Error: 100", "cannot get ptr to ArcsealItem.");
        return;
    }
    SetItemId(item, record->itemId);

    // Every item stays on the item list in table order; an item whose parent
    // has no tree entry only goes to the tree's root.
    HTREEITEM parent = FindTreeHandle(record->parentId);
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    if (inTree) {
        insert.item.pszText = name;
        insert.item.cchTextMax = (int)strlen(name) + 1;
        insert.item.lParam = (LPARAM)item;
        HTREEITEM handle = (HTREEITEM)SendMessageA(tree, TVM_INSERTITEMA, 0, (LPARAM)&insert);
        if (handle)
            item->treeHandle = handle;
        else
            ShowError("Error: 100", "cannot add item...( load layout )");
    }
}

int LoadItemTree(HWND tree)
{
    if (!SetUpImageList(tree))
        return 0;
    unsigned char* table = ReadItemTable();
    if (!table)
        return 0;

    // The tree draws once at the end instead of after every insertion.
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    int firstRoot = 1;
    uint32_t position = 0;
    // The running totals go to the status bar at most every 100 ms and after
    // the last record: under Wine every status-bar update costs about 2 ms,
    // which alone made a 100,000-item disc take minutes to open.
    DWORD lastShown = GetTickCount();
    uint32_t i = 0;
    const uint32_t count = ItemTableCount(&layoutTrailer);
    const uint32_t tableSize = ItemTablePlainSize(&layoutTrailer);
    for (; i < count; ++i) {
        ItemRecord record;
        const char* failure = "";
        if (!ReadItemRecord(table, tableSize, &position, &record, &failure)) {
            ShowError("Error: 14303",
                      "The item table of this disc is damaged at item %lu of %lu (%s). "
                      "Only the items before it are shown.",
                      (unsigned long)i + 1, (unsigned long)count, failure);
            break;
        }
        AddRecord(tree, &record, &firstRoot);
        if (GetTickCount() - lastShown >= 100) {
            ShowTotals();
            lastShown = GetTickCount();
        }
    }
    if (i > 0)
        ShowTotals();
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
    free(table);
    return 1;
}
