#include "autorun_file.h"

#include <cstdint>

std::string AutorunText(const std::string& viewerName, const std::string& label)
{
    // Windows reads the file as ANSI text with CR LF line ends; the label is
    // already CP1252 and holds no control characters (it is an item name).
    return "[autorun]\r\n"
           "open=" + viewerName + "\r\n"
           "icon=" + viewerName + ",0\r\n"
           "label=" + label + "\r\n";
}

// UTF-16LE with its byte-order mark, which Windows reads as well: the title
// of a strong disc may hold what no code page does.
static std::string Utf16Text(const std::string& utf8)
{
    std::string out = "\xFF\xFE";
    auto unit = [&out](uint32_t u) {
        out += (char)(u & 0xFF);
        out += (char)(u >> 8);
    };
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = (unsigned char)utf8[i];
        size_t more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        uint32_t code = more ? c & (0x3F >> more) : c;
        for (size_t k = 1; k <= more && i + k < utf8.size(); ++k)
            code = code << 6 | ((unsigned char)utf8[i + k] & 0x3F);
        i += more + 1;
        if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
    }
    return out;
}

void WriteAutorunFile(const fs::path& path, const std::string& viewerName, const std::string& label,
                      bool utf8Label)
{
    std::string text = AutorunText(viewerName, label);
    if (utf8Label)
        text = Utf16Text(text);
    FilePtr file = OpenForWriting(path);
    WriteBytes(file.get(), text.data(), text.size(), path);
    FinishWriting(file, path);
}
