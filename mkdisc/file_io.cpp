#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "build_error.h"
#include "copy_descrambled.h"
#include "folder_listing.h"

namespace {

std::string SystemReason()
{
    return std::generic_category().message(errno);
}

}  // namespace

bool PathToUtf8(const fs::path& path, std::string& text)
{
#ifdef _WIN32
    const std::wstring& wide = path.native();
    if (wide.empty()) {
        text.clear();
        return true;
    }
    int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), (int)wide.size(),
                                     nullptr, 0, nullptr, nullptr);
    bool valid = length > 0;
    if (!valid)
        length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), nullptr, 0,
                                     nullptr, nullptr);
    text.assign((size_t)(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &text[0], length, nullptr,
                            nullptr);
    return valid;
#else
    text = path.native();
    return true;
#endif
}

std::string ShowPath(const fs::path& path)
{
    std::string text;
    PathToUtf8(path, text);
    return "\"" + text + "\"";
}

fs::path PathFromUtf8(const std::string& text)
{
    return fs::u8path(text);
}

static FILE* OpenStream(const fs::path& path, const char* mode)
{
#ifdef _WIN32
    std::wstring wideMode(mode, mode + strlen(mode));
    return _wfopen(LongPathForm(path).c_str(), wideMode.c_str());
#else
    return fopen(path.c_str(), mode);
#endif
}

FilePtr OpenForReading(const fs::path& path, const char* what)
{
    FilePtr file(OpenStream(path, "rb"));
    if (!file)
        throw BuildError("cannot open " + std::string(what) + " " + ShowPath(path) + ": " +
                         SystemReason());
    return file;
}

FilePtr OpenForWriting(const fs::path& path)
{
    FilePtr file(OpenStream(path, "wb"));
    if (!file)
        throw BuildError("cannot create " + ShowPath(path) + ": " + SystemReason());
    return file;
}

void FinishWriting(FilePtr& file, const fs::path& path)
{
    FILE* stream = file.release();
    bool failed = ferror(stream) != 0;
    if (fclose(stream) != 0 || failed)
        throw BuildError("cannot write " + ShowPath(path) + ": " + SystemReason());
}

bool SeekTo(FILE* file, uint64_t offset)
{
#ifdef _WIN32
    return _fseeki64(file, (__int64)offset, SEEK_SET) == 0;
#else
    return fseeko(file, (off_t)offset, SEEK_SET) == 0;
#endif
}

void WriteBytes(FILE* file, const void* data, size_t size, const fs::path& path)
{
    if (size > 0 && fwrite(data, 1, size, file) != size)
        throw BuildError("cannot write " + ShowPath(path) + ": " + SystemReason());
}

uint64_t RegularFileSize(const fs::path& path, const char* what)
{
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error)
        throw BuildError("cannot read " + std::string(what) + " " + ShowPath(path) + ": " +
                         error.message());
    if (!fs::is_regular_file(status))
        throw BuildError(std::string(what) + " " + ShowPath(path) + " is not a file");
    uint64_t size = fs::file_size(path, error);
    if (error)
        throw BuildError("cannot read " + std::string(what) + " " + ShowPath(path) + ": " +
                         error.message());
    return size;
}

std::string ReadSmallFile(const fs::path& path, uint64_t maxSize, const char* what)
{
    uint64_t size = RegularFileSize(path, what);
    if (size > maxSize)
        throw BuildError(std::string(what) + " " + ShowPath(path) + " is larger than " +
                         std::to_string(maxSize) + " bytes");
    FilePtr file = OpenForReading(path, what);
    std::string contents((size_t)size, '\0');
    if (size > 0 && fread(&contents[0], 1, (size_t)size, file.get()) != size)
        throw BuildError("cannot read " + std::string(what) + " " + ShowPath(path));
    if (fgetc(file.get()) != EOF)
        throw BuildError(std::string(what) + " " + ShowPath(path) + " changed while being read");
    return contents;
}

void CopyScrambled(const fs::path& source, uint64_t size, FILE* destination,
                   const fs::path& destinationPath, const char* key,
                   const std::function<void(uint64_t bytes)>& copied)
{
    // Items and sections record 32-bit sizes; callers refuse larger files first.
    if (size > 0xFFFFFFFFu)
        throw BuildError(ShowPath(source) + " is larger than 4294967295 bytes");
    FilePtr input = OpenForReading(source, "file");
    // Slices small enough for a progress bar to move and Cancel to answer soon.
    const uint32_t slice = copied ? 4u * COPY_PIECE_SIZE : (uint32_t)size;
    uint32_t left = (uint32_t)size;
    do {
        uint32_t length = left < slice ? left : slice;
        if (!CopyDescrambled(key, destination, input.get(), length)) {
            if (ferror(destination))
                throw BuildError("cannot write " + ShowPath(destinationPath) + ": " + SystemReason());
            if (feof(input.get()))
                throw BuildError(ShowPath(source) + " became shorter while the disc was built");
            throw BuildError("cannot read " + ShowPath(source) + ": " + SystemReason());
        }
        left -= length;
        if (copied)
            copied(length);
    } while (left > 0);
    if (fgetc(input.get()) != EOF)
        throw BuildError(ShowPath(source) + " grew while the disc was built");
}
