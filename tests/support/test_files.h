// What every test program needs of files: scratch folders, whole-file reads
// and writes, recognisable byte patterns, closers for stdio streams. One
// library for the native, setup and end-to-end tests alike.
#pragma once
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using Bytes = std::vector<unsigned char>;

// A folder of a test's own: emptied when made (a killed run may have left
// it), removed with everything in it when the object goes. Without a path it
// gets a name of its own under the system's temporary folder.
class ScratchFolder {
public:
    ScratchFolder();
    explicit ScratchFolder(const fs::path& path);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }
    // A path inside the folder, written in UTF-8 ("src/Café.txt").
    fs::path operator/(const std::string& relative) const { return path_ / fs::u8path(relative); }

private:
    fs::path path_;
};

// Whole files; a failure throws std::runtime_error naming the path. Writing
// makes the parent folders first.
Bytes ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const Bytes& bytes);
std::string ReadText(const fs::path& path);
void WriteText(const fs::path& path, const std::string& bytes);

// Bytes of a recognisable pattern, different for each seed.
Bytes Pattern(size_t length, unsigned seed = 0);

struct TestFileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using UniqueFile = std::unique_ptr<FILE, TestFileCloser>;
