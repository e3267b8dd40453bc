#include "pane_keys.h"

#include "context_menus.h"
#include "file_list.h"
#include "item_list.h"
#include "main_window.h"
#include "resource.h"

int TakePaneSwitchKey(const MSG* message)
{
    if (message->message == WM_KEYDOWN && message->wParam == 'F' && GetKeyState(VK_CONTROL) < 0 &&
        (message->hwnd == mainWindow || message->hwnd == treeWindow || message->hwnd == listWindow)) {
        PostMessageA(mainWindow, WM_COMMAND, CMD_FIND, 0);
        return 1;
    }
    if (message->hwnd != treeWindow && message->hwnd != listWindow)
        return 0;
    const bool shifted = GetKeyState(VK_SHIFT) < 0;
    if ((message->message == WM_KEYDOWN && message->wParam == VK_APPS) ||
        (message->message == WM_SYSKEYDOWN && message->wParam == VK_F10 && shifted)) {
        ShowMenuForKeyboard(message->hwnd);
        return 1;
    }
    if (message->message != WM_KEYDOWN || (message->wParam != VK_TAB && message->wParam != VK_F6))
        return 0;
    SetFocus(message->hwnd == treeWindow ? listWindow : treeWindow);
    return 1;
}

void OnTreeSelectionChanged(const NMTREEVIEWA* change)
{
    if (change->action == TVC_BYKEYBOARD)
        ShowFolderOfEntry(change->itemNew.hItem);
}

// The parent of the listed folder, chosen in the tree and shown in the list.
static void ShowParentFolder()
{
    ArcsealItem* folder = ListedFolder();
    if (!folder || !folder->treeHandle)
        return;
    HTREEITEM parent = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)folder->treeHandle);
    if (!parent)
        return;
    SendMessageA(treeWindow, TVM_SELECTITEM, TVGN_CARET, (LPARAM)parent);
    ShowFolderOfEntry(parent);
}

void OnListKey(const NMLVKEYDOWN* key)
{
    if (key->wVKey == 'A' && GetKeyState(VK_CONTROL) < 0) {
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessageA(listWindow, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&state);
    } else if (key->wVKey == VK_BACK) {
        ShowParentFolder();
    } else if (key->wVKey == VK_RETURN) {
        // Here rather than on NM_RETURN, which the list sends only while a
        // row has the focus rectangle.
        OpenSelectedRows(nullptr);
    }
}
