#include "tree_items.h"

#include "list_records.h"
#include "main_window.h"

HTREEITEM TreeItemUnderCursor()
{
    TVHITTESTINFO hit = {};
    GetCursorPos(&hit.pt);
    ScreenToClient(treeWindow, &hit.pt);
    return (HTREEITEM)SendMessageA(treeWindow, TVM_HITTEST, 0, (LPARAM)&hit);
}

int ReadTreeItem(HTREEITEM entry, char* text, ArcsealItem** item)
{
    TVITEMA data = {};
    data.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM;
    data.hItem = entry;
    data.pszText = text;
    data.cchTextMax = 255;
    if (!SendMessageA(treeWindow, TVM_GETITEMA, 0, (LPARAM)&data))
        return 0;
    *item = (ArcsealItem*)data.lParam;
    return 1;
}

HTREEITEM SelectTreeItemUnderCursor(ArcsealItem** item)
{
    HTREEITEM entry = TreeItemUnderCursor();
    char text[256];
    if (!entry || !ReadTreeItem(entry, text, item))
        return nullptr;
    SendMessageA(treeWindow, TVM_SELECTITEM, TVGN_CARET, (LPARAM)entry);
    return entry;
}

int ListRowUnderCursor()
{
    LVHITTESTINFO hit = {};
    GetCursorPos(&hit.pt);
    ScreenToClient(listWindow, &hit.pt);
    int row = (int)SendMessageA(listWindow, LVM_HITTEST, 0, (LPARAM)&hit);
    return (hit.flags & LVHT_ONITEM) ? row : -1;
}

int NextSelectedRow(int after)
{
    return (int)SendMessageA(listWindow, LVM_GETNEXTITEM, (WPARAM)after, MAKELPARAM(LVNI_SELECTED, 0));
}

LIST_ITEM* MarkListRowUnderCursor()
{
    int row = ListRowUnderCursor();
    LIST_ITEM* record = row >= 0 ? FindListItemByPosition(row) : nullptr;
    if (record)
        SendMessageA(listWindow, LVM_SETSELECTIONMARK, 0, row);
    return record;
}
