#include <windows.h>
#include <direct.h>

#include "remove_tree.h"

void RemoveTreeContents(const char* path)
{
    int driveBefore = 0;
    if (path) {
        driveBefore = _getdrive();
        char letter = path[0];
        if (letter >= 'a' && letter <= 'z')
            letter = (char)(letter - 'a' + 'A');
        if (letter >= 'A' && letter <= 'Z')
            _chdrive(letter - 'A' + 1);
        if (!SetCurrentDirectoryA(path)) {
            _chdrive(driveBefore);
            return;
        }
    }
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA("*.*", &found);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            const char* name = found.cFileName;
            if (GetFileAttributesA(name) != FILE_ATTRIBUTE_DIRECTORY)
                DeleteFileA(name);
            else if (name[0] != '.' && SetCurrentDirectoryA(name)) {
                RemoveTreeContents(nullptr);
                SetCurrentDirectoryA("..");
                RemoveDirectoryA(name);
            }
        } while (FindNextFileA(listing, &found));
        FindClose(listing);
    }
    if (path)
        _chdrive(driveBefore);
}

void LeaveForWindowsDirectory()
{
    char windowsDir[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windowsDir, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        SetCurrentDirectoryA(windowsDir);
}
