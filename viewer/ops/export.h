// Export: the files selected in the list, or a folder of the tree with
// everything beneath it, written in plain form into a folder the reader chooses.
#pragma once
#include <windows.h>
#include <commctrl.h>

struct ArcsealItem;

// CMD_EXPORT, from either context menu.
void OnExport();

void ExportListRow(int row, const char* folder);
void ExportSelectedFolder();
// One file or folder, wherever it was chosen (the tree, Find's results): the
// folder chooser, the copy and the final message.
void ExportChosenItem(ArcsealItem* item);

// The folder chooser; "" when nothing was chosen. One buffer, reused by every call.
const char* ChooseExportFolder(const char* title);

// One file into a directory: 1, or 0 after its message. Counted for the
// export's final message.
int ExportFile(ArcsealItem* item, const char* directory);

// The files directly in a folder item (item-table order).
void ExportFolderFiles(ArcsealItem* folder, const char* directory);

// A folder with its sub-folders, behind the "Exporting..." window: 1 when it
// went through, 0 when the reader aborted it, -1 when its name could not be
// used (reported).
int ExportFolder(ArcsealItem* folder, const char* directory);

// Every sub-folder of a tree entry, depth first.
void ExportSubFolders(HTREEITEM parent, const char* directory);
