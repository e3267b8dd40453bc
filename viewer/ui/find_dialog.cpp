#include "find_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "context_menus.h"
#include "export.h"
#include "file_list.h"
#include "find_items.h"
#include "item_list.h"
#include "item_records.h"
#include "layout_format.h"
#include "list_records.h"
#include "main_window.h"
#include "resource.h"
#include "viewer_state.h"
#include "window_dpi.h"

namespace {

const int RESULTS_SHOWN_MAX = 1000;  // more rows than anyone reads; the count tells the rest
const int CMD_RESULT_OPEN = 1;
const int CMD_RESULT_OPEN_WITH = 2;
const int CMD_RESULT_SHOW = 3;
const int CMD_RESULT_EXPORT = 4;

struct Filling {
    HWND results;
    int rows;
};

int AddResult(ArcsealItem* item, void* context)
{
    Filling* filling = (Filling*)context;
    if (filling->rows >= RESULTS_SHOWN_MAX)
        return 0;
    char folder[1024];
    FolderPathOf(item, folder, sizeof folder);
    LVITEMA row = {};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = filling->rows;
    row.pszText = item->itemName ? item->itemName : (char*)"";
    row.lParam = (LPARAM)item;
    int index = (int)SendMessageA(filling->results, LVM_INSERTITEMA, 0, (LPARAM)&row);
    if (index < 0)
        return 0;
    row.mask = LVIF_TEXT;
    row.iItem = index;
    row.iSubItem = 1;
    row.pszText = folder;
    SendMessageA(filling->results, LVM_SETITEMA, 0, (LPARAM)&row);
    ++filling->rows;
    return 1;
}

void Search(HWND dialog)
{
    char part[256] = "";
    GetDlgItemTextA(dialog, IDC_FIND_TEXT, part, sizeof part);
    HWND results = GetDlgItem(dialog, IDC_FIND_RESULTS);
    SendMessageA(results, WM_SETREDRAW, FALSE, 0);
    SendMessageA(results, LVM_DELETEALLITEMS, 0, 0);
    Filling filling = {results, 0};
    uint32_t found = FindItems(part, AddResult, &filling);
    SendMessageA(results, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
    SendMessageA(results, WM_SETREDRAW, TRUE, 0);
    char count[128];
    if (found > (uint32_t)filling.rows)
        snprintf(count, sizeof count, "%lu found; the first %d are shown.", (unsigned long)found, filling.rows);
    else
        snprintf(count, sizeof count, "%lu found.", (unsigned long)found);
    SetDlgItemTextA(dialog, IDC_FIND_COUNT, count);
    if (filling.rows > 0) {
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(results, LVM_SETITEMSTATE, 0, (LPARAM)&state);
    }
}

ArcsealItem* SelectedResult(HWND dialog)
{
    HWND results = GetDlgItem(dialog, IDC_FIND_RESULTS);
    int row = (int)SendMessageA(results, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_SELECTED, 0));
    if (row < 0)
        return nullptr;
    LVITEMA data = {};
    data.mask = LVIF_PARAM;
    data.iItem = row;
    SendMessageA(results, LVM_GETITEMA, 0, (LPARAM)&data);
    return (ArcsealItem*)data.lParam;
}

int IsFolder(const ArcsealItem* item)
{
    return !RecordHasDataFields(item->itemType);
}

// The folder in the tree and its files in the list, a file's row selected.
void ShowInFolder(const ArcsealItem* item)
{
    HTREEITEM entry = IsFolder(item) ? item->treeHandle : FindTreeHandle(item->parentId);
    if (!entry)
        return;
    SendMessageA(treeWindow, TVM_ENSUREVISIBLE, 0, (LPARAM)entry);
    SendMessageA(treeWindow, TVM_SELECTITEM, TVGN_CARET, (LPARAM)entry);
    ShowFolderOfEntry(entry);
    if (IsFolder(item))
        return;
    for (LIST_ITEM* record = listHead; record; record = record->Next) {
        if (record->Item != item)
            continue;
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(listWindow, LVM_SETITEMSTATE, (WPARAM)record->Position, (LPARAM)&state);
        SendMessageA(listWindow, LVM_ENSUREVISIBLE, (WPARAM)record->Position, FALSE);
    }
    SetFocus(listWindow);
}

// Enter or a double click: a file opens, a folder is shown (and the window goes).
void OpenResult(HWND dialog, ArcsealItem* item)
{
    if (!item)
        return;
    if (IsFolder(item)) {
        ShowInFolder(item);
        EndDialog(dialog, 1);
        return;
    }
    OpenItemFile(item, nullptr);
}

void ShowResultMenu(HWND dialog)
{
    ArcsealItem* item = SelectedResult(dialog);
    if (!item)
        return;
    HMENU menu = CreatePopupMenu();
    UINT fileOnly = IsFolder(item) ? MF_STRING | MF_GRAYED : MF_STRING;
    AppendMenuA(menu, fileOnly, CMD_RESULT_OPEN, "View/Open");
    AppendMenuA(menu, fileOnly, CMD_RESULT_OPEN_WITH, "View/Open With...");
    AppendMenuA(menu, MF_STRING, CMD_RESULT_SHOW, "Show in folder");
    // Export as from the list and the tree, unless the disc allows none.
    if (!(layoutHeader.flags & FLAG_EXPORT_DISABLED))
        AppendMenuA(menu, MF_STRING, CMD_RESULT_EXPORT, "Export...");
    POINT cursor;
    GetCursorPos(&cursor);
    int chosen = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, cursor.x, cursor.y, 0, dialog, nullptr);
    DestroyMenu(menu);
    if (chosen == CMD_RESULT_OPEN) {
        OpenItemFile(item, nullptr);
    } else if (chosen == CMD_RESULT_OPEN_WITH) {
        const char* program = ChooseProgram();
        if (*program)
            OpenItemFile(item, program);
    } else if (chosen == CMD_RESULT_SHOW) {
        ShowInFolder(item);
        EndDialog(dialog, 1);
    } else if (chosen == CMD_RESULT_EXPORT) {
        ExportChosenItem(item);
    }
}

