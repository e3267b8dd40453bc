#include "file_list.h"

#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "item_list.h"
#include "item_records.h"
#include "list_records.h"
#include "main_window.h"
#include "tree_items.h"
#include "viewer_state.h"
#include "win_helpers.h"
#include "window_dpi.h"

// Image-list index of each system icon already added during this fill: entry
// {system index, image-list index}; 9999 marks an empty entry, and entry 3999
// holds the default file icon.
struct IconCacheEntry {
    int systemIndex;
    int imageIndex;
};
static const int ICON_CACHE_SIZE = 4000;
static const int ICON_CACHE_EMPTY = 9999;
static IconCacheEntry IconCache[ICON_CACHE_SIZE];
static int defaultImage;

static const int LIST_COLUMNS = 3;
static const char* const COLUMN_TITLES[LIST_COLUMNS] = {"File Name", "File Size", "Type"};

int SetupFileListColumns()
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = ScalePaneSize(200);
    column.pszText = (char*)COLUMN_TITLES[0];
    column.iSubItem = 0;
    if (SendMessageA(listWindow, LVM_INSERTCOLUMNA, 0, (LPARAM)&column) == -1) {
        ShowError("Error: 34", "Cannot set current directory...");
        return 0;
    }
    column.cx = ScalePaneSize(70);
    column.pszText = (char*)COLUMN_TITLES[1];
    column.iSubItem = 1;
    if (SendMessageA(listWindow, LVM_INSERTCOLUMNA, 1, (LPARAM)&column) == -1) {
        ShowError("Error: 35", "Cannot set current directory...");
        return 0;
    }
    column.cx = ScalePaneSize(120);
    column.pszText = (char*)COLUMN_TITLES[2];
    column.iSubItem = 2;
    SendMessageA(listWindow, LVM_INSERTCOLUMNA, 2, (LPARAM)&column);
    // A name cut short by its column shows whole in a tip under the mouse; a
    // click anywhere in a row takes the row, as in Explorer's details.
    const DWORD extended = LVS_EX_LABELTIP | LVS_EX_INFOTIP | LVS_EX_FULLROWSELECT;
    SendMessageA(listWindow, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    return 1;
}

// The column the reader sorted by (-1: none yet, the design's order) and
// whether the second click reversed it.
static int sortColumn = -1;
static int sortDescending;

static void ShowSortArrow()
{
    HWND header = (HWND)SendMessageA(listWindow, LVM_GETHEADER, 0, 0);
    for (int i = 0; header && i < LIST_COLUMNS; ++i) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, (WPARAM)i, (LPARAM)&item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == sortColumn)
            item.fmt |= sortDescending ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageA(header, HDM_SETITEMA, (WPARAM)i, (LPARAM)&item);
    }
}

static void SortRecords()
{
    if (sortColumn < 0)
        SortFileList();
    else
        SortFileListBy(sortColumn == 1 ? ORDER_SIZE : sortColumn == 2 ? ORDER_TYPE : ORDER_NAME, sortDescending);
}

// Columns as wide as their longest text (or title), as Explorer sizes them.
// The list's own autosizing draws every row of every column to measure it,
// seconds for a folder of 20,000 files; one text per column is measured here.
static void FitColumns()
{
    for (int column = 0; column < LIST_COLUMNS; ++column) {
        char widest[512];
        snprintf(widest, sizeof widest, "%s", COLUMN_TITLES[column]);
        size_t widestLength = strlen(widest);
        char text[512];
        for (LIST_ITEM* record = listHead; record; record = record->Next) {
            ListCellText(record, column, text, sizeof text);
            size_t length = strlen(text);
            if (length > widestLength) {
                widestLength = length;
                memcpy(widest, text, length + 1);
            }
        }
        // The cell's margins, and the icon before a name.
        int width = (int)SendMessageA(listWindow, LVM_GETSTRINGWIDTHA, 0, (LPARAM)widest) + ScalePaneSize(16) +
                    (column == 0 ? ScalePaneSize(20) : 0);
        SendMessageA(listWindow, LVM_SETCOLUMNWIDTH, (WPARAM)column, MAKELPARAM(width, 0));
    }
}

