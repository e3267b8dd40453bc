#include "extraction.h"

#include <windows.h>

#include <direct.h>
#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "data_stream.h"
#include "disc_files.h"
#include "disc_integrity.h"
#include "item_list.h"
#include "path_text.h"
#include "viewer_state.h"
#include "win_helpers.h"

void ChangeDrive(char letter)
{
    int drive = toupper((unsigned char)letter) - 'A' + 1;
    if (drive >= 1 && drive <= 26)
        _chdrive(drive);
}

int MakeDirectoryPath(const char* path)
{
    char work[1024];
    snprintf(work, sizeof work, "%s", path ? path : "");
    // The root (a drive such as C:, or \\server\share of a network path) is
    // taken as it is: it is neither tested nor created.
    size_t rootLength = PathRootLength(work);
    char built[1024];
    snprintf(built, sizeof built, "%.*s", (int)rootLength, work);
    char* context = nullptr;
    for (char* part = strtok_r(work + rootLength, "\\", &context); part;
         part = strtok_r(nullptr, "\\", &context)) {
        size_t length = strlen(built);
        snprintf(built + length, sizeof built - length, "\\%s", part);
        if (PathExists(built))
            continue;
        if (!CreateDirectoryA(built, nullptr)) {
            MessageBoxA(MessageOwner(), built, "Error Making Dir...(4311)", MB_OK);
            return 0;
        }
    }
    return 1;
}

// Data file names are relative to the viewer's folder.
static void MakeViewerFolderCurrent()
{
    ChangeDrive(viewerPath[0]);
    char folder[255];
    memcpy(folder, viewerPath, sizeof folder);
    folder[sizeof folder - 1] = 0;
    StripFileNameKeepRoot(folder);
    SetCurrentDirectoryA(folder);
}

