// Loading the item table into the folder tree.
#pragma once
#include <windows.h>
#include <commctrl.h>

// The tree's image list (root, closed folder, open folder, file icons).
extern HIMAGELIST treeImageList;

// Reads and descrambles the item table from the viewer's own file, builds the
// item list, inserts disc roots and folders into the tree under their parents
// and shows the running totals. 1 when the table has been read (a damaged
// record stops the reading with a message; the items before it stay); 0 after
// a failure that stops the load.
int LoadItemTree(HWND tree);

// Gives the tree its icons again at the layout's DPI (after a DPI change);
// the entries keep their images.
void RefreshTreeIcons(HWND tree);

// Shows the disc totals in the main window's status bar.
void ShowTotals();
