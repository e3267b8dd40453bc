#include "file_compare.h"

#include <windows.h>

#include <fstream>
#include <vector>

namespace e2e {

namespace fs = std::filesystem;

std::string ToUtf8(const std::wstring& text)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8(length > 0 ? length : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

fs::path FromUtf8(const std::string& relative)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, relative.data(), (int)relative.size(), nullptr, 0);
    std::wstring wide(length > 0 ? length : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, relative.data(), (int)relative.size(), wide.data(), length);
    return fs::path(wide).make_preferred();
}

std::set<std::string> TreeShape(const fs::path& root)
{
    std::set<std::string> shape;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        std::string relative = ToUtf8(it->path().lexically_relative(root).generic_wstring());
        shape.insert(it->is_directory() ? relative + "/" : relative);
    }
    return shape;
}

std::optional<std::string> FileDifference(const fs::path& expected, const fs::path& actual)
{
    std::error_code error;
    if (!fs::is_regular_file(actual, error))
        return "missing: " + ToUtf8(actual.wstring());
    const uintmax_t expectedSize = fs::file_size(expected);
    const uintmax_t actualSize = fs::file_size(actual);
    if (expectedSize != actualSize)
        return ToUtf8(actual.wstring()) + " has " + std::to_string(actualSize) + " bytes, expected " +
               std::to_string(expectedSize);
    std::ifstream a(expected, std::ios::binary);
    std::ifstream b(actual, std::ios::binary);
    std::vector<char> left(1 << 20), right(1 << 20);
    uintmax_t offset = 0;
    while (offset < expectedSize) {
        a.read(left.data(), (std::streamsize)left.size());
        b.read(right.data(), (std::streamsize)right.size());
        const std::streamsize got = a.gcount();
        if (got <= 0 || b.gcount() != got)
            return "cannot read " + ToUtf8(actual.wstring()) + " in full";
        for (std::streamsize i = 0; i < got; ++i) {
            if (left[i] != right[i])
                return ToUtf8(actual.wstring()) + " differs first at byte " + std::to_string(offset + i);
        }
        offset += (uintmax_t)got;
    }
    return std::nullopt;
}

}  // namespace e2e
