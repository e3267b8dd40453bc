#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "install_log.h"
#include "logged_removal.h"
#include "remove_tree.h"
#include "self_removal.h"

// What has been left to Windows to delete at its next start.
static const int MAX_QUEUED = 16;
static char queued[MAX_QUEUED][INSTALL_LOG_PATH_SIZE];
static int queuedCount = 0;

static int IsQueued(const char* path)
{
    for (int i = 0; i < queuedCount; ++i) {
        if (_stricmp(queued[i], path) == 0)
            return 1;
    }
    return 0;
}

static void LeaveForRestart(const char* path, RemovalReport* report)
{
    if (queuedCount < MAX_QUEUED && strlen(path) < INSTALL_LOG_PATH_SIZE && RemoveAtRestart(path)) {
        snprintf(queued[queuedCount++], INSTALL_LOG_PATH_SIZE, "%s", path);
        AddLeftItem(report, path, LEFT_AT_RESTART);
    } else {
        AddLeftItem(report, path, LEFT_IN_USE);
    }
}

static int IsOwnFile(const char* path)
{
    char own[MAX_PATH];
    return OwnPath(own) && IsSameFile(own, path);
}

static int InLog(const char* log, size_t size, const char* path)
{
    InstallLogEntry entry;
    for (size_t at = 0; NextInstallLogEntry(log, size, &at, &entry);) {
        if (_stricmp(entry.path, path) == 0)
            return 1;
    }
    return 0;
}

struct FolderContents {
    int onlyQueued;   // nothing in it but what Windows deletes at its next start
    int foreign;      // something in it that setup did not make
};

// What a folder that could not be removed still holds; log may be null.
static FolderContents Contents(const char* folder, const char* log, size_t size, const char* logPath)
{
    FolderContents contents = {1, 0};
    char pattern[MAX_PATH + 8];
    snprintf(pattern, sizeof pattern, "%s\\*", folder);
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA(pattern, &found);
    if (listing == INVALID_HANDLE_VALUE)
        return contents;
    do {
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        char child[MAX_PATH + 8];
        snprintf(child, sizeof child, "%s\\%s", folder, found.cFileName);
        if (IsQueued(child))
            continue;
        contents.onlyQueued = 0;
        if (!log || (!InLog(log, size, child) && _stricmp(child, logPath) != 0))
            contents.foreign = 1;
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
    return contents;
}

static void DeleteLoggedFile(const char* path, RemovalReport* report)
{
    if (DeleteFileA(path))
        return;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;   // gone already
    if (attributes & FILE_ATTRIBUTE_READONLY)
        AddLeftItem(report, path, LEFT_READ_ONLY);
    else if (IsOwnFile(path))
        LeaveForRestart(path, report);
    else
        AddLeftItem(report, path, LEFT_IN_USE);
}

static void RemoveLoggedFolder(const char* path, const char* log, size_t size, const char* logPath,
                               RemovalReport* report)
{
    if (RemoveDirectoryA(path) || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return;
    FolderContents contents = Contents(path, log, size, logPath);
    if (contents.onlyQueued)
        LeaveForRestart(path, report);
    else
        AddLeftItem(report, path, log && contents.foreign ? LEFT_NOT_EMPTY : LEFT_NOT_EMPTIED);
}

// Longer paths first: a folder before the folder that holds it.
static int DeeperFirst(const void* a, const void* b)
{
    size_t lengthA = strlen(((const InstallLogEntry*)a)->path), lengthB = strlen(((const InstallLogEntry*)b)->path);
    return lengthA > lengthB ? -1 : lengthA < lengthB ? 1 : 0;
}

void RemoveLoggedItems(const char* log, size_t size, const char* logPath, RemovalReport* report)
{
    LeaveForWindowsDirectory();
    InstallLogEntry entry;
    size_t folders = 0;
    for (size_t at = 0; NextInstallLogEntry(log, size, &at, &entry);) {
        if (entry.kind == INSTALL_LOG_FILE)
            DeleteLoggedFile(entry.path, report);
        else
            ++folders;
    }
    DeleteLoggedFile(logPath, report);
    if (folders == 0)
        return;
    InstallLogEntry* list = (InstallLogEntry*)malloc(folders * sizeof *list);
    if (!list) {
        // Without room to order them, shallower folders may stay behind.
        for (size_t at = 0; NextInstallLogEntry(log, size, &at, &entry);) {
            if (entry.kind == INSTALL_LOG_FOLDER)
                RemoveLoggedFolder(entry.path, log, size, logPath, report);
        }
        return;
    }
    size_t count = 0;
    for (size_t at = 0; count < folders && NextInstallLogEntry(log, size, &at, &entry);) {
        if (entry.kind == INSTALL_LOG_FOLDER)
            list[count++] = entry;
    }
    qsort(list, count, sizeof *list, DeeperFirst);
    for (size_t i = 0; i < count; ++i)
        RemoveLoggedFolder(list[i].path, log, size, logPath, report);
    free(list);
}

void RemoveInstallationTree(const char* folder, RemovalReport* report)
{
    RemoveTreeContents(folder);
    LeaveForWindowsDirectory();
    // The uninstaller's own file is all that can stay when it runs from here.
    char own[MAX_PATH + 32];
    snprintf(own, sizeof own, "%s\\arcs3uninst.exe", folder);
    if (GetFileAttributesA(own) != INVALID_FILE_ATTRIBUTES && IsOwnFile(own))
        LeaveForRestart(own, report);
    RemoveLoggedFolder(folder, nullptr, 0, "", report);
}
