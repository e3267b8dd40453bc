// The destination dialog, resource 104: the installation directory. A
// directory the package's files cannot be written under, or one that must
// never be emptied again (a drive, the Windows folder), is refused with a
// message, and the dialog stays open for another try; before the files go
// into a folder that holds someone else's, the user is asked.
#include <cstdio>
#include <cstring>

#include "dialogs.h"
#include "install_dir.h"
#include "install_log.h"
#include "protected_folder.h"
#include "resource.h"
#include "setup_helpers.h"
#include "setup_state.h"

static const char* const DEFAULT_INSTALL_DIR = "c:\\Program Files\\Corvane Software\\Arcseal3";

// Shows why a typed directory cannot be used; 1 when it can.
static int InstallDirAcceptable(const char* typed, int length)
{
    InstallDirProblem problem = length >= (int)SETUP_PATH_SIZE ? INSTALL_DIR_TOO_LONG
                                                                : CheckInstallDir(typed, &packageSummary);
    switch (problem) {
    case INSTALL_DIR_OK:
        return 1;
    case INSTALL_DIR_EMPTY:
        ShowError("Error:", "Please type the folder to install Arcseal3 to.");
        return 0;
    case INSTALL_DIR_NOT_ABSOLUTE:
        ShowError("Error:", "Please type the full path of the folder, beginning with its drive, "
                            "for example %s", DEFAULT_INSTALL_DIR);
        return 0;
    case INSTALL_DIR_BAD_NAME:
        ShowError("Error:", "This is not a folder name Windows can use:\r\n%s\r\n\r\nA name in it is "
                            "\".\" or \"..\", ends in a dot or blank, is a device name such as CON, or "
                            "holds one of the characters / : * ? \" < > |", typed);
        return 0;
    case INSTALL_DIR_TOO_LONG:
        ShowError("Error:", "The folder name is too long: with the files Arcseal3 puts into it, it may have "
                            "at most %d characters.", (int)LongestInstallDir(&packageSummary));
        return 0;
    }
    return 0;
}

// 1 when the folder holds anything, but neither the log nor the uninstaller
// of an earlier installation of Arcseal3.
static int HoldsOtherFiles(const char* folder)
{
    char path[SETUP_PATH_SIZE + 32];
    if (!InstallLogPath(folder, path, sizeof path) || PathExists(path))
        return 0;
    snprintf(path, sizeof path, "%s\\arcs3uninst.exe", folder);
    if (PathExists(path))
        return 0;
    snprintf(path, sizeof path, "%s\\*", folder);
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA(path, &found);
    if (listing == INVALID_HANDLE_VALUE)
        return 0;
    int holds = 0;
    do
        holds = strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0;
    while (!holds && FindNextFileA(listing, &found));
    FindClose(listing);
    return holds;
}

// The checks that need the machine: 1 when the files may go there.
static int InstallDirUsable(const char* typed)
{
    char fullPath[MAX_PATH];
    if (IsProtectedFolder(typed, fullPath)) {
        ShowError("Error:", "Arcseal3 cannot be installed into %s: it is a drive, the Windows folder or the "
                            "system folder, or holds one of them. Please choose a folder of its own, for "
                            "example %s", typed, DEFAULT_INSTALL_DIR);
        return 0;
    }
    if (!HoldsOtherFiles(typed))
        return 1;
    char question[1024];
    snprintf(question, sizeof question,
             "The folder %s already holds files, and none of them is an earlier installation of Arcseal3."
             "\r\n\r\nInstall Arcseal3 into it all the same? Your files stay, except any with the same name as "
             "one of Arcseal3's, which is replaced; uninstalling later removes only Arcseal3's files.", typed);
    return MessageBoxA(nullptr, question, "Are you Sure?", MB_YESNO | MB_SYSTEMMODAL) == IDYES;
}

static void AcceptDestination(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_INSTALL_DIR);
    char typed[SETUP_PATH_SIZE] = "";
    int length = GetWindowTextLengthA(edit);
    if (length < (int)SETUP_PATH_SIZE)
        GetWindowTextA(edit, typed, length + 1);
    if (!InstallDirAcceptable(typed, length) || !InstallDirUsable(typed)) {
        SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)edit, TRUE);
        return;
    }
    memcpy(installDir, typed, strlen(typed) + 1);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK DestinationDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_INSTALL_DIR, DEFAULT_INSTALL_DIR);
        // Ready for typing: the edit box has the focus, its text selected.
        SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDC_INSTALL_DIR), TRUE);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:  // "Next >>"
            AcceptDestination(dialog);
            return TRUE;
        case IDCANCEL:  // "Cancel Install", also Esc and the close box
            installCancelled = 1;
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
