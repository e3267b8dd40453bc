#include "export.h"

#include <cstdio>
#include <cstring>

#include "context_menus.h"
#include "export_progress.h"
#include "extraction.h"
#include "folder_totals.h"
#include "item_list.h"
#include "item_records.h"
#include "layout_format.h"
#include "list_records.h"
#include "main_window.h"
#include "path_text.h"
#include "tree_items.h"
#include "viewer_state.h"
#include "win_helpers.h"

static const char CHOOSE_TITLE[] = "Choose the directory to export too:";

// The files the running export tried and those that did not come back, each
// already reported with its own message. Counted in ExportFile only, and for
// the files of a folder that could not be made at all.
static uint32_t filesTried;
static uint32_t filesFailed;

static const char* Files(uint32_t count)
{
    return count == 1 ? "file" : "files";
}

// Joins a directory and a stored name; 0 after a message when the name is not
// one plain file name or the path would not fit.
static int JoinExportPath(char* path, size_t size, const char* directory, const char* name,
                          const char* what)
{
    if (!IsPlainFileName(name)) {
        ShowError("Error:(34568)",
                  "The name \"%s\" cannot be used as a %s name on this computer, so it was not "
                  "exported.",
                  name ? name : "", what);
        return 0;
    }
    int written = snprintf(path, size, "%s\\%s", directory, name);
    if (written < 0 || (size_t)written >= size) {
        ShowError("Error:(34570)", "The path for \"%s\" in %s is too long, so it was not exported.", name,
                  directory);
        return 0;
    }
    return 1;
}

void OnExport()
{
    if (layoutHeader.flags & FLAG_EXPORT_DISABLED)
        return;
    InterlockedExchange(&exportAborted, 0);
    filesTried = 0;
    filesFailed = 0;
    if (menuSource != FILE_LIST_ID) {
        ExportSelectedFolder();
        return;
    }
    char folder[MAX_PATH];
    snprintf(folder, sizeof folder, "%s", ChooseExportFolder(CHOOSE_TITLE));
    if (!*folder)
        return;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row))
        ExportListRow(row, folder);
    if (filesFailed == 0)
        ShowError("Finished:", "File(s) has been exported to %s.", folder);
    else
        ShowError("Incomplete:", "Not every file was exported to %s: %lu of %lu %s could not be exported.",
                  folder, (unsigned long)filesFailed, (unsigned long)filesTried, Files(filesTried));
}

void ExportListRow(int row, const char* folder)
{
    LIST_ITEM* record = FindListItemByRow(row);
    if (record && record->Item)
        ExportFile(record->Item, folder);
}

void ExportSelectedFolder()
{
    HTREEITEM selected = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0);
    if (!selected) {
        ShowError("INFO:", "You must select a folder to export it.");
        return;
    }
    char text[256];
    ArcsealItem* item = nullptr;
    if (!ReadTreeItem(selected, text, &item) || !item)
        return;
    ExportChosenItem(item);
}

void ExportChosenItem(ArcsealItem* item)
{
    if (layoutHeader.flags & FLAG_EXPORT_DISABLED)
        return;
    InterlockedExchange(&exportAborted, 0);
    filesTried = 0;
    filesFailed = 0;
    char folder[MAX_PATH];
    snprintf(folder, sizeof folder, "%s", ChooseExportFolder(CHOOSE_TITLE));
    if (!*folder)
        return;
    const char* name = item->itemName ? item->itemName : "";
    if (RecordHasDataFields(item->itemType)) {
        if (ExportFile(item, folder))
            ShowError("Finished:", "File(s) has been exported to %s.", folder);
        return;
    }
    int result = ExportFolder(item, folder);
    if (result == 1 && filesFailed == 0)
        ShowError("Finished:", "%s has been exported to %s.", name, folder);
    else if (result == 1)
        ShowError("Incomplete:", "%s was not exported in full to %s: %lu of its %lu %s could not be exported.",
                  name, folder, (unsigned long)filesFailed, (unsigned long)filesTried, Files(filesTried));
    else if (result == 0)
        ShowError("Aborted:",
                  "The export of %s to %s was aborted. The files written so far are complete; "
                  "the others were not exported.",
                  name, folder);
}

// One file, with its own messages; 1 when it was written.
static int WriteExportFile(ArcsealItem* item, const char* directory)
{
    char destination[MAX_PATH];
    if (!JoinExportPath(destination, sizeof destination, directory, item->itemName, "file"))
        return 0;
    switch (ExtractItemFile(item, destination)) {
    case EXTRACT_DONE:
        return 1;
    case EXTRACT_NO_DATA_FILE:
        ShowError("Error:(345634)", "Cannot open .dat file.");
        return 0;
    case EXTRACT_NO_DESTINATION:
        ShowError("Error:(34565)", "Cannot create new export file.");
        return 0;
    default:
        return 0;  // reported, and the incomplete file is gone
    }
}

int ExportFile(ArcsealItem* item, const char* directory)
{
    ++filesTried;
    int written = WriteExportFile(item, directory);
    if (!written)
        ++filesFailed;
    return written;
}

// A folder that cannot be made: its files and those of its sub-folders count
// as not exported.
static void CountSkippedFiles(ArcsealItem* folder, HTREEITEM entry)
{
    uint32_t files = CountFolderFiles(folder);
    filesTried += files;
    filesFailed += files;
    for (HTREEITEM child = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)entry);
         child; child = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)child)) {
        char text[256];
        ArcsealItem* item = nullptr;
        if (ReadTreeItem(child, text, &item) && item)
            CountSkippedFiles(item, child);
    }
}

void ExportFolderFiles(ArcsealItem* folder, const char* directory)
{
    if (!itemListHead) {
        ShowError("Aborting.", "No root item found.");
        return;
    }
    for (ArcsealItem* item = itemListHead; item; item = item->next) {
        if (exportAborted)
            return;  // the file before this one is complete
        if (item->parentId == folder->itemId && item->itemType == ITEM_FILE)
            ExportFile(item, directory);
    }
}

int ExportFolder(ArcsealItem* folder, const char* directory)
{
    StartExportProgress();
    ChangeDrive(directory[0]);
    MakeDirectoryPath(directory);
    SetCurrentDirectoryA(directory);
    char target[MAX_PATH];
    if (JoinExportPath(target, sizeof target, directory, folder->itemName, "folder")) {
        MakeDirectoryPath(target);
        ExportFolderFiles(folder, target);
        if (folder->treeHandle &&
            SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)folder->treeHandle))
            ExportSubFolders(folder->treeHandle, target);
    } else {
        FinishExportProgress();
        return -1;
    }
    int aborted = exportAborted != 0;
    FinishExportProgress();
    return !aborted;
}

void ExportSubFolders(HTREEITEM parent, const char* directory)
{
    for (HTREEITEM child = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)parent);
         child && !exportAborted;
         child = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)child)) {
        char text[256];
        ArcsealItem* item = nullptr;
        if (!ReadTreeItem(child, text, &item) || !item)
            continue;
        ChangeDrive(directory[0]);
        SetCurrentDirectoryA(directory);
        char subDirectory[MAX_PATH];
        if (!JoinExportPath(subDirectory, sizeof subDirectory, directory, item->itemName, "folder")) {
            CountSkippedFiles(item, child);
            continue;
        }
        MakeDirectoryPath(subDirectory);
        ExportFolderFiles(item, subDirectory);
        if (SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)child))
            ExportSubFolders(child, subDirectory);
    }
}
