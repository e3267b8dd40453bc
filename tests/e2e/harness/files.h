// File helpers for the tests: per-test scratch folders, whole-file reads and
// writes, folder listings and the Windows folders the viewer writes into.
#pragma once
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace e2e {

using Bytes = std::vector<unsigned char>;

// A folder of its own for one test, emptied when made and removed when done.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);
void WriteTextFile(const std::filesystem::path& path, const std::string& text);

// Names of the entries directly in a folder (files and folders).
std::set<std::string> EntriesIn(const std::filesystem::path& folder);
// Entries in after that are not in before.
std::set<std::string> NewEntries(const std::set<std::string>& before, const std::set<std::string>& after);

std::filesystem::path WindowsFolder();
std::filesystem::path TempFolder();  // the user's temp folder (GetTempPath)

}  // namespace e2e
