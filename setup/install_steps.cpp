#include "install_steps.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "registry_text.h"
#include "setup_helpers.h"
#include "setup_state.h"

static const char* const SHELL_FOLDERS_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const char* const PRODUCT_KEY = "Software\\Corvane Software\\Arcseal3";
static const char* const UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Arcseal3";

// Reads one of the user's folders, expanded when it is stored as REG_EXPAND_SZ.
static int ReadShellFolder(const char* name, char* folder)
{
    return ReadRegistryText(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, name, folder, SETUP_PATH_SIZE);
}

int ReadSystemFolders()
{
    return ReadShellFolder("Programs", programsFolder) && ReadShellFolder("Desktop", desktopFolder) &&
           ReadShellFolder("Start Menu", startMenuFolder);
}

// Creates the key when it is missing, then opens it for writing.
static int CreateAndOpenKey(const char* name, HKEY* key)
{
    HKEY created;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &created, nullptr) == ERROR_SUCCESS)
        RegCloseKey(created);
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, name, 0, KEY_ALL_ACCESS, key) == ERROR_SUCCESS;
}

static void SetText(HKEY key, const char* name, const char* text)
{
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
}

void WriteRegistryEntries()
{
    HKEY key;
    if (!CreateAndOpenKey(PRODUCT_KEY, &key)) {
        ShowError("Error: ( 53245 )", "Cannot open registry key. Aborting.");
        return;
    }
    SetText(key, "RootInstallDir", installDir);
    RegCloseKey(key);

    if (!CreateAndOpenKey(UNINSTALL_KEY, &key))
        return;
    // Quoted: Windows runs it as a command line, and the path has blanks.
    char uninstallString[SETUP_PATH_SIZE + 32];
    snprintf(uninstallString, sizeof uninstallString, "\"%s\\arcs3uninst.exe\"", installDir);
    SetText(key, "DisplayName", "Arcseal3");
    SetText(key, "UninstallString", uninstallString);
    SetText(key, "RootInstallDir", installDir);
    RegCloseKey(key);
}

HRESULT CreateShortcut(const char* target, const char* linkPath, const char* description)
{
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link);
    if (FAILED(result))
        return result;
    link->SetPath(target);
    link->SetDescription(description);
    if (target)
        link->SetIconLocation(target, 0);
    IPersistFile* file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, (void**)&file);
    if (SUCCEEDED(result)) {
        WCHAR widePath[260];
        if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, 260) > 0)
            result = file->Save(widePath, TRUE);
        else
            result = E_INVALIDARG;
        file->Release();
    }
    link->Release();
    return result;
}

// Formats a path into a 256-byte buffer; 0 when it does not fit, so that no
// link is ever made to or at a cut-off path.
static int FormatPath(char* path, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

static int FormatPath(char* path, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int length = vsnprintf(path, SETUP_PATH_SIZE, format, args);
    va_end(args);
    return length >= 0 && length < (int)SETUP_PATH_SIZE;
}

static void MakeShortcut(const char* folder, const char* linkName, const char* targetFormat,
                         const char* description)
{
    char target[SETUP_PATH_SIZE], linkPath[SETUP_PATH_SIZE];
    if (FormatPath(target, targetFormat, installDir) && FormatPath(linkPath, "%s\\%s", folder, linkName))
        CreateShortcut(target, linkPath, description);
}

void MakeShortcuts()
{
    HRESULT com = CoInitialize(nullptr);
    if (com != S_OK)
        MessageBoxA(nullptr, "Could not init COM (shortcut not created on desktop)", "Error (shortcut)", MB_OK);
    MakeShortcut(desktopFolder, "Arcseal3.lnk", "%s\\arcseal3.exe", "Arcseal 3");
    // Under Start Menu\Programs, the folder Windows lists in its Start menu.
    char shortcutFolder[SETUP_PATH_SIZE];
    if (FormatPath(shortcutFolder, "%s\\Corvane Software", programsFolder)) {
        MakeDirectoryPath(shortcutFolder);
        MakeShortcut(shortcutFolder, "Arcseal3.lnk", "%s\\arcseal3.exe", "Arcseal 3");
        MakeShortcut(shortcutFolder, "uninstall.lnk", "%s\\arcs3uninst.exe", "UnInstall");
        MakeShortcut(shortcutFolder, "help.lnk", "%s\\Help\\index.htm", "Help");
    }
    if (SUCCEEDED(com))
        CoUninitialize();
}

void ShowFinishedMessage()
{
    char text[1024];
    snprintf(text, sizeof text,
             "Arcseal 3 is installed in %s.\r\n\r\nStart it with \"Arcseal 3\" on the desktop or in the "
             "Start menu under Corvane Software.",
             installDir);
    MessageBoxA(nullptr, text, "Finished:", MB_OK | MB_SYSTEMMODAL);
}
