#include "test_files.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

ScratchFolder::ScratchFolder()
{
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    path_ = fs::temp_directory_path() / ("arcseal-test-" + std::to_string(device()) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

ScratchFolder::ScratchFolder(const fs::path& path) : path_(path)
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& bytes)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), (std::streamsize)bytes.size());
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

Bytes ReadBytes(const fs::path& path)
{
    std::string text = ReadText(path);
    return Bytes(text.begin(), text.end());
}

void WriteBytes(const fs::path& path, const Bytes& bytes)
{
    WriteText(path, std::string(bytes.begin(), bytes.end()));
}

Bytes Pattern(size_t length, unsigned seed)
{
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = (unsigned char)((i * 7 + seed * 31 + (i >> 11)) & 0xFF);
    return bytes;
}
