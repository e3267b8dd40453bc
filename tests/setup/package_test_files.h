// Packages written to real files for the tests: a bare "installer" of
// arbitrary bytes, entries assembled behind it with the package assembler.
#pragma once
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "package_writer.h"
#include "test_files.h"

namespace setup_test {

using File = UniqueFile;

// A scratch folder of the test's own under the temporary folder.
// Unique per run (the name only tells the reader what it is for), so that
// tests run side by side (ctest -j) never share one.
class TempFolder : public ScratchFolder {
public:
    explicit TempFolder(const std::string&) {}
    const std::filesystem::path& Path() const { return path(); }
};

// Writes each entry's bytes to a source file and assembles a package behind
// a stub of stubSize bytes; returns the installer file's path.
std::filesystem::path MakePackage(const std::filesystem::path& folder,
                                  const std::vector<std::pair<std::string, Bytes>>& entries,
                                  const std::string& defaultDirectory = "c:\\Program Files\\Corvane Software",
                                  size_t stubSize = 1000);

// An open stream over bytes, for the package check.
File StreamOf(const Bytes& bytes);

}  // namespace setup_test
