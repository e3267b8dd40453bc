// arcs3uninst: removes Arcseal 3 after a confirmation: the installation
// directory found in the uninstall key, that key and the shortcuts. It
// talks to the user only through message boxes.
#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>

#include "remove_tree.h"
#include "safe_directory.h"

static const char* const UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Arcseal3";
static const char* const SHELL_FOLDERS_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const size_t PATH_SIZE = 256;

// One string value of a key opened for this read only; 255 bytes at most.
// Returns 1 when the value was read and is not empty.
static int ReadString(HKEY root, const char* keyName, const char* valueName, char* text)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0, size = PATH_SIZE - 1;
    LONG result = RegQueryValueExA(key, valueName, nullptr, &type, (BYTE*)text, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return 0;
    text[size < PATH_SIZE ? size : PATH_SIZE - 1] = 0;
    return text[0] != 0;
}

// Leaves an emptied directory, so that it is no longer current and its
// removal is not refused.
static void LeaveForWindowsDirectory()
{
    char windowsDir[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windowsDir, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        SetCurrentDirectoryA(windowsDir);
}

// 1 when the directory is an installation of Arcseal 3 that may be emptied:
// it holds the uninstaller, and it is no drive root, no Windows or system
// directory and none that holds them. fullPath receives its full path.
static int IsInstallationToEmpty(const char* directory, char* fullPath)
{
    DWORD length = GetFullPathNameA(directory, MAX_PATH, fullPath, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    char windowsDir[MAX_PATH], systemDir[MAX_PATH];
    UINT windowsLength = GetWindowsDirectoryA(windowsDir, MAX_PATH);
    UINT systemLength = GetSystemDirectoryA(systemDir, MAX_PATH);
    if (windowsLength == 0 || windowsLength >= MAX_PATH || systemLength == 0 || systemLength >= MAX_PATH)
        return 0;
    if (IsProtectedDirectory(fullPath, windowsDir, systemDir))
        return 0;
    char uninstaller[MAX_PATH + 32];
    size_t trimmed = strlen(fullPath);
    while (trimmed > 0 && fullPath[trimmed - 1] == '\\')
        --trimmed;
    snprintf(uninstaller, sizeof uninstaller, "%.*s\\arcs3uninst.exe", (int)trimmed, fullPath);
    DWORD attributes = GetFileAttributesA(uninstaller);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Removes the installation directory named in the uninstall key. Returns 0
// when the key names a directory that is not safe to empty (copied into
// leftInPlace); 1 otherwise, also when there is nothing to remove.
static int RemoveInstallationDirectory(char* leftInPlace)
{
    char directory[PATH_SIZE];
    if (!ReadString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "RootInstallDir", directory))
        return 1;
    char fullPath[MAX_PATH];
    if (!IsInstallationToEmpty(directory, fullPath)) {
        snprintf(leftInPlace, PATH_SIZE, "%s", directory);
        return 0;
    }
    RemoveTreeContents(fullPath);
    LeaveForWindowsDirectory();
    RemoveDirectoryA(fullPath);
    return 1;
}

// Deletes "%s\Arcseal3.lnk" of one shell folder.
static void DeleteProgramLink(const char* folderName)
{
    char folder[PATH_SIZE], link[PATH_SIZE + 16];
    if (!ReadString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, folderName, folder))
        return;
    snprintf(link, sizeof link, "%s\\Arcseal3.lnk", folder);
    DeleteFileA(link);
}

static void RemoveShortcuts()
{
    DeleteProgramLink("Desktop");
    DeleteProgramLink("Start Menu");
    char startMenu[PATH_SIZE], shortcutFolder[PATH_SIZE + 32];
    if (!ReadString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, "Start Menu", startMenu))
        return;
    snprintf(shortcutFolder, sizeof shortcutFolder, "%s\\Corvane Software", startMenu);
    SetFileAttributesA(shortcutFolder, FILE_ATTRIBUTE_NORMAL);
    RemoveTreeContents(shortcutFolder);
    LeaveForWindowsDirectory();
    RemoveDirectoryA(shortcutFolder);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (MessageBoxA(nullptr, "Are you sure you want to remove Arcseal3 from your computer?", "Are you Sure?",
                    MB_YESNO) != IDYES)
        return 0;
    MessageBoxA(nullptr, "Please make sure Arcseal3 is not curently running", "INFO:", MB_OK);

    char leftInPlace[PATH_SIZE] = "";
    int folderRemoved = RemoveInstallationDirectory(leftInPlace);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY);
    RemoveShortcuts();

    if (folderRemoved) {
        MessageBoxA(nullptr, "Arcseal3 has been removed from your computer", "INFO:", MB_OK);
        return 0;
    }
    char text[1024];
    snprintf(text, sizeof text,
             "Arcseal3 has been removed from your computer, but its folder was left in place:\r\n%s\r\n\r\n"
             "It is a drive, the Windows folder or a folder without arcs3uninst.exe, so no file in it "
             "was deleted.",
             leftInPlace);
    MessageBoxA(nullptr, text, "INFO:", MB_OK);
    return 0;
}
