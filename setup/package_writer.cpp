#include "package_writer.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "package_format.h"

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    return fields;
}

// Copies the whole of source to the end of out; the byte count in copied.
bool AppendFile(const fs::path& source, FILE* out, uint64_t* copied)
{
    File in(fopen(source.string().c_str(), "rb"));
    if (!in)
        return false;
    std::vector<char> buffer(1 << 20);
    *copied = 0;
    size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), in.get())) > 0) {
        if (fwrite(buffer.data(), 1, got, out) != got)
            return false;
        *copied += got;
    }
    return !ferror(in.get());
}

// The informational source path: the whole absolute path when it fits,
// otherwise its end behind "...".
void SetSourcePath(PackageEntryHeader* header, const fs::path& source)
{
    std::error_code error;
    std::string text = fs::absolute(source, error).string();
    if (error)
        text = source.string();
    const size_t room = sizeof header->sourcePath - 1;
    if (text.size() > room)
        text = "..." + text.substr(text.size() - (room - 3));
    memcpy(header->sourcePath, text.data(), text.size());
}

std::string WriteEntry(FILE* out, const PackageEntrySource& entry)
{
    std::error_code error;
    uint64_t size = fs::file_size(entry.source, error);
    if (error)
        return "cannot read " + entry.source.string() + ": " + error.message();
    if (size > 0xFFFFFFFFull)
        return entry.source.string() + " is larger than a package entry can hold (4 GiB - 1)";

    PackageEntryHeader header{};
    header.dataSize = (uint32_t)size;
    SetSourcePath(&header, entry.source);
    memcpy(header.destination, entry.destination.data(), entry.destination.size());
    if (fwrite(&header, sizeof header, 1, out) != 1)
        return "cannot write the package";
    uint64_t copied = 0;
    if (!AppendFile(entry.source, out, &copied))
        return "cannot copy " + entry.source.string() + " into the package";
    if (copied != size)
        return entry.source.string() + " changed while it was copied";
    return {};
}

std::string CheckManifest(const PackageManifest& manifest)
{
    if (manifest.defaultDirectory.empty() ||
        manifest.defaultDirectory.size() >= sizeof PackageTrailer{}.defaultDirectory)
        return "the default directory must have 1 to 255 characters";
    for (const PackageEntrySource& entry : manifest.entries) {
        char field[PACKAGE_TEXT_SIZE] = {};
        if (entry.destination.size() >= sizeof field)
            return "destination too long: " + entry.destination;
        memcpy(field, entry.destination.data(), entry.destination.size());
        if (!IsValidDestination(field))
            return "not a valid destination (prefix ROOT, HELP, IMAGES, WINSYS or WINDIR, then "
                   "\\ and plain names): " + entry.destination;
    }
    return {};
}

// The installer's own check of the finished file.
bool PackagePassesCheck(const fs::path& file, uint32_t entryCount)
{
    File in(fopen(file.string().c_str(), "rb"));
    PackageTrailer trailer;
    PackageSummary summary;
    return in && CheckPackage(in.get(), "C:\\Windows\\system32", "C:\\Windows", &trailer, &summary) &&
           summary.entryCount == entryCount;
}

}  // namespace

std::string ReadManifest(const fs::path& manifestPath, PackageManifest* manifest)
{
    std::ifstream in(manifestPath);
    if (!in)
        return "cannot read " + manifestPath.string();
    const fs::path base = manifestPath.parent_path();
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields = SplitTabs(line);
        std::string where = manifestPath.string() + ":" + std::to_string(number) + ": ";
        if (fields[0] == "default-directory" && fields.size() == 2)
            manifest->defaultDirectory = fields[1];
        else if (fields[0] == "entry" && fields.size() == 3)
            manifest->entries.push_back({fields[1], base / fields[2]});
        else
            return where + "expected 'default-directory<TAB>DIR' or 'entry<TAB>DESTINATION<TAB>FILE'";
    }
    return {};
}

std::string AssemblePackage(const fs::path& stub, const PackageManifest& manifest, const fs::path& output)
{
    std::string problem = CheckManifest(manifest);
    if (!problem.empty())
        return problem;
    std::error_code error;
    uint64_t stubSize = fs::file_size(stub, error);
    if (error)
        return "cannot read " + stub.string() + ": " + error.message();
    if (stubSize > 0xFFFFFFFFull)
        return stub.string() + " is too large for a 32-bit entry offset";

    fs::path partial = output;
    partial += ".partial";
    {
        File out(fopen(partial.string().c_str(), "wb"));
        if (!out)
            return "cannot create " + partial.string();
        uint64_t copied = 0;
        if (!AppendFile(stub, out.get(), &copied) || copied != stubSize)
            problem = "cannot copy " + stub.string();
        for (const PackageEntrySource& entry : manifest.entries) {
            if (problem.empty())
                problem = WriteEntry(out.get(), entry);
        }
        PackageTrailer trailer{};
        trailer.magic = PACKAGE_MAGIC;
        trailer.entryCount = (uint32_t)manifest.entries.size();
        trailer.firstEntryOffset = (uint32_t)stubSize;
        memcpy(trailer.defaultDirectory, manifest.defaultDirectory.data(), manifest.defaultDirectory.size());
        if (problem.empty() && fwrite(&trailer, sizeof trailer, 1, out.get()) != 1)
            problem = "cannot write the package trailer";
        if (fclose(out.release()) != 0 && problem.empty())
            problem = "cannot write " + partial.string();
    }
    if (problem.empty() && !PackagePassesCheck(partial, (uint32_t)manifest.entries.size()))
        problem = "the written package does not pass the installer's check";
    if (problem.empty()) {
        // An installer is a program: it keeps the stub's permissions.
        fs::permissions(partial, fs::status(stub).permissions(), error);
        fs::rename(partial, output, error);
        if (error)
            problem = "cannot rename " + partial.string() + " to " + output.string() + ": " + error.message();
    }
    if (!problem.empty())
        fs::remove(partial, error);
    return problem;
}
