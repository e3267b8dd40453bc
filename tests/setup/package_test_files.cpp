#include "package_test_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace setup_test {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& name) : path_(fs::temp_directory_path() / ("arcseal-setup-" + name))
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    fs::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

Bytes Pattern(size_t length, unsigned seed)
{
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = (unsigned char)((i * 7 + seed * 31 + (i >> 11)) & 0xFF);
    return bytes;
}

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
