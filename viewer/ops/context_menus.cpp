#include "context_menus.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "extraction.h"
#include "item_list.h"
#include "item_records.h"
#include "layout_format.h"
#include "list_records.h"
#include "main_window.h"
#include "path_text.h"
#include "temp_copies.h"
#include "tree_items.h"
#include "viewer_state.h"
#include "win_helpers.h"

int menuSource;

// Only an item with contents of its own can be opened: a file. Folders, the
// whole disc, the disc root and the other folder-like kinds have none.
static int IsOpenable(const ArcsealItem* item)
{
    return RecordHasDataFields(item->itemType);
}

static void TrackMenuAt(HMENU menu, POINT at)
{
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, mainWindow, nullptr);
    DestroyMenu(menu);
}

static void TrackMenu(HMENU menu)
{
    POINT cursor;
    GetCursorPos(&cursor);
    TrackMenuAt(menu, cursor);
}

static UINT ExportMenuFlags()
{
    return (layoutHeader.flags & FLAG_EXPORT_DISABLED) ? MF_STRING | MF_GRAYED | MF_DISABLED : MF_STRING;
}

static HMENU FolderMenu()
{
    menuSource = FOLDER_TREE_ID;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, ExportMenuFlags(), CMD_EXPORT, "Export");
    AppendMenuA(menu, MF_STRING, CMD_PROPERTIES, "Properties");
    return menu;
}

static HMENU FileMenu()
{
    menuSource = FILE_LIST_ID;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, CMD_VIEW_OPEN, "View/Open");
    AppendMenuA(menu, MF_STRING, CMD_OPEN_WITH, "View/Open With...");
    AppendMenuA(menu, ExportMenuFlags(), CMD_EXPORT, "Export");
    AppendMenuA(menu, MF_STRING, CMD_PROPERTIES, "Properties");
    return menu;
}

void ShowFolderMenu()
{
    ArcsealItem* item = nullptr;
    if (!SelectTreeItemUnderCursor(&item) || !item)
        return;
    TrackMenu(FolderMenu());
}

void ShowFileMenu()
{
    LIST_ITEM* record = MarkListRowUnderCursor();
    if (!record || !record->Item)
        return;
    TrackMenu(FileMenu());
}

// The context-menu key and Shift+F10: the menu of the item the keyboard is
// on, opened beside that item rather than at the mouse.
void ShowMenuForKeyboard(HWND pane)
{
    RECT place = {};
    if (pane == treeWindow) {
        HTREEITEM entry = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0);
        char text[256];
        ArcsealItem* item = nullptr;
        if (!entry || !ReadTreeItem(entry, text, &item) || !item)
            return;
        // TVM_GETITEMRECT takes the item in the rectangle it fills.
        memcpy(&place, &entry, sizeof entry);
        SendMessageA(treeWindow, TVM_GETITEMRECT, TRUE, (LPARAM)&place);
    } else {
        int row = (int)SendMessageA(listWindow, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_FOCUSED | LVNI_SELECTED, 0));
        if (row < 0)
            row = NextSelectedRow(-1);
        LIST_ITEM* record = row >= 0 ? FindListItemByPosition(row) : nullptr;
        if (!record || !record->Item)
            return;
        SendMessageA(listWindow, LVM_SETSELECTIONMARK, 0, row);
        place.left = LVIR_LABEL;
        SendMessageA(listWindow, LVM_GETITEMRECT, (WPARAM)row, (LPARAM)&place);
    }
    POINT at = {place.left, place.bottom};
    ClientToScreen(pane, &at);
    TrackMenuAt(pane == treeWindow ? FolderMenu() : FileMenu(), at);
}

void OnListDoubleClick()
{
    LIST_ITEM* record = MarkListRowUnderCursor();
    if (record && record->Item && IsOpenable(record->Item))
        OpenItemFile(record->Item, nullptr);
}

void OnTreeDoubleClick()
{
    ArcsealItem* item = nullptr;
    HTREEITEM entry = SelectTreeItemUnderCursor(&item);
    if (!entry)
        return;
    if (item && IsOpenable(item))
        OpenItemFile(item, nullptr);
    SendMessageA(treeWindow, TVM_SELECTITEM, TVGN_DROPHILITE, (LPARAM)entry);
}

void OpenSelectedRows(const char* program)
{
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row))
        OpenListRow(row, program);
}

