#include "properties.h"

#include <cstring>

#include "context_menus.h"
#include "disc_integrity.h"
#include "folder_totals.h"
#include "item_list.h"
#include "item_records.h"
#include "list_records.h"
#include "main_window.h"
#include "properties_text.h"
#include "resource.h"
#include "tree_items.h"

FolderTotalsRecord FolderTotals;

void ComputeFolderTotals(HTREEITEM entry)
{
    FolderTotals = {};
    char text[256];
    ArcsealItem* item = nullptr;
    if (!ReadTreeItem(entry, text, &item) || !item)
        return;
    if (item->itemType == ITEM_WHOLE_DISC) {
        FolderTotals.Folders = folderCount;
        FolderTotals.Files = fileCount;
        FolderTotals.Bytes = totalBytes;
        return;
    }
    FolderTotals.Bytes += SumFolderFileSizes(item);
    FolderTotals.Files += CountFolderFiles(item);
    for (HTREEITEM child = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)entry);
         child; child = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)child)) {
        ArcsealItem* childItem = nullptr;
        if (!ReadTreeItem(child, text, &childItem))
            break;
        ++FolderTotals.Folders;
        if (childItem) {
            FolderTotals.Bytes += SumFolderFileSizes(childItem);
            FolderTotals.Files += CountFolderFiles(childItem);
        }
    }
}

// The item the dialog describes, with its type and size texts; null when
// there is none (the template texts stay).
static ArcsealItem* DescribedItem(char* type, char* sizeText, size_t size)
{
    if (menuSource == FOLDER_TREE_ID) {
        HTREEITEM selected = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0);
        char text[256];
        ArcsealItem* item = nullptr;
        if (!selected || !ReadTreeItem(selected, text, &item) || !item)
            return nullptr;
        ComputeFolderTotals(selected);
        strcpy(type, item->itemType == ITEM_WHOLE_DISC ? "Whole CD" : "Folder");
        FormatFolderSizeText(sizeText, size, FolderTotals.Bytes, FolderTotals.Files, FolderTotals.Folders);
        return item;
    }
    if (menuSource == FILE_LIST_ID) {
        int row = (int)SendMessageA(listWindow, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_SELECTED, 0));
        LIST_ITEM* record = row >= 0 ? FindListItemByPosition(row) : nullptr;
        if (!record || !record->Item)
            return nullptr;
        strcpy(type, "File");
        FormatFileSizeText(sizeText, size, record->Item->itemSize);
        return record->Item;
    }
    return nullptr;
}

INT_PTR CALLBACK PropertiesDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        char type[32];
        char sizeText[256];
        ArcsealItem* item = DescribedItem(type, sizeText, sizeof sizeText);
        if (!item)
            return FALSE;
        SetDlgItemTextA(dialog, IDC_PROP_TYPE, type);
        SetDlgItemTextA(dialog, IDC_PROP_SIZE, sizeText);
        char scrambling[128];
        FormatScramblingText(scrambling, sizeof scrambling, item->methodFlags, IsStrongDisc());
        SetDlgItemTextA(dialog, IDC_PROP_SCRAMBLING, scrambling);
        const char* name = item->itemName ? item->itemName : "";
        SetDlgItemTextA(dialog, IDC_PROP_NAME, item->itemType == ITEM_WHOLE_DISC ? "Whole CD" : name);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
