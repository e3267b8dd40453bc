// Files through C streams opened by std::filesystem paths (wide on Windows, so
// non-ASCII names work), with every failure turned into a BuildError.
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

// A path as UTF-8 text, for messages and for names taken from the disk.
// Returns false when the path cannot be written as UTF-8 (a broken name on
// Windows); text then holds a readable approximation.
bool PathToUtf8(const fs::path& path, std::string& text);
std::string ShowPath(const fs::path& path);  // quoted, for messages

fs::path PathFromUtf8(const std::string& text);

FilePtr OpenForReading(const fs::path& path, const char* what);
FilePtr OpenForWriting(const fs::path& path);

// Flushes and closes a written file; a failure here means lost data.
void FinishWriting(FilePtr& file, const fs::path& path);

// Positions a stream anywhere in a large file, also where long is 32-bit.
bool SeekTo(FILE* file, uint64_t offset);

void WriteBytes(FILE* file, const void* data, size_t size, const fs::path& path);

// Reads a whole file of at most maxSize bytes.
std::string ReadSmallFile(const fs::path& path, uint64_t maxSize, const char* what);

// Size of a regular file; refuses anything else.
uint64_t RegularFileSize(const fs::path& path, const char* what);

// Copies exactly size bytes of source into destination, each byte XORed with
// the key's combined value; a source that is shorter or longer than size
// (it changed since it was measured) is refused. With copied given, the copy
// goes in slices and copied(bytes) follows each one; it may throw to stop.
void CopyScrambled(const fs::path& source, uint64_t size, FILE* destination,
                   const fs::path& destinationPath, const char* key,
                   const std::function<void(uint64_t bytes)>& copied = nullptr);
