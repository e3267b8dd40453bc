// The entries of one folder, with what the scan needs to know of each, read
// in one pass. On Windows the folder is read through its \\?\ form, so that
// a folder deeper than MAX_PATH is read as it is: the C runtime's own reader
// cuts such a path short and then reads some other folder, or fails.
#pragma once
#include <cstdint>
#include <system_error>
#include <vector>

#include "file_io.h"

enum class EntryKind { File, Folder, Link, Other };

struct FolderEntry {
    fs::path path;  // the folder's path joined with the entry's name
    EntryKind kind;
    uint64_t size;  // files only
    uint64_t modified = 0;  // last written, as a Windows file time (100 ns since 1601, UTC)
};

// Every entry of folder but "." and "..", in the order the system gives them.
std::vector<FolderEntry> ListFolder(const fs::path& folder, std::error_code& error);

// The path in the form every Windows call takes at any length (\\?\C:\...,
// \\?\UNC\server\share\...) once it nears MAX_PATH; elsewhere unchanged.
fs::path LongPathForm(const fs::path& path);

// Gives a written file its modification time (a Windows file time); false
// when the system refuses.
bool SetFileModified(const fs::path& path, uint64_t fileTime);

#ifndef _WIN32
uint64_t UnixToFileTime(int64_t seconds, int64_t nanoseconds);
#endif
