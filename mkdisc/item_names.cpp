#include "item_names.h"

#include <cstring>

#include "cp1252.h"
#include "item_records.h"

namespace {

std::string UpperAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
    }
    return text;
}

// Windows opens the device instead of a file for these base names, whatever
// the extension; COM0/LPT0 and the superscript digits are reserved as well.
bool IsReservedDeviceName(const std::string& cp1252Name)
{
    std::string base = cp1252Name.substr(0, cp1252Name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    base = UpperAscii(base);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0)) {
        unsigned char digit = (unsigned char)base[3];
        return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

}  // namespace

std::string WindowsNameProblem(const std::string& cp1252Name)
{
    if (cp1252Name.empty())
        return "the name is empty";
    if (cp1252Name.size() > ITEM_NAME_MAX)
        return "the name is longer than 254 bytes in code page 1252";
    for (unsigned char c : cp1252Name) {
        if (c < 32)
            return "the name contains a control character";
        if (strchr("\\/:*?\"<>|", c))
            return std::string("the name contains '") + (char)c +
                   "', which Windows does not allow in file names";
    }
    char last = cp1252Name.back();
    if (last == '.' || last == ' ')
        return "the name ends with a dot or a space, which Windows cannot create";
    if (IsReservedDeviceName(cp1252Name))
        return "the name is a device name reserved by Windows";
    return std::string();
}

std::string ConvertItemName(const std::string& utf8Name, std::string& cp1252Name)
{
    std::string converted;
    if (!Utf8ToCp1252(utf8Name, converted))
        return "the name has a character that code page 1252 cannot hold";
    std::string problem = WindowsNameProblem(converted);
    if (problem.empty())
        cp1252Name = converted;
    return problem;
}
