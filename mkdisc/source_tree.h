// The source folder as the disc's items: depth-first, each folder followed by
// its contents, the entries of a folder sorted by their stored name bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "file_io.h"

const uint64_t MAX_ITEM_SIZE = 0xFFFFFFFFu;  // itemSize is 32-bit

struct SourceEntry {
    fs::path path;
    std::string name;   // CP1252, or UTF-8 in NFC (wide), checked
    size_t depth;       // 0 for the entries directly in the source folder
    bool isFolder;
    uint64_t size;      // files only
    uint64_t modified;  // Windows file time; 0 unknown
};

// Scans the folder; refuses (BuildError naming the entry) names the viewer
// cannot store or Windows cannot create, names that differ only in case,
// symbolic links and special files. wide: the names and sizes of a strong
// disc (any Unicode name, any size); else CP1252 names and files of at most
// 4 GiB - 1.
std::vector<SourceEntry> ScanSourceTree(const fs::path& sourceDir, bool wide = false);
