#include <windows.h>

#include "protected_folder.h"
#include "safe_directory.h"

int IsProtectedFolder(const char* directory, char* fullPath)
{
    // Also makes "." and ".." and runs of backslashes what they stand for.
    DWORD length = GetFullPathNameA(directory, MAX_PATH, fullPath, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    char windowsDir[MAX_PATH], systemDir[MAX_PATH];
    UINT windowsLength = GetWindowsDirectoryA(windowsDir, MAX_PATH);
    UINT systemLength = GetSystemDirectoryA(systemDir, MAX_PATH);
    if (windowsLength == 0 || windowsLength >= MAX_PATH || systemLength == 0 || systemLength >= MAX_PATH)
        return 1;
    return IsProtectedDirectory(fullPath, windowsDir, systemDir);
}
