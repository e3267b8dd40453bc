#include "temp_copies.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "heap_text.h"
#include "win_helpers.h"

struct TempCopy {
    char* path;
    TempCopy* Next;
    TempCopy* Prev;
};

static TempCopy* tempCopyList;
static TempCopy* tempCopyTail;

void RememberTempCopy(const char* path)
{
    if (!path)
        return;
    TempCopy* node = (TempCopy*)calloc(1, sizeof *node);
    if (!node)
        return;
    node->path = CopyTextToHeap(path);
    if (!node->path) {
        free(node);
        return;
    }
    node->Prev = tempCopyTail;
    if (tempCopyTail)
        tempCopyTail->Next = node;
    else
        tempCopyList = node;
    tempCopyTail = node;
}

void DeleteFolderTree(const char* folder)
{
    char from[MAX_PATH + 1] = {};
    snprintf(from, MAX_PATH, "%s", folder);  // ends in two null characters
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from;
    operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&operation);
}

void DeleteTempCopies()
{
    TempCopy* node = tempCopyList;
    while (node) {
        TempCopy* next = node->Next;
        DWORD attributes = GetFileAttributesA(node->path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFolderTree(node->path);
        else if (attributes != INVALID_FILE_ATTRIBUTES)
            DeleteFileA(node->path);  // a copy still in use stays on disk
        free(node->path);
        free(node);
        node = next;
    }
    tempCopyList = nullptr;
    tempCopyTail = nullptr;
}
