// What an installation of Arcseal 3 leaves on the machine - registry keys,
// shell links, folders - read and removed from the test process, which runs
// in the same Wine prefix as the installer and the uninstaller.
#pragma once
#include <windows.h>

#include <filesystem>
#include <string>

namespace e2e {

inline const std::string kProductKey = "Software\\Corvane Software\\Arcseal3";
inline const std::string kProductParentKey = "Software\\Corvane Software";
inline const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Arcseal3";

// The user's folders, as the installer reads them from the shell folders.
std::filesystem::path DesktopFolder();
std::filesystem::path StartMenuFolder();
// The Start-menu folder of the three installed links.
std::filesystem::path ShortcutFolder();
// Where installations before Start Menu\Programs kept their links.
std::filesystem::path OlderShortcutFolder();

// "c:\Program Files\Corvane Software", the package's default directory, and
// the installation directory the destination dialog offers.
std::filesystem::path DefaultParentDir();
std::filesystem::path DefaultInstallDir();

struct ShellLink {
    bool loaded = false;
    std::string target;
    std::string description;
    std::string iconPath;
    int iconIndex = -1;
    std::string arguments;
    std::string workingDirectory;
};
// Reads a .lnk file through the shell's own link object.
ShellLink ReadShellLink(const std::filesystem::path& link);

// Writes a REG_SZ value, creating the key when it is missing.
void SetRegistryString(HKEY root, const std::string& key, const std::string& value, const std::string& text);
// Deletes a key with everything below it; nothing happens when it is missing.
void DeleteRegistryTree(HKEY root, const std::string& key);

// Removes the registry keys and shell links an installation makes, so that a
// test starts and ends with none of them.
void RemoveInstallationTraces();

// Clears the read-only attribute of every file and folder below a folder (and
// of the folder itself), so that a test can remove what it made read-only.
void ClearReadOnly(const std::filesystem::path& folder);

}  // namespace e2e