// 1 when a file at destination may be replaced: there is none, or it is a
// file that can be opened for writing (not a folder, not read-only, not held
// open by a program that shares it with nobody). Nothing is changed.
static int CanReplace(const char* destination)
{
    DWORD attributes = GetFileAttributesA(destination);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return 1;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return 0;
    HANDLE file = CreateFileA(destination, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    CloseHandle(file);
    return 1;
}

// A new, empty file of the viewer's own in the destination's folder, open for
// writing, its path in staging; null when the folder takes no new file.
static FILE* CreateStagingFile(const char* destination, char staging[MAX_PATH])
{
    char folder[MAX_PATH];
    snprintf(folder, sizeof folder, "%s", destination);
    if (!FileNamePart(folder))
        snprintf(folder, sizeof folder, ".");
    else
        StripFileNameKeepRoot(folder);
    if (!GetTempFileNameA(folder, "dv", 0, staging))
        return nullptr;
    FILE* file = fopen(staging, "wb");
    if (!file)
        DeleteFileA(staging);
    return file;
}

// A file of that name made new here (never one that appeared meanwhile),
// open for writing; null when it cannot be made.
static FILE* CreateNewFile(const char* destination)
{
    HANDLE handle = CreateFileA(destination, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    int descriptor = _open_osfhandle((intptr_t)handle, _O_WRONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        DeleteFileA(destination);
        return nullptr;
    }
    FILE* file = _fdopen(descriptor, "wb");
    if (!file) {
        _close(descriptor);
        DeleteFileA(destination);
    }
    return file;
}

static FILE* OpenDataFile(void*, const char* name)
{
    return fopen(name, "rb");
}

// Starts reading the item's contents from the data files beside the viewer
// (the current folder); 0 when the first one cannot be opened. One too short
// to reach the contents leaves nothing to read: the copy finds it ending early.
static int StartItemRead(const ArcsealItem* item, DataRead* read)
{
    MakeViewerFolderCurrent();
    DataFileOpener opener = {OpenDataFile, nullptr};
    if (!item->dataFileName) {
        memset(read, 0, sizeof *read);
        return 0;
    }
    return StartDataRead(read, &opener, item->dataFileName, item->dataOffset, viewerDisc.dataFileLimit) !=
           DATA_FILE_MISSING;
}

// The file's modification time as the disc keeps it (wide records); a time
// that cannot be set costs no file.
static void GiveModifiedTime(const char* path, uint64_t modified)
{
    if (!modified)
        return;
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME time = {(DWORD)modified, (DWORD)(modified >> 32)};
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

int ExtractItemFile(const ArcsealItem* item, const char* destination)
{
    DataRead data;
    if (!StartItemRead(item, &data))
        return EXTRACT_NO_DATA_FILE;
    const char* name = item->itemName ? item->itemName : "";
    if (IsDiscOwnFile(destination, item)) {
        EndDataRead(&data);
        ShowError("Error:(34571)",
                  "\"%s\" was not written to %s: that file belongs to this disc (the viewer or one of "
                  "its data files).",
                  name, destination);
        return EXTRACT_REFUSED;
    }

    // A copy that replaces a file goes to a file of its own beside it and
    // takes its name only once complete: a failed copy leaves the earlier file
    // as it was. A new file is written where it belongs (renaming every file
    // of a large export costs more than the copy) and removed if its copy fails.
    char staging[MAX_PATH];
    const int replacing = GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES;
    FILE* out = !replacing                ? CreateNewFile(destination)
                : CanReplace(destination) ? CreateStagingFile(destination, staging)
                                          : nullptr;
    const char* written = replacing ? staging : destination;
    if (!out) {
        EndDataRead(&data);
        return EXTRACT_NO_DESTINATION;
    }
    ContentFormat format;
    int copied = COPY_NO_MEMORY;
    if (ItemContentFormat(item, layoutHeader.contentKey, &format))
        copied = CopyFromDataFiles(&format, &data, out, nullptr, nullptr);
    else
        EndDataRead(&data);
    int dataEnded = copied == COPY_SOURCE_ENDED || copied == COPY_NO_DATA_FILE;
    int writeFailed = copied == COPY_WRITE_FAILED || ferror(out);
    int closed = fclose(out) == 0;
    if (copied == COPY_DONE && closed) {
        GiveModifiedTime(written, item->modified);
        if (!replacing || MoveFileExA(staging, destination, MOVEFILE_REPLACE_EXISTING))
            return EXTRACT_DONE;
        DeleteFileA(staging);
        return EXTRACT_NO_DESTINATION;
    }

    DeleteFileA(written);
    if (copied == COPY_DAMAGED) {
        ShowError("Error:(34572)",
                  "\"%s\" could not be copied: the disc's copy of it is damaged. Nothing was written to %s.",
                  name, destination);
        return EXTRACT_DAMAGED;
    }
    if (copied == COPY_NO_MEMORY)
        ShowError("Error:", "Cannot allocate memory for file!");
    else if (dataEnded)
        ShowError("Error:(34566)",
                  "\"%s\" could not be copied: its data file %s ends before its contents do. "
                  "The incomplete copy has been deleted.",
                  name, data.name);
    else if (writeFailed || !closed || copied == COPY_DONE)
        ShowError("Error:(34567)",
                  "\"%s\" could not be written in full to %s (is the disk full?). "
                  "The incomplete copy has been deleted.",
                  name, destination);
    return EXTRACT_INCOMPLETE;
}

int CheckItemFile(const ArcsealItem* item, CopyProgress progress, void* context)
{
    DataRead data;
    if (!StartItemRead(item, &data))
        return CHECK_UNREADABLE;
    ContentFormat format;
    int result = COPY_NO_MEMORY;
    if (ItemContentFormat(item, layoutHeader.contentKey, &format))
        result = CopyFromDataFiles(&format, &data, nullptr, progress, context);
    else
        EndDataRead(&data);
    switch (result) {
    case COPY_DONE:
        return CHECK_INTACT;
    case COPY_DAMAGED:
        return CHECK_DAMAGED;
    case COPY_ABORTED:
        return CHECK_ABORTED;
    case COPY_NO_MEMORY:
        return CHECK_NO_MEMORY;
    default:
        return CHECK_UNREADABLE;
    }
}
