// File helpers for the tests: per-test scratch folders, whole-file reads and
// writes, folder listings and the Windows folders the viewer writes into.
#pragma once
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "test_files.h"

namespace e2e {

// A folder of its own for one test under the scratch folder of the test run.
class ScratchDir : public ScratchFolder {
public:
    explicit ScratchDir(const std::string& name);
    const std::filesystem::path& Path() const { return path(); }
};

// Names of the entries directly in a folder (files and folders).
std::set<std::string> EntriesIn(const std::filesystem::path& folder);
// Entries in after that are not in before.
std::set<std::string> NewEntries(const std::set<std::string>& before, const std::set<std::string>& after);

std::filesystem::path WindowsFolder();
std::filesystem::path TempFolder();  // the user's temp folder (GetTempPath)

}  // namespace e2e
