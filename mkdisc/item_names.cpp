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

bool NfcText(const std::string& utf8, std::string& nfc)
{
    size_t length = 0;
    char* normal = NfcUtf8(utf8.data(), utf8.size(), &length);
    if (!normal)
        return false;
    nfc.assign(normal, length);
    memset(normal, 0, length);
    free(normal);
    return true;
}

std::string FoldedItemName(const std::string& name, bool wide)
{
    if (!wide)
        return FoldCaseCp1252(name);
    char* folded = FoldedUtf8(name.data(), name.size());
    std::string text = folded ? folded : name;
    free(folded);
    return text;
}

std::string ConvertWideItemName(const std::string& utf8Name, std::string& nfcName)
{
    std::string converted;
    if (!NfcText(utf8Name, converted))
        return "the name is not valid Unicode";
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
