// The file list pane: the files directly inside the folder last clicked in the tree.
#pragma once
#include <windows.h>
#include <commctrl.h>

struct ArcsealItem;

// Three left-aligned columns, "File Name" (200), "File Size" (70) and "Type"
// (120), widths at 96 DPI scaled for the window's. 1, or 0 after a failure
// message.
int SetupFileListColumns();

// The window moved to another DPI: each column's width follows it.
void RescaleFileListColumns(UINT oldDpi, UINT newDpi);

// The tree's left click: the folder under the cursor becomes the selected and
// drop-highlighted entry, and the list shows its files.
void OnFolderClick();

// Shows the files of the folder a tree entry stands for, as a click on it does.
void ShowFolderOfEntry(HTREEITEM entry);

// The folder whose files the list shows; null before the first.
ArcsealItem* ListedFolder();

// A click on a column header: sorts by that column, a second click reverses.
void OnListColumnClick(const NMLISTVIEW* click);

// Refills the list with the files of a folder item, sorted, with shell icons.
void FillFileList(ArcsealItem* folder);

// Answers the list control's request for a cell's text.
void GetFileListText(NMLVDISPINFOA* request);
