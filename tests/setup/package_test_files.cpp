#include "package_test_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace setup_test {

namespace fs = std::filesystem;

fs::path MakePackage(const fs::path& folder, const std::vector<std::pair<std::string, Bytes>>& entries,
                     const std::string& defaultDirectory, size_t stubSize)
{
    fs::create_directories(folder / "sources");
    WriteBytes(folder / "stub.exe", Pattern(stubSize, 99));
    PackageManifest manifest;
    manifest.defaultDirectory = defaultDirectory;
    for (size_t i = 0; i < entries.size(); ++i) {
        fs::path source = folder / "sources" / ("entry" + std::to_string(i));
        WriteBytes(source, entries[i].second);
        manifest.entries.push_back({entries[i].first, source});
    }
    fs::path installer = folder / "setup.exe";
    std::string problem = AssemblePackage(folder / "stub.exe", manifest, installer);
    if (!problem.empty())
        throw std::runtime_error(problem);
    return installer;
}

File StreamOf(const Bytes& bytes)
{
    File file(tmpfile());
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), file.get());
    rewind(file.get());
    return file;
}

}  // namespace setup_test
