#include "files.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "paths.h"

namespace e2e {

namespace fs = std::filesystem;

ScratchDir::ScratchDir(const std::string& name) : path_(ScratchRoot() / name)
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);  // left over from a run that was killed
    fs::create_directories(path_);
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

Bytes ReadFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void WriteTextFile(const fs::path& path, const std::string& text)
{
    WriteFileBytes(path, Bytes(text.begin(), text.end()));
}

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