void OnViewOpen()
{
    if (menuSource == FILE_LIST_ID)
        OpenSelectedRows(nullptr);
}

void OnOpenWith()
{
    const char* program = ChooseProgram();
    if (*program && menuSource == FILE_LIST_ID)
        OpenSelectedRows(program);
}

void OpenListRow(int row, const char* program)
{
    LIST_ITEM* record = FindListItemByPosition(row);
    if (!record)
        return;
    SendMessageA(listWindow, LVM_SETSELECTIONMARK, 0, row);
    if (record->Item && IsOpenable(record->Item))
        OpenItemFile(record->Item, program);
}

void OpenItemFile(ArcsealItem* item, const char* program)
{
    if (!item)
        return;
    // A stored name is joined to a folder only when it is one plain file name.
    if (!IsPlainFileName(item->itemName)) {
        ShowError("Error:(34568)",
                  "The name \"%s\" cannot be used as a file name on this computer, "
                  "so this file cannot be opened.",
                  item->itemName ? item->itemName : "");
        return;
    }
    char windowsFolder[255];
    UINT length = GetWindowsDirectoryA(windowsFolder, sizeof windowsFolder);
    if (length == 0 || length >= sizeof windowsFolder)
        return;
    char tempFolder[MAX_PATH];
    snprintf(tempFolder, sizeof tempFolder, "%s\\Temp", windowsFolder);
    if (!PathExists(tempFolder) && !MakeDirectoryPath(tempFolder))
        return;
    char destination[MAX_PATH];
    int written = snprintf(destination, sizeof destination, "%s\\%s", tempFolder, item->itemName);
    if (written < 0 || (size_t)written >= sizeof destination) {
        ShowError("Error:(34570)", "The path for a copy of \"%s\" is too long to open it.", item->itemName);
        return;
    }
    switch (ExtractItemFile(item, destination)) {
    case EXTRACT_DONE:
        // Deleted at exit only now that the viewer wrote it: a file of that
        // name it did not write stays.
        RememberTempCopy(destination);
        break;
    case EXTRACT_NO_DATA_FILE:
        ShowError("Error:(345634)", "Cannot open .dat file.");
        return;
    case EXTRACT_NO_DESTINATION:
        // An earlier copy of the same name may still be open in the program
        // showing it: opening that one instead would show the wrong contents.
        ShowError("Error:(34569)",
                  "Cannot write the copy %s: a file of that name is still open in another "
                  "program. Close it and try again.",
                  destination);
        return;
    default:
        return;  // reported, and the incomplete copy is gone
    }
    // Quoted, so that a path with blanks reaches the program as one argument.
    char quoted[MAX_PATH + 2];
    snprintf(quoted, sizeof quoted, "\"%s\"", destination);
    INT_PTR started = program ? (INT_PTR)ShellExecuteA(nullptr, "open", program, quoted, nullptr, SW_SHOWNORMAL)
                              : (INT_PTR)ShellExecuteA(nullptr, "open", destination, nullptr, nullptr, SW_SHOWNORMAL);
    if (started > 32)
        return;
    // Nothing happening at all would leave the reader guessing.
    if (!program && (started == SE_ERR_NOASSOC || started == SE_ERR_ASSOCINCOMPLETE)) {
        if (AskYesNo("Open With", "No program on this computer is set to open \"%s\". Choose a program to open it with?",
                     item->itemName) != IDYES)
            return;
        const char* chosen = ChooseProgram();
        if (*chosen && (INT_PTR)ShellExecuteA(nullptr, "open", chosen, quoted, nullptr, SW_SHOWNORMAL) > 32)
            return;
        if (!*chosen)
            return;
        program = chosen;
    }
    ShowError("Error:(34571)", "\"%s\" could not be opened with %s.", item->itemName,
              program ? program : "the program set for it");
}

const char* ChooseProgram()
{
    static char chosen[1024];
    memset(chosen, 0, sizeof chosen);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = MessageOwner();
    dialog.lpstrFilter = "Program Files (*.exe)\0*.exe\0";
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = 260;
    dialog.Flags = OFN_HIDEREADONLY | OFN_NODEREFERENCELINKS;
    dialog.lpstrDefExt = "*";
    if (!GetOpenFileNameA(&dialog))
        chosen[0] = 0;
    return chosen;
}
