#include "item_tree.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "disc_integrity.h"
#include "item_list.h"
#include "item_records.h"
#include "layout_format.h"
#include "key_fields.h"
#include "main_window.h"
#include "process_text.h"
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
    // Small icons at the window's DPI: the list takes each icon's image of that size.
    const int iconSize = ScalePaneSize(16);
    treeImageList = ImageList_Create(iconSize, iconSize, 0, 3, 4000);
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

void RefreshTreeIcons(HWND tree)
{
    HIMAGELIST previous = treeImageList;
    if (!SetUpImageList(tree)) {
        treeImageList = previous;  // the tree keeps the icons it has
        return;
    }
    if (previous)
        ImageList_Destroy(previous);
}

// Reads the whole item table through the opener (a strong disc's opened with
// its key and checked against the layout) into viewerDisc.items; 0 after a
// message that stops the load. A damaged record keeps the items before it,
// after a message that says so.
static int ReadItems()
{
    FILE* viewer = fopen(viewerPath, "rb");
    ByteSource source;
    if (!viewer || !FileSource(viewer, &source)) {
        if (viewer)
            fclose(viewer);
        ShowError("Error: 14301", "Cannot open viewer file to decrypt tree items...");
        return 0;
    }
    // The table lies where the loaded trailer says.
    viewerDisc.trailer = layoutTrailer;
    ComputeLayoutSections(&layoutTrailer, &viewerDisc.sections);
    int reason = DISC_OK;
    int read = ReadDiscItems(&viewerDisc, &source, &reason);
    fclose(viewer);
    if (read)
        return 1;
    switch (reason) {
    case DISC_TABLE_DAMAGED:
    case DISC_TREE_TOO_DEEP:
        ShowError("Error: 14303",
                  "The item table of this disc is damaged at item %lu of %lu (%s). "
                  "Only the items before it are shown.",
                  (unsigned long)viewerDisc.damagedAt + 1, (unsigned long)ItemTableCount(&layoutTrailer),
                  viewerDisc.damage);
        return 1;
    case DISC_NO_MEMORY:
        ShowError("Error: 14302", "Cannot allocate viewer tree items...");
        return 0;
    case DISC_TABLE_ALTERED:
    case DISC_NEEDS_PASSWORD:
        ShowError("Error: 14304", "The disc was altered or damaged: its list of files cannot be read.");
        return 0;
    default:
        ShowError("Error: 14301", "Cannot open viewer file to decrypt tree items...");
        return 0;
    }
}

// Counts the item, makes its ArcsealItem and, for a disc root or folder, its
// tree entry under the parent's entry (or the tree's root when it has none).
static void AddItem(HWND tree, const DiscItem* record, int* firstRoot)
{
    char name[ITEM_WIDE_NAME_MAX + 1];
    StoredNameToProcess(record->name, viewerDisc.wide, name, sizeof name);
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
    item->modified = record->modified;
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
    if (!SetUpImageList(tree) || !ReadItems())
        return 0;

    // The tree draws once at the end instead of after every insertion.
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    int firstRoot = 1;
    // The running totals go to the status bar at most every 100 ms and after
    // the last record: under Wine every status-bar update costs about 2 ms,
    // which alone made a 100,000-item disc take minutes to open.
    DWORD lastShown = GetTickCount();
    for (uint32_t i = 0; i < viewerDisc.itemCount; ++i) {
        AddItem(tree, &viewerDisc.items[i], &firstRoot);
        if (GetTickCount() - lastShown >= 100) {
            ShowTotals();
            lastShown = GetTickCount();
        }
    }
    if (viewerDisc.itemCount > 0)
        ShowTotals();
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
    return 1;
}
