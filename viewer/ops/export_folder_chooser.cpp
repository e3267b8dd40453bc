// The shell's folder chooser for an export target.
#include "export.h"

#include <shlobj.h>

#include <cstring>

#include "win_helpers.h"

// Starts at the current directory (where the last export went) and shows
// the path of each selection in the status line.
static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM)
{
    if (message == BFFM_INITIALIZED) {
        char current[260] = "";
        GetCurrentDirectoryA(sizeof current, current);
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, (LPARAM)current);
    } else if (message == BFFM_SELCHANGED) {
        char path[260];
        if (SHGetPathFromIDListA((LPCITEMIDLIST)lParam, path))
            SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, (LPARAM)path);
    }
    return 0;
}

const char* ChooseExportFolder(const char* title)
{
    static char chosen[260];
    chosen[0] = 0;
    IMalloc* shellMalloc = nullptr;
    if (FAILED(SHGetMalloc(&shellMalloc)) || !shellMalloc)
        return chosen;
    char displayName[MAX_PATH];
    BROWSEINFOA request = {};
    request.hwndOwner = MessageOwner();  // the main window waits while it is up
    request.pszDisplayName = displayName;
    request.lpszTitle = title;
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE;
    request.lpfn = BrowseCallback;
    CoInitialize(nullptr);
    LPITEMIDLIST picked = SHBrowseForFolderA(&request);
    if (picked) {
        if (!SHGetPathFromIDListA(picked, chosen))
            chosen[0] = 0;
        shellMalloc->Free(picked);
    }
    shellMalloc->Release();
    return chosen;
}
