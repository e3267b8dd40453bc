#include "temp_copies.h"

#include <windows.h>

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

void DeleteTempCopies()
{
    TempCopy* node = tempCopyList;
    while (node) {
        TempCopy* next = node->Next;
        if (PathExists(node->path))
            DeleteFileA(node->path);  // a copy still in use stays on disk
        free(node->path);
        free(node);
        node = next;
    }
    tempCopyList = nullptr;
    tempCopyTail = nullptr;
}
