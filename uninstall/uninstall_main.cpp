// arcs3uninst: removes Arcseal 3 after a confirmation: the files and folders
// its install log names (or, for an older installation without one, the
// whole installation directory found in the uninstall key), that key and the
// shortcuts. It talks to the user only through message boxes.
#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "install_log.h"
#include "logged_removal.h"
#include "protected_folder.h"
#include "registry_text.h"
#include "remove_tree.h"
#include "removal_report.h"
#include "self_removal.h"

static const char* const UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Arcseal3";
static const char* const SHELL_FOLDERS_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const size_t PATH_SIZE = 256;
// Far more than any log of the package: a bigger file is no log of it.
static const long LONGEST_LOG = 16 * 1024 * 1024;

static int ReadInstallDir(char* directory)
{
    return ReadRegistryText(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "RootInstallDir", directory, PATH_SIZE);
}

// The whole file on the heap (*size bytes); null when it cannot be read.
static char* ReadWholeFile(const char* path, size_t* size)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return nullptr;
    char* bytes = nullptr;
    long length = -1;
    if (fseek(file, 0, SEEK_END) == 0 && (length = ftell(file)) >= 0 && length <= LONGEST_LOG &&
        fseek(file, 0, SEEK_SET) == 0 && (bytes = (char*)malloc((size_t)length + 1)) != nullptr &&
        fread(bytes, 1, (size_t)length, file) != (size_t)length) {
        free(bytes);
        bytes = nullptr;
    }
    fclose(file);
    if (bytes)
        *size = (size_t)length;
    return bytes;
}

// Why a folder named in the uninstall key was left as it was.
enum LeftInPlace {
    NOT_LEFT = 0,
    LEFT_NOT_AN_INSTALLATION,   // a drive, the Windows folder, a folder without arcs3uninst.exe
    LEFT_LOG_UNREADABLE,
};

// Removes the installation named in the uninstall key, what stays going into
// the report. Says why it left the folder as it was, if it did (its path then
// in leftInPlace).
static LeftInPlace RemoveInstallation(RemovalReport* report, char* leftInPlace)
{
    char directory[PATH_SIZE];
    if (!ReadInstallDir(directory))
        return NOT_LEFT;
    snprintf(leftInPlace, PATH_SIZE, "%s", directory);
    char fullPath[MAX_PATH];
    if (IsProtectedFolder(directory, fullPath))
        return LEFT_NOT_AN_INSTALLATION;
    size_t length = strlen(fullPath);
    while (length > 3 && fullPath[length - 1] == '\\')
        fullPath[--length] = 0;

    char logPath[MAX_PATH];
    if (InstallLogPath(fullPath, logPath, sizeof logPath) && GetFileAttributesA(logPath) != INVALID_FILE_ATTRIBUTES) {
        size_t size = 0;
        char* log = ReadWholeFile(logPath, &size);
        if (!log || !IsInstallLog(log, size)) {
            free(log);
            return LEFT_LOG_UNREADABLE;
        }
        RemoveLoggedItems(log, size, logPath, report);
        free(log);
        return NOT_LEFT;
    }
    char uninstaller[MAX_PATH + 32];
    snprintf(uninstaller, sizeof uninstaller, "%s\\arcs3uninst.exe", fullPath);
    DWORD attributes = GetFileAttributesA(uninstaller);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return LEFT_NOT_AN_INSTALLATION;
    RemoveInstallationTree(fullPath, report);
    return NOT_LEFT;
}

// Deletes "%s\Arcseal3.lnk" of one shell folder.
static void DeleteProgramLink(const char* folderName)
{
    char folder[PATH_SIZE], link[PATH_SIZE + 16];
    if (!ReadRegistryText(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, folderName, folder, sizeof folder))
        return;
    snprintf(link, sizeof link, "%s\\Arcseal3.lnk", folder);
    DeleteFileA(link);
}

// Empties and removes "Corvane Software" in one shell folder.
static void RemoveShortcutFolder(const char* folderName)
{
    char parent[PATH_SIZE], shortcutFolder[PATH_SIZE + 32];
    if (!ReadRegistryText(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, folderName, parent, sizeof parent))
        return;
    snprintf(shortcutFolder, sizeof shortcutFolder, "%s\\Corvane Software", parent);
    SetFileAttributesA(shortcutFolder, FILE_ATTRIBUTE_NORMAL);
    RemoveTreeContents(shortcutFolder);
    LeaveForWindowsDirectory();
    RemoveDirectoryA(shortcutFolder);
}

static void RemoveShortcuts()
{
    DeleteProgramLink("Desktop");
    DeleteProgramLink("Start Menu");
    // Today's installations keep their links under Programs; older ones put
    // them straight into the Start menu folder.
    RemoveShortcutFolder("Programs");
    RemoveShortcutFolder("Start Menu");
}

static void ShowClosingMessage(const RemovalReport* report, LeftInPlace left, const char* leftInPlace)
{
    char text[REPORT_TEXT_SIZE];
    if (left == LEFT_NOT_AN_INSTALLATION)
        snprintf(text, sizeof text,
                 "Arcseal3 has been removed from your computer, but its folder was left in place:\r\n%s\r\n\r\n"
                 "It is a drive, the Windows folder or a folder without arcs3uninst.exe, so no file in it "
                 "was deleted.",
                 leftInPlace);
    else if (left == LEFT_LOG_UNREADABLE)
        snprintf(text, sizeof text,
                 "Arcseal3 could not be removed from its folder:\r\n%s\r\n\r\nIts list of installed files, %s, "
                 "cannot be read, so no file in that folder was deleted.",
                 leftInPlace, INSTALL_LOG_NAME);
    else
        ClosingMessage(report, text, sizeof text);
    MessageBoxA(nullptr, text, "INFO:", MB_OK);
}

// Run from the installation, the uninstaller cannot delete its own file: a
// copy in the temporary folder does the work, and Windows deletes the copy.
static int EndUninstaller(int isCopy)
{
    char own[MAX_PATH];
    if (isCopy && OwnPath(own))
        RemoveAtRestart(own);
    return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int isCopy = IsTemporaryCopy();
    if (isCopy) {
        WaitForStarterToEnd();
    } else {
        char directory[PATH_SIZE];
        if (ReadInstallDir(directory) && HandOverToTemporaryCopy(directory))
            return 0;
    }
    if (MessageBoxA(nullptr, "Are you sure you want to remove Arcseal3 from your computer?", "Are you Sure?",
                    MB_YESNO) != IDYES)
        return EndUninstaller(isCopy);
    MessageBoxA(nullptr, "Please make sure Arcseal3 is not curently running", "INFO:", MB_OK);

    RemovalReport report;
    InitRemovalReport(&report);
    char leftInPlace[PATH_SIZE] = "";
    LeftInPlace left = RemoveInstallation(&report, leftInPlace);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    RemoveShortcuts();
    ShowClosingMessage(&report, left, leftInPlace);
    return EndUninstaller(isCopy);
}
