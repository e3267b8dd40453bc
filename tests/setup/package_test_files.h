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

namespace setup_test {

using Bytes = std::vector<unsigned char>;

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// A folder of the test's own, removed afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::string& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

Bytes ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);
// Bytes of a recognisable pattern, different for each seed.
Bytes Pattern(size_t length, unsigned seed = 0);

// Writes each entry's bytes to a source file and assembles a package behind
// a stub of stubSize bytes; returns the installer file's path.
std::filesystem::path MakePackage(const std::filesystem::path& folder,
                                  const std::vector<std::pair<std::string, Bytes>>& entries,
                                  const std::string& defaultDirectory = "c:\\Program Files\\Corvane Software",
                                  size_t stubSize = 1000);

// An open stream over bytes, for the package check.
File StreamOf(const Bytes& bytes);

}  // namespace setup_test
