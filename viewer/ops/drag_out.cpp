#include "drag_out.h"

#include <ole2.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "drag_objects.h"
#include "export.h"
#include "export_progress.h"
#include "heap_text.h"
#include "item_list.h"
#include "item_records.h"
#include "layout_format.h"
#include "list_records.h"
#include "path_text.h"
#include "tree_items.h"
#include "viewer_state.h"
#include "win_helpers.h"

// What one drag carries: the items, where their copies go, and which of them
// came out whole once the button was let go.
struct DragBatch {
    ArcsealItem** items;
    char** paths;   // <folder>\<name>; null for a name no file may have
    char* whole;    // set per item after the export
    int count;
    int made;       // the export has run
    char folder[MAX_PATH];
};

static DragBatch batch;

// Every folder a drag made, deleted at exit (a target may still be reading
// from one after its drop).
struct DragFolder {
    char* path;
    DragFolder* next;
};
static DragFolder* dragFolders;

static void DeleteFolderTree(const char* folder)
{
    char from[MAX_PATH + 1] = {};
    snprintf(from, MAX_PATH, "%s", folder);  // ends in two null characters
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from;
    operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&operation);
}

void DeleteDragFolders()
{
    while (dragFolders) {
        DragFolder* next = dragFolders->next;
        DeleteFolderTree(dragFolders->path);
        free(dragFolders->path);
        free(dragFolders);
        dragFolders = next;
    }
}

static void RememberDragFolder(const char* folder)
{
    DragFolder* node = (DragFolder*)calloc(1, sizeof *node);
    if (!node)
        return;
    node->path = CopyTextToHeap(folder);
    if (!node->path) {
        free(node);
        return;
    }
    node->next = dragFolders;
    dragFolders = node;
}

// A new, empty folder of the reader's temp folder for this drag's copies.
static int MakeDragFolder(char* folder, size_t size)
{
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return 0;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        int written = snprintf(folder, size, "%sArcseal drag %lu-%lu-%u", temp, (unsigned long)GetCurrentProcessId(),
                               (unsigned long)GetTickCount(), attempt);
        if (written < 0 || (size_t)written >= size)
            return 0;
        if (CreateDirectoryA(folder, nullptr))
            return 1;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return 0;
    }
    return 0;
}

static void FreeBatch()
{
    for (int i = 0; i < batch.count; ++i)
        free(batch.paths[i]);
    free(batch.items);
    free(batch.paths);
    free(batch.whole);
    memset(&batch, 0, sizeof batch);
}

// Room for count items; 0 when there is no memory.
static int StartBatch(int count)
{
    FreeBatch();
    batch.items = (ArcsealItem**)calloc((size_t)count, sizeof *batch.items);
    batch.paths = (char**)calloc((size_t)count, sizeof *batch.paths);
    batch.whole = (char*)calloc((size_t)count, 1);
    return batch.items && batch.paths && batch.whole;
}

static void AddToBatch(ArcsealItem* item)
{
    batch.items[batch.count++] = item;
}

static HGLOBAL DropFilesOfBatch()
{
    // Before the drop, the paths the copies will have; after it, only those
    // that came out whole.
    const char** offered = (const char**)calloc((size_t)batch.count + 1, sizeof *offered);
    if (!offered)
        return nullptr;
    int count = 0;
    for (int i = 0; i < batch.count; ++i)
        if (batch.paths[i] && (!batch.made || batch.whole[i]))
            offered[count++] = batch.paths[i];
    HGLOBAL block = MakeDropFiles(offered, count);
    free(offered);
    return block;
}

static int MakeBatchFiles()
{
    InterlockedExchange(&exportAborted, 0);
    int any = 0;
    for (int i = 0; i < batch.count; ++i) {
        ArcsealItem* item = batch.items[i];
        int result;
        if (RecordHasDataFields(item->itemType))
            result = ExportFile(item, batch.folder);
        else if ((result = ExportFolder(item, batch.folder)) == 0)
            return 0;  // aborted by the reader: nothing is dropped
        batch.whole[i] = result == 1 && batch.paths[i] && GetFileAttributesA(batch.paths[i]) != INVALID_FILE_ATTRIBUTES;
        any |= batch.whole[i];
    }
    batch.made = 1;
    return any;
}

static const FileDragHandlers BATCH_HANDLERS = {DropFilesOfBatch, MakeBatchFiles};

static void RunBatchDrag()
{
    if (!MakeDragFolder(batch.folder, sizeof batch.folder)) {
        ShowError("Error:(34565)", "Cannot create new export file.");
        return;
    }
    for (int i = 0; i < batch.count; ++i) {
        const char* name = batch.items[i]->itemName;
        if (!IsPlainFileName(name))
            continue;  // refused by name when the export reaches it
        size_t size = strlen(batch.folder) + strlen(name) + 2;
        if (size > MAX_PATH || !(batch.paths[i] = (char*)malloc(size)))
            continue;
        snprintf(batch.paths[i], size, "%s\\%s", batch.folder, name);
    }
    // A folder's export makes the folder it writes into current; a current
    // folder cannot be deleted, so the drag leaves the one it found.
    char current[MAX_PATH];
    DWORD currentLength = GetCurrentDirectoryA(sizeof current, current);
    DWORD effect = RunFileDrag(&BATCH_HANDLERS);
    if (currentLength > 0 && currentLength < sizeof current)
        SetCurrentDirectoryA(current);
    // Copies nobody took are plain copies of protected files: gone at once.
    if (effect == DROPEFFECT_NONE)
        DeleteFolderTree(batch.folder);
    else
        RememberDragFolder(batch.folder);
    FreeBatch();
}

static int DragAllowed()
{
    return !(layoutHeader.flags & FLAG_EXPORT_DISABLED);
}

void DragListSelection()
{
    if (!DragAllowed())
        return;
    int count = 0;
    for (int row = NextSelectedRow(-1); row != -1; row = NextSelectedRow(row))
        ++count;
    if (count == 0 || !StartBatch(count))
        return;
    for (int row = NextSelectedRow(-1); row != -1 && batch.count < count; row = NextSelectedRow(row)) {
        LIST_ITEM* record = FindListItemByRow(row);
        if (record && record->Item)
            AddToBatch(record->Item);
    }
    if (batch.count)
        RunBatchDrag();
    FreeBatch();
}

void DragTreeFolder(HTREEITEM entry)
{
    if (!DragAllowed())
        return;
    char text[256];
    ArcsealItem* item = nullptr;
    if (!entry || !ReadTreeItem(entry, text, &item) || !item || !StartBatch(1))
        return;
    AddToBatch(item);
    RunBatchDrag();
    FreeBatch();
}
