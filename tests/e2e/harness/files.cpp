#include "files.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "paths.h"

namespace e2e {

namespace fs = std::filesystem;

ScratchDir::ScratchDir(const std::string& name) : ScratchFolder(ScratchRoot() / name) {}

std::set<std::string> EntriesIn(const fs::path& folder)
{
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.insert(entry.path().filename().string());
    return names;
}

std::set<std::string> NewEntries(const std::set<std::string>& before, const std::set<std::string>& after)
{
    std::set<std::string> added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::inserter(added, added.end()));
    return added;
}

fs::path WindowsFolder()
{
    wchar_t folder[MAX_PATH] = L"";
    GetWindowsDirectoryW(folder, MAX_PATH);
    return folder;
}

fs::path TempFolder()
{
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    return fs::path(folder).parent_path();
}

}  // namespace e2e
