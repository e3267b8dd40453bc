#include "source_tree.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "build_error.h"
#include "cp1252.h"
#include "item_names.h"

namespace {

std::string FolderError(const fs::path& folder, const std::error_code& error)
{
    return "cannot read folder " + ShowPath(folder) + ": " + error.message();
}

SourceEntry DescribeEntry(const fs::directory_entry& item, size_t depth)
{
    const fs::path& path = item.path();
    std::string utf8Name;
    if (!PathToUtf8(path.filename(), utf8Name))
        throw BuildError("cannot store " + ShowPath(path) + ": the name is not valid Unicode");
    SourceEntry entry{path, std::string(), depth, false, 0};
    std::string problem = ConvertItemName(utf8Name, entry.name);
    if (!problem.empty())
        throw BuildError("cannot store " + ShowPath(path) + ": " + problem);

    std::error_code error;
    fs::file_status status = item.symlink_status(error);
    if (error)
        throw BuildError("cannot read " + ShowPath(path) + ": " + error.message());
    if (fs::is_symlink(status))
        throw BuildError("cannot store " + ShowPath(path) +
                         ": it is a symbolic link; copy the file or folder it points to instead");
    if (fs::is_directory(status)) {
        entry.isFolder = true;
        return entry;
    }
    if (!fs::is_regular_file(status))
        throw BuildError("cannot store " + ShowPath(path) + ": it is not a regular file or folder");
    entry.size = item.file_size(error);
    if (error)
        throw BuildError("cannot read " + ShowPath(path) + ": " + error.message());
    if (entry.size > MAX_ITEM_SIZE)
        throw BuildError("cannot store " + ShowPath(path) + ": it has " +
                         std::to_string(entry.size) +
                         " bytes; a disc holds files of at most 4294967295 bytes (4 GiB - 1)");
    return entry;
}

std::vector<SourceEntry> ReadFolder(const fs::path& folder, size_t depth)
{
    std::vector<SourceEntry> entries;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        throw BuildError(FolderError(folder, error));
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            throw BuildError(FolderError(folder, error));
        entries.push_back(DescribeEntry(*it, depth));
    }
    if (error)
        throw BuildError(FolderError(folder, error));

    std::sort(entries.begin(), entries.end(),
              [](const SourceEntry& a, const SourceEntry& b) { return a.name < b.name; });
    // Windows would put both on one file when the disc is exported.
    std::map<std::string, const SourceEntry*> folded;
    for (const SourceEntry& entry : entries) {
        auto inserted = folded.emplace(FoldCaseCp1252(entry.name), &entry);
        if (!inserted.second)
            throw BuildError("cannot store both " + ShowPath(inserted.first->second->path) +
                             " and " + ShowPath(entry.path) +
                             ": Windows does not tell names apart that differ only in case");
    }
    return entries;
}

void AddFolder(const fs::path& folder, size_t depth, std::vector<SourceEntry>& items)
{
    for (SourceEntry& entry : ReadFolder(folder, depth)) {
        bool isFolder = entry.isFolder;
        fs::path path = entry.path;
        items.push_back(std::move(entry));
        if (isFolder)
            AddFolder(path, depth + 1, items);
    }
}

}  // namespace

std::vector<SourceEntry> ScanSourceTree(const fs::path& sourceDir)
{
    std::vector<SourceEntry> items;
    AddFolder(sourceDir, 0, items);
    return items;
}
