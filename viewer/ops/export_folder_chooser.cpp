// The shell's folder chooser for an export target.
#include "export.h"

#include <shlobj.h>

#include <cstring>

#include "win_helpers.h"

// Where the chooser starts: the reader's Documents folder, then the folder
// the last export went to (startFolder); never the disc's own folder, where
// an OK would put plain copies beside the viewer.
static char startFolder[MAX_PATH];

// Starts at startFolder and shows the path of each selection in the status line.
static int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM)
{
    if (message == BFFM_INITIALIZED) {
        LPITEMIDLIST documents = nullptr;
        if (startFolder[0])
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, (LPARAM)startFolder);
        else if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &documents)) && documents) {
            // The shell's own Documents entry, found where its tree shows it.
            SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE, (LPARAM)documents);
            CoTaskMemFree(documents);
        }
    } else if (message == BFFM_SELCHANGED) {
        char path[MAX_PATH];
        if (SHGetPathFromIDListA((LPCITEMIDLIST)lParam, path))
            SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, (LPARAM)path);
    }
    return 0;
}

const char* ChooseExportFolder(const char* title)
{
    static char chosen[MAX_PATH];
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
        else
            memcpy(startFolder, chosen, sizeof startFolder);
        shellMalloc->Free(picked);
    }
    shellMalloc->Release();
    return chosen;
}