void RescaleFileListColumns(UINT oldDpi, UINT newDpi)
{
    for (int column = 0; column < LIST_COLUMNS; ++column) {
        int width = (int)SendMessageA(listWindow, LVM_GETCOLUMNWIDTH, (WPARAM)column, 0);
        width = (int)RescaleForDpi(width, oldDpi, newDpi);
        SendMessageA(listWindow, LVM_SETCOLUMNWIDTH, (WPARAM)column, MAKELPARAM(width, 0));
    }
}

void OnListColumnClick(const NMLISTVIEW* click)
{
    if (click->iSubItem < 0 || click->iSubItem >= LIST_COLUMNS)
        return;
    sortDescending = click->iSubItem == sortColumn ? !sortDescending : 0;
    sortColumn = click->iSubItem;
    ShowSortArrow();
    if (!listHead)
        return;
    SortRecords();
    // The rows take the records in their new order: texts come through the
    // callback by position, icons and record pointers are set here.
    SendMessageA(listWindow, WM_SETREDRAW, FALSE, 0);
    for (LIST_ITEM* record = listHead; record; record = record->Next) {
        LVITEMA row = {};
        row.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        row.iItem = record->Position;
        row.iImage = record->Image;
        row.lParam = (LPARAM)record;
        row.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(listWindow, LVM_SETITEMA, 0, (LPARAM)&row);
        record->RowIndex = record->Position;
    }
    SendMessageA(listWindow, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listWindow, nullptr, TRUE);
}

// The folder whose files the list shows; null before the first.
static ArcsealItem* listedFolder;

void OnFolderClick()
{
    ArcsealItem* item = nullptr;
    ShowFolderOfEntry(SelectTreeItemUnderCursor(&item));
}

void ShowFolderOfEntry(HTREEITEM entry)
{
    char text[256];
    ArcsealItem* item = nullptr;
    if (!entry || !ReadTreeItem(entry, text, &item))
        return;
    if (item)
        FillFileList(item);
    SendMessageA(treeWindow, TVM_SELECTITEM, TVGN_DROPHILITE, (LPARAM)entry);
}

ArcsealItem* ListedFolder()
{
    return listedFolder;
}

// The image-list index for a file's shell icon, adding each system icon once.
// The shell is asked for the system icon's index first, which is cheap; the
// icon itself only for an index not seen yet in this fill (under Wine making
// an icon costs close to a millisecond, a lookup a twentieth of that).
static int ShellIconFor(HIMAGELIST images, LIST_ITEM* record, int* warned)
{
    const char* fileName = record->FileName;
    SHFILEINFOA info = {};
    // The type's description comes with the icon's index, in the same call.
    if (!SHGetFileInfoA(fileName, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                        SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME))
        return defaultImage;
    snprintf(record->TypeName, sizeof record->TypeName, "%s", info.szTypeName);
    int systemIndex = info.iIcon;
    if (systemIndex < 0 || systemIndex >= ICON_CACHE_SIZE) {
        // Beyond the cache: the default icon, never stored, and one warning
        // per fill rather than a box for every file.
        if (!*warned) {
            *warned = 1;
            ShowError("WARNING (642456L):", "Icon index has been exceeded.");
        }
        return defaultImage;
    }
    IconCacheEntry* entry = &IconCache[systemIndex];
    if (entry->systemIndex == systemIndex)
        return entry->imageIndex;
    if (!SHGetFileInfoA(fileName, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) ||
        !info.hIcon)
        return defaultImage;
    int image = ImageList_AddIcon(images, info.hIcon);
    DestroyIcon(info.hIcon);
    if (image < 0)
        return defaultImage;
    entry->systemIndex = systemIndex;
    entry->imageIndex = image;
    return image;
}

// With SHGFI_USEFILEATTRIBUTES the shell reads no file: its answer depends on
// the name's extension alone, so one question per extension and fill does.
struct TypeCacheEntry {
    char extension[16];
    int image;
    char typeName[80];
};
static TypeCacheEntry typeCache[256];
static int typeCacheCount;

