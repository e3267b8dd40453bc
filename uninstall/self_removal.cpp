#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

#include "self_removal.h"

// Copies are made with GetTempFileName: "as3XXXX.tmp" in the temporary folder.
static const char* const COPY_PREFIX = "as3";
static const DWORD STARTER_WAIT_MS = 10000;

static HANDLE OpenForIdentity(const char* path)
{
    // Backup semantics let a folder be opened too.
    return CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

int IsSameFile(const char* a, const char* b)
{
    HANDLE first = OpenForIdentity(a);
    if (first == INVALID_HANDLE_VALUE)
        return 0;
    HANDLE second = OpenForIdentity(b);
    BY_HANDLE_FILE_INFORMATION one, two;
    int same = second != INVALID_HANDLE_VALUE && GetFileInformationByHandle(first, &one) &&
               GetFileInformationByHandle(second, &two) && one.dwVolumeSerialNumber == two.dwVolumeSerialNumber &&
               one.nFileIndexHigh == two.nFileIndexHigh && one.nFileIndexLow == two.nFileIndexLow;
    if (second != INVALID_HANDLE_VALUE)
        CloseHandle(second);
    CloseHandle(first);
    return same;
}

int OwnPath(char* path)
{
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

static int TemporaryFolder(char* folder)
{
    DWORD length = GetTempPathA(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH;
}

int HandOverToTemporaryCopy(const char* installDir)
{
    char own[MAX_PATH], installed[MAX_PATH + 32], temp[MAX_PATH], copy[MAX_PATH];
    snprintf(installed, sizeof installed, "%s\\arcs3uninst.exe", installDir);
    if (!OwnPath(own) || !IsSameFile(own, installed) || !TemporaryFolder(temp) ||
        !GetTempFileNameA(temp, COPY_PREFIX, 0, copy))
        return 0;
    if (!CopyFileA(own, copy, FALSE)) {
        DeleteFileA(copy);
        return 0;
    }
    char commandLine[MAX_PATH + 2];
    snprintf(commandLine, sizeof commandLine, "\"%s\"", copy);
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started;
    // The temporary folder as the copy's current directory: nothing keeps the
    // installation directory from being removed.
    if (!CreateProcessA(copy, commandLine, nullptr, nullptr, FALSE, 0, nullptr, temp, &startup, &started)) {
        DeleteFileA(copy);
        return 0;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 1;
}

int IsTemporaryCopy()
{
    char own[MAX_PATH], temp[MAX_PATH];
    if (!OwnPath(own) || !TemporaryFolder(temp))
        return 0;
    char* name = strrchr(own, '\\');
    if (!name)
        return 0;
    *name++ = 0;
    size_t length = strlen(name);
    return _strnicmp(name, COPY_PREFIX, strlen(COPY_PREFIX)) == 0 && length > 4 &&
           _stricmp(name + length - 4, ".tmp") == 0 && IsSameFile(own, temp);
}

static DWORD StarterProcessId()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    DWORD self = GetCurrentProcessId(), starter = 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == self) {
            starter = entry.th32ParentProcessID;
            break;
        }
    }
    CloseHandle(snapshot);
    return starter;
}

static ULONGLONG CreationTime(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return ((ULONGLONG)created.dwHighDateTime << 32) | created.dwLowDateTime;
}

void WaitForStarterToEnd()
{
    DWORD starterId = StarterProcessId();
    if (!starterId)
        return;
    HANDLE starter = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, starterId);
    if (!starter)
        return;   // ended already
    // A process started after this one only took over the ended starter's id.
    if (CreationTime(starter) <= CreationTime(GetCurrentProcess()))
        WaitForSingleObject(starter, STARTER_WAIT_MS);
    CloseHandle(starter);
}

int RemoveAtRestart(const char* path)
{
    return MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}
