#include "source_tree.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "build_error.h"
#include "cp1252.h"
#include "folder_listing.h"
#include "item_names.h"

namespace {

// Names the disc cannot hold are all collected, so that one message lists
// them, rather than one build naming each.
const size_t NAMES_LISTED = 20;
using NameProblems = std::vector<std::string>;

std::string FolderError(const fs::path& folder, const std::error_code& error)
{
    return "cannot read folder " + ShowPath(folder) + ": " + error.message();
}

SourceEntry DescribeEntry(const FolderEntry& item, size_t depth, bool wide, NameProblems& names)
{
    const fs::path& path = item.path;
    std::string utf8Name;
    SourceEntry entry{path, std::string(), depth, false, 0, item.modified};
    std::string problem = "the name is not valid Unicode";
    if (PathToUtf8(path.filename(), utf8Name))
        problem = wide ? ConvertWideItemName(utf8Name, entry.name) : ConvertItemName(utf8Name, entry.name);
    if (!problem.empty()) {
        names.push_back(ShowPath(path) + ": " + problem);
        entry.name = utf8Name.empty() ? path.filename().string() : utf8Name;
    }
    switch (item.kind) {
    case EntryKind::Link:
        throw BuildError("cannot store " + ShowPath(path) +
                         ": it is a symbolic link; copy the file or folder it points to instead");
    case EntryKind::Folder:
        entry.isFolder = true;
        return entry;
    case EntryKind::Other:
        throw BuildError("cannot store " + ShowPath(path) + ": it is not a regular file or folder");
    case EntryKind::File:
        break;
    }
    entry.size = item.size;
    if (!wide && entry.size > MAX_ITEM_SIZE)
        throw BuildError("cannot store " + ShowPath(path) + ": it has " + std::to_string(entry.size) +
                         " bytes; a disc without a password holds files of at most 4294967295 bytes "
                         "(4 GiB - 1); " + STRONG_DISC_HINT);
    return entry;
}

std::vector<SourceEntry> ReadFolder(const fs::path& folder, size_t depth, bool wide, NameProblems& names)
{
    std::vector<SourceEntry> entries;
    std::error_code error;
    for (const FolderEntry& item : ListFolder(folder, error))
        entries.push_back(DescribeEntry(item, depth, wide, names));
    if (error)
        throw BuildError(FolderError(folder, error));

    std::sort(entries.begin(), entries.end(),
              [](const SourceEntry& a, const SourceEntry& b) { return a.name < b.name; });
    // Windows would put both on one file when the disc is exported.
    std::map<std::string, const SourceEntry*> folded;
    for (const SourceEntry& entry : entries) {
        auto inserted = folded.emplace(FoldedItemName(entry.name, wide), &entry);
        if (!inserted.second)
            names.push_back("both " + ShowPath(inserted.first->second->path) + " and " + ShowPath(entry.path) +
                            (wide ? ": the names differ only in case or in how their letters are composed, "
                                    "which Windows and the disc do not tell apart"
                                  : ": Windows does not tell names apart that differ only in case"));
    }
    return entries;
}

void AddFolder(const fs::path& folder, size_t depth, bool wide, std::vector<SourceEntry>& items,
               NameProblems& names)
{
    for (SourceEntry& entry : ReadFolder(folder, depth, wide, names)) {
        bool isFolder = entry.isFolder;
        fs::path path = entry.path;
        items.push_back(std::move(entry));
        if (isFolder)
            AddFolder(path, depth + 1, wide, items, names);
    }
}

// One problem reads as it always has; more are listed, the first 20 of them.
std::string NamesMessage(const NameProblems& names)
{
    if (names.size() == 1)
        return "cannot store " + names[0];
    std::string text = "cannot store " + std::to_string(names.size()) + " names:";
    for (size_t i = 0; i < names.size() && i < NAMES_LISTED; ++i)
        text += "\n  " + names[i];
    if (names.size() > NAMES_LISTED)
        text += "\n  ... and " + std::to_string(names.size() - NAMES_LISTED) + " more";
    return text;
}

}  // namespace

std::vector<SourceEntry> ScanSourceTree(const fs::path& sourceDir, bool wide)
{
    std::vector<SourceEntry> items;
    NameProblems names;
    AddFolder(sourceDir, 0, wide, items, names);
    if (!names.empty())
        throw BuildError(NamesMessage(names));
    return items;
}
