#include "disc_files.h"

#include <windows.h>

#include <cstdlib>

#include "data_stream.h"
#include "disc_integrity.h"
#include "item_list.h"
#include "viewer_state.h"

// A file's identity: the same for every path that reaches it.
struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};

static int ReadIdentity(const char* path, FileIdentity* identity)
{
    HANDLE file = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION information;
    int known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (known) {
        identity->volume = information.dwVolumeSerialNumber;
        identity->indexHigh = information.nFileIndexHigh;
        identity->indexLow = information.nFileIndexLow;
    }
    return known;
}

static int CompareIdentities(const void* a, const void* b)
{
    const FileIdentity* x = (const FileIdentity*)a;
    const FileIdentity* y = (const FileIdentity*)b;
    if (x->volume != y->volume)
        return x->volume < y->volume ? -1 : 1;
    if (x->indexHigh != y->indexHigh)
        return x->indexHigh < y->indexHigh ? -1 : 1;
    if (x->indexLow != y->indexLow)
        return x->indexLow < y->indexLow ? -1 : 1;
    return 0;
}

// The identities of the viewer and of every data file of the item list, made
// once for the list they were taken from (it stays the same while the viewer
// runs) and sorted for the search.
static const uint64_t MAX_STREAM_FILES = 99999;
static FileIdentity* ownFiles;
static size_t ownFileCount;
static const ArcsealItem* ownFilesHead;
static const ArcsealItem* ownFilesTail;

static void CollectOwnFiles()
{
    free(ownFiles);
    ownFiles = nullptr;
    ownFileCount = 0;
    ownFilesHead = itemListHead;
    ownFilesTail = LastItem();
    size_t capacity = 1;
    for (const ArcsealItem* item = itemListHead; item; item = item->next)
        capacity += item->dataFileName != nullptr;
    ownFiles = (FileIdentity*)malloc(capacity * sizeof *ownFiles);
    if (!ownFiles)
        return;
    if (ReadIdentity(viewerPath, &ownFiles[ownFileCount]))
        ++ownFileCount;
    const char* previous = nullptr;
    for (const ArcsealItem* item = itemListHead; item; item = item->next) {
        // Files of one data file follow each other: each name is looked at once.
        if (!item->dataFileName || (previous && lstrcmpiA(previous, item->dataFileName) == 0))
            continue;
        previous = item->dataFileName;
        if (ReadIdentity(item->dataFileName, &ownFiles[ownFileCount]))
            ++ownFileCount;
    }
    // A disc of the wide records keeps one stream in disc0001.dat, disc0002.dat,
    // ...: a file's contents may lie in data files no item starts in.
    for (uint64_t number = 1; viewerDisc.dataFileLimit && number <= MAX_STREAM_FILES; ++number) {
        char name[DATA_FILE_NAME_SIZE];
        DataFileName(number, name);
        FileIdentity identity;
        if (!ReadIdentity(name, &identity))
            break;
        FileIdentity* grown = (FileIdentity*)realloc(ownFiles, (ownFileCount + 1) * sizeof *ownFiles);
        if (!grown)
            break;
        ownFiles = grown;
        ownFiles[ownFileCount++] = identity;
    }
    qsort(ownFiles, ownFileCount, sizeof *ownFiles, CompareIdentities);
}

int IsDiscOwnFile(const char* path, const ArcsealItem* item)
{
    FileIdentity destination;
    if (!ReadIdentity(path, &destination))
        return 0;  // no such file: nothing there to lose
    FileIdentity data;
    if (item && item->dataFileName && ReadIdentity(item->dataFileName, &data) &&
        CompareIdentities(&data, &destination) == 0)
        return 1;
    if (!ownFiles || ownFilesHead != itemListHead || ownFilesTail != LastItem())
        CollectOwnFiles();
    if (!ownFiles) {
        FileIdentity viewer;
        return ReadIdentity(viewerPath, &viewer) && CompareIdentities(&viewer, &destination) == 0;
    }
    return bsearch(&destination, ownFiles, ownFileCount, sizeof *ownFiles, CompareIdentities) != nullptr;
}