// The DPI the dialog's columns are sized for.
UINT resultsDpi;

void AddColumns(HWND results)
{
    resultsDpi = WindowDpi(results);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.cx = (int)ScaleForDpi(200, resultsDpi);
    column.pszText = (char*)"Name";
    SendMessageA(results, LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    column.cx = (int)ScaleForDpi(400, resultsDpi);
    column.pszText = (char*)"In folder";
    column.iSubItem = 1;
    SendMessageA(results, LVM_INSERTCOLUMNA, 1, (LPARAM)&column);
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP;
    SendMessageA(results, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

}  // namespace

INT_PTR CALLBACK FindDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        AddColumns(GetDlgItem(dialog, IDC_FIND_RESULTS));
        SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_LIMITTEXT, 254, 0);
        SetFocus(GetDlgItem(dialog, IDC_FIND_TEXT));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:  // Enter: in the results it opens, elsewhere it finds
            if (GetFocus() == GetDlgItem(dialog, IDC_FIND_RESULTS))
                OpenResult(dialog, SelectedResult(dialog));
            else
                Search(dialog);
            return TRUE;
        case IDC_FIND_SHOW:
            if (ArcsealItem* item = SelectedResult(dialog)) {
                ShowInFolder(item);
                EndDialog(dialog, 1);
            }
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        const NMHDR* header = (const NMHDR*)lParam;
        if (header->idFrom != IDC_FIND_RESULTS)
            return FALSE;
        if (header->code == NM_DBLCLK)
            OpenResult(dialog, SelectedResult(dialog));
        else if (header->code == NM_RCLICK)
            ShowResultMenu(dialog);
        return TRUE;
    }
    case WM_DPICHANGED: {
        // The dialog's own controls are laid out again by Windows; the
        // columns, set in pixels here, follow the DPI.
        HWND results = GetDlgItem(dialog, IDC_FIND_RESULTS);
        for (int column = 0; column < 2; ++column) {
            int width = (int)SendMessageA(results, LVM_GETCOLUMNWIDTH, (WPARAM)column, 0);
            width = (int)RescaleForDpi(width, resultsDpi, HIWORD(wParam));
            SendMessageA(results, LVM_SETCOLUMNWIDTH, (WPARAM)column, MAKELPARAM(width, 0));
        }
        resultsDpi = HIWORD(wParam);
        return FALSE;
    }
    }
    return FALSE;
}
