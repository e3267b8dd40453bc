// The keyboard in the two panes, as readers know it from Explorer: Tab and F6
// move between tree and list, the context-menu key and Shift+F10 open the
// item's menu, a folder chosen in the tree with the arrow keys
// shows its files, and in the list Enter opens, Ctrl+A selects every file and
// Backspace goes up to the parent folder.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Tab and F6 on either pane, the context-menu key and Shift+F10, and Ctrl+F
// (Find): 1 when the message was taken (not to be dispatched).
int TakePaneSwitchKey(const MSG* message);

// The tree's selection moved: a move by the keyboard shows the folder's files
// (a click shows them through the click).
void OnTreeSelectionChanged(const NMTREEVIEWA* change);

// A key in the list (LVN_KEYDOWN); Enter opens the selected files as
// View/Open does.
void OnListKey(const NMLVKEYDOWN* key);
