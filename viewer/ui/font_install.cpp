#include "font_install.h"

#include <windows.h>

#include <cstring>

#include "path_text.h"
#include "viewer_state.h"
#include "win_helpers.h"

const char* FontsFolder()
{
    static char folder[255];
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return nullptr;
    DWORD size = sizeof folder - 1;
    DWORD type = 0;
    memset(folder, 0, sizeof folder);
    RegQueryValueExA(key, "Fonts", nullptr, &type, (BYTE*)folder, &size);
    RegCloseKey(key);
    folder[sizeof folder - 1] = 0;
    return folder[0] ? folder : nullptr;
}

// 1 when the Fonts key has no value of that name, or one that names the
// disc's font file already.
static int RegistryValueIsFree(HKEY key, const char* name)
{
    char data[1024];
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, (BYTE*)data, &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return 1;
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return 0;
    data[size < sizeof data ? size : sizeof data - 1] = 0;
    return _stricmp(data, layoutHeader.fontFileName) == 0;
}

void RegisterFont(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts", 0,
                      KEY_ALL_ACCESS, &key) != ERROR_SUCCESS &&
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                      0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        ShowError("Error:(67345526)", "Cannot set custom font.");
        return;
    }
    const char* fileName = FileNamePart(path);
    if (!fileName) {
        RegCloseKey(key);
        ShowError("Error:(67345524)", "cannot get fontfilename from path.");
        return;
    }
    // The value is the disc's own: made only for the disc's own font file,
    // and never over a value of that name that names another font's file.
    if (RegistryValueIsFree(key, layoutHeader.fontFaceName) && _stricmp(fileName, layoutHeader.fontFileName) == 0)
        // The whole 255-byte field is stored, as the registry entry always has been.
        RegSetValueExA(key, layoutHeader.fontFaceName, 0, REG_SZ, (const BYTE*)layoutHeader.fontFileName,
                       sizeof layoutHeader.fontFileName);
    RegCloseKey(key);
    AddFontResourceA(path);
    // A send, so the font is known everywhere before the splash draws with it;
    // with a time-out, so one hung window cannot stop the viewer from starting.
    DWORD_PTR ignored;
    SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}