static int IconFor(HIMAGELIST images, LIST_ITEM* record, int* warned)
{
    const char* dot = strrchr(record->FileName, '.');
    const char* extension = dot ? dot : "";
    const int cacheable = strlen(extension) < sizeof typeCache[0].extension;
    for (int i = 0; cacheable && i < typeCacheCount; ++i) {
        if (_stricmp(typeCache[i].extension, extension) == 0) {
            memcpy(record->TypeName, typeCache[i].typeName, sizeof record->TypeName);
            return typeCache[i].image;
        }
    }
    int image = ShellIconFor(images, record, warned);
    if (cacheable && typeCacheCount < (int)(sizeof typeCache / sizeof typeCache[0])) {
        TypeCacheEntry* entry = &typeCache[typeCacheCount++];
        snprintf(entry->extension, sizeof entry->extension, "%s", extension);
        entry->image = image;
        memcpy(entry->typeName, record->TypeName, sizeof entry->typeName);
    }
    return image;
}

void FillFileList(ArcsealItem* folder)
{
    listedFolder = folder;
    HIMAGELIST previous = (HIMAGELIST)SendMessageA(listWindow, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
    if (previous) {
        SendMessageA(listWindow, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
        ImageList_Destroy(previous);
    }
    if (!SendMessageA(listWindow, LVM_DELETEALLITEMS, 0, 0)) {
        ShowError("Error: 63", "Cannot delete all image list items..");
        return;
    }
    FreeFileList();
    for (ArcsealItem* item = itemListHead; item; item = item->next)
        if (item->parentId == folder->itemId && item->itemType != ITEM_FOLDER &&
            item->itemType != ITEM_WHOLE_DISC)
            AddListItem(item, item->itemName, item->itemSize, item->methodFlags);
    if (!listHead)
        return;

    CoInitialize(nullptr);
    for (int i = 0; i < ICON_CACHE_SIZE; ++i)
        IconCache[i].systemIndex = IconCache[i].imageIndex = ICON_CACHE_EMPTY;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));

    // Small icons at the window's DPI: the shell's icons are fitted to them.
    const int iconSize = ScalePaneSize(16);
    HIMAGELIST images = ImageList_Create(iconSize, iconSize, ILC_COLOR, listCount, 4000);
    if (!images) {
        ShowError("Error: 111336", "Cannot create image list ( file list - setup ).");
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return;
    }
    defaultImage = ImageList_AddIcon(images, fileIcon);
    if (defaultImage < 0)
        ShowError("Error: 821a", "Cannot add icon. ");
    IconCache[ICON_CACHE_SIZE - 1].systemIndex = ICON_CACHE_SIZE - 1;
    IconCache[ICON_CACHE_SIZE - 1].imageIndex = defaultImage;
    SendMessageA(listWindow, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)images);

    // Icons and type names first: the type order needs them.
    typeCacheCount = 0;
    int warned = 0;
    for (LIST_ITEM* record = listHead; record; record = record->Next)
        record->Image = IconFor(images, record, &warned);
    SortRecords();

    // The list draws once at the end instead of after every row.
    SendMessageA(listWindow, WM_SETREDRAW, FALSE, 0);
    for (LIST_ITEM* record = listHead; record; record = record->Next) {
        LVITEMA row = {};
        row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        row.iItem = record->Position;
        row.pszText = LPSTR_TEXTCALLBACKA;
        row.iImage = record->Image;
        row.lParam = (LPARAM)record;
        int index = (int)SendMessageA(listWindow, LVM_INSERTITEMA, 0, (LPARAM)&row);
        if (index == -1) {
            ShowError("Error: 76", "Cannot add default icon.");
            break;
        }
        record->RowIndex = index;
    }
    FitColumns();
    SendMessageA(listWindow, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listWindow, nullptr, TRUE);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

void GetFileListText(NMLVDISPINFOA* request)
{
    if (!(request->item.mask & LVIF_TEXT) || request->item.iItem == -1 ||
        !request->item.pszText || request->item.cchTextMax <= 0)
        return;
    const LIST_ITEM* record = FindListItemByPosition(request->item.iItem);
    ListCellText(record, request->item.iSubItem, request->item.pszText,
                 (size_t)request->item.cchTextMax);
}
