#include "drag_out.h"

#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "drag_objects.h"
#include "export.h"
#include "export_progress.h"
#include "item_list.h"
#include "item_records.h"
#include "layout_format.h"
#include "list_records.h"
#include "path_text.h"
#include "temp_copies.h"
#include "tree_items.h"
#include "viewer_state.h"
#include "win_helpers.h"

// One dragged item: where its copy goes (null for a name no file may have)
// and whether it came out whole once the button was let go.
struct DraggedItem {
    ArcsealItem* item;
    char* path;
    int whole;
};

// What one drag carries.
struct DragBatch {
    DraggedItem* items;
    int count;
    int made;  // the export has run
    char folder[MAX_PATH];
};

static DragBatch batch;

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
        free(batch.items[i].path);
    free(batch.items);
    memset(&batch, 0, sizeof batch);
}

// Room for count items; 0 when there is no memory.
static int StartBatch(int count)
{
    FreeBatch();
    batch.items = (DraggedItem*)calloc((size_t)count, sizeof *batch.items);
    return batch.items != nullptr;
}

static void AddToBatch(ArcsealItem* item)
{
    batch.items[batch.count++].item = item;
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
        if (batch.items[i].path && (!batch.made || batch.items[i].whole))
            offered[count++] = batch.items[i].path;
    HGLOBAL block = MakeDropFiles(offered, count);
    free(offered);
    return block;
}

static int MakeBatchFiles()
{
    InterlockedExchange(&exportAborted, 0);
    int any = 0;
    for (int i = 0; i < batch.count; ++i) {
        DraggedItem* dragged = &batch.items[i];
        ArcsealItem* item = dragged->item;
        int result;
        if (RecordHasDataFields(item->itemType))
            result = ExportFile(item, batch.folder);
        else if ((result = ExportFolder(item, batch.folder)) == 0)
            return 0;  // aborted by the reader: nothing is dropped
        dragged->whole = result == 1 && dragged->path && GetFileAttributesA(dragged->path) != INVALID_FILE_ATTRIBUTES;
        any |= dragged->whole;
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
        DraggedItem* dragged = &batch.items[i];
        const char* name = dragged->item->itemName;
        if (!IsPlainFileName(name))
            continue;  // refused by name when the export reaches it
        size_t size = strlen(batch.folder) + strlen(name) + 2;
        if (size > MAX_PATH || !(dragged->path = (char*)malloc(size)))
            continue;
        snprintf(dragged->path, size, "%s\\%s", batch.folder, name);
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
        RememberTempCopy(batch.folder);
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
