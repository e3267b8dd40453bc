#include "setup_machine_state.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "registry.h"

namespace e2e {

namespace fs = std::filesystem;

static const char* const kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

static fs::path ShellFolder(const char* name)
{
    auto folder = ReadRegistryString(HKEY_CURRENT_USER, kShellFoldersKey, name);
    return folder ? fs::path(*folder) : fs::path();
}

fs::path DesktopFolder() { return ShellFolder("Desktop"); }
fs::path StartMenuFolder() { return ShellFolder("Start Menu"); }
fs::path ShortcutFolder() { return ShellFolder("Programs") / "Corvane Software"; }
fs::path OlderShortcutFolder() { return StartMenuFolder() / "Corvane Software"; }
fs::path DefaultParentDir() { return "c:\\Program Files\\Corvane Software"; }
fs::path DefaultInstallDir() { return DefaultParentDir() / "Arcseal3"; }

namespace {
// COM for the calling thread, for as long as the object lives.
struct ComScope {
    HRESULT result;
    ComScope() : result(CoInitialize(nullptr)) {}
    ~ComScope()
    {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

template <typename Interface>
struct Released {
    Interface* pointer = nullptr;
    ~Released()
    {
        if (pointer)
            pointer->Release();
    }
};
}  // namespace

ShellLink ReadShellLink(const fs::path& link)
{
    ComScope com;
    ShellLink result;
    Released<IShellLinkA> shellLink;
    Released<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                (void**)&shellLink.pointer)) ||
        FAILED(shellLink.pointer->QueryInterface(IID_IPersistFile, (void**)&file.pointer)) ||
        FAILED(file.pointer->Load(link.wstring().c_str(), STGM_READ)))
        return result;
    char text[MAX_PATH * 2] = "";
    result.loaded = true;
    if (SUCCEEDED(shellLink.pointer->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH)))
        result.target = text;
    text[0] = 0;
    if (SUCCEEDED(shellLink.pointer->GetDescription(text, sizeof text)))
        result.description = text;
    text[0] = 0;
    if (SUCCEEDED(shellLink.pointer->GetIconLocation(text, sizeof text, &result.iconIndex)))
        result.iconPath = text;
    text[0] = 0;
    if (SUCCEEDED(shellLink.pointer->GetArguments(text, sizeof text)))
        result.arguments = text;
    text[0] = 0;
    if (SUCCEEDED(shellLink.pointer->GetWorkingDirectory(text, sizeof text)))
        result.workingDirectory = text;
    return result;
}

void SetRegistryString(HKEY root, const std::string& key, const std::string& value, const std::string& text)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, value.c_str(), 0, REG_SZ, (const BYTE*)text.c_str(), (DWORD)text.size() + 1);
    RegCloseKey(handle);
}

void DeleteRegistryTree(HKEY root, const std::string& key)
{
    SHDeleteKeyA(root, key.c_str());
}

void RemoveInstallationTraces()
{
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kProductKey);
    // Only when nothing else lives under it.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProductParentKey.c_str());
    std::error_code ignored;
    if (!DesktopFolder().empty())
        fs::remove(DesktopFolder() / "Arcseal3.lnk", ignored);
    if (!StartMenuFolder().empty()) {
        fs::remove(StartMenuFolder() / "Arcseal3.lnk", ignored);
        for (const fs::path& folder : {ShortcutFolder(), OlderShortcutFolder()}) {
            ClearReadOnly(folder);
            fs::remove_all(folder, ignored);
        }
    }
}

void ClearReadOnly(const fs::path& folder)
{
    std::error_code error;
    if (!fs::exists(folder, error))
        return;
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        SetFileAttributesW(it->path().c_str(), it->is_directory() ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL);
}

}  // namespace e2e
