#include "item_names.h"

#include <cstdlib>
#include <cstring>

#include "cp1252.h"
#include "item_records.h"
#include "path_text.h"
#include "unicode_text.h"

const char* const STRONG_DISC_HINT = "a strong disc (--protection strong, with a password) holds any name and any size";

std::string WindowsNameProblem(const std::string& cp1252Name)
{
    if (cp1252Name.empty())
        return "the name is empty";
    if (cp1252Name.size() > ITEM_NAME_MAX)
        return "the name is longer than 254 bytes in code page 1252";
    for (unsigned char c : cp1252Name) {
        if (c >= 32 && strchr("\\/:*?\"<>|", c))
            return std::string("the name contains '") + (char)c +
                   "', which Windows does not allow in file names";
    }
    // The viewer refuses the same names when it writes a file.
    const char* problem = FileNameProblem(cp1252Name.c_str());
    return problem ? problem : std::string();
}

std::string ConvertItemName(const std::string& utf8Name, std::string& cp1252Name)
{
    std::string converted;
    if (!Utf8ToCp1252(utf8Name, converted))
        return std::string("the name has a character that code page 1252 cannot hold; ") + STRONG_DISC_HINT;
    std::string problem = WindowsNameProblem(converted);
    if (problem.empty())
        cp1252Name = converted;
    return problem;
}

std::string ConvertWideItemName(const std::string& utf8Name, std::string& nfcName)
{
    size_t length = 0;
    char* normal = NfcUtf8(utf8Name.data(), utf8Name.size(), &length);
    if (!normal)
        return "the name is not valid Unicode";
    std::string converted(normal, length);
    free(normal);
    if (converted.empty())
        return "the name is empty";
    // Windows names are at most 255 UTF-16 units: one per character below
    // U+10000 (up to three UTF-8 bytes), two for those above (four bytes).
    size_t units = 0;
    for (unsigned char c : converted)
        units += (c & 0xC0) != 0x80 ? (c >= 0xF0 ? 2 : 1) : 0;
    if (units > 255 || converted.size() > ITEM_WIDE_NAME_MAX)
        return "the name is longer than the 255 characters Windows allows";
    const char* problem = FileNameProblem(converted.c_str());
    if (problem)
        return problem;
    nfcName = converted;
    return std::string();
}
