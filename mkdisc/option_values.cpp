#include "option_values.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace {

std::vector<std::string> SplitAtCommas(const std::string& text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool ParseInteger(const std::string& text, bool allowHex, long long minimum, long long maximum,
                  long long& value)
{
    std::string digits = text;
    int base = 10;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    if (allowHex && digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.erase(0, 2);
    }
    if (digits.empty() || digits.size() > 20)
        return false;
    for (char c : digits) {
        if (base == 16 ? !IsHexDigit(c) : !(c >= '0' && c <= '9'))
            return false;
    }
    errno = 0;
    unsigned long long magnitude = strtoull(digits.c_str(), nullptr, base);
    if (errno == ERANGE || magnitude > 0x7FFFFFFFFFFFFFFFull)
        return false;
    long long result = negative ? -(long long)magnitude : (long long)magnitude;
    if (result < minimum || result > maximum)
        return false;
    value = result;
    return true;
}

bool ParseByte(const std::string& text, uint32_t& value)
{
    long long number = 0;
    if (text.empty() || text[0] == '-' || text[0] == '+' || !ParseInteger(text, false, 0, 255, number))
        return false;
    value = (uint32_t)number;
    return true;
}

bool ParseColourParts(const std::vector<std::string>& parts, size_t first, uint32_t& colorRef)
{
    uint32_t red, green, blue;
    if (!ParseByte(parts[first], red) || !ParseByte(parts[first + 1], green) ||
        !ParseByte(parts[first + 2], blue))
        return false;
    colorRef = red | green << 8 | blue << 16;
    return true;
}

bool ParseHexColour(const std::string& text, uint32_t& colorRef)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    for (size_t i = 1; i < 7; ++i) {
        if (!IsHexDigit(text[i]))
            return false;
    }
    uint32_t rgb = (uint32_t)strtoul(text.c_str() + 1, nullptr, 16);
    colorRef = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
    return true;
}

}  // namespace

bool ParseUnsigned32(const std::string& text, uint32_t& value)
{
    long long number = 0;
    if (text.empty() || text[0] == '-' || text[0] == '+' ||
        !ParseInteger(text, true, 0, 0xFFFFFFFFll, number))
        return false;
    value = (uint32_t)number;
    return true;
}

bool ParseSigned32(const std::string& text, int32_t& value)
{
    long long number = 0;
    if (!ParseInteger(text, false, INT32_MIN, INT32_MAX, number))
        return false;
    value = (int32_t)number;
    return true;
}

bool ParseColour(const std::string& text, uint32_t& colorRef)
{
    if (!text.empty() && text[0] == '#')
        return ParseHexColour(text, colorRef);
    std::vector<std::string> parts = SplitAtCommas(text);
    return parts.size() == 3 && ParseColourParts(parts, 0, colorRef);
}

bool ParsePoint(const std::string& text, int32_t& x, int32_t& y)
{
    std::vector<std::string> parts = SplitAtCommas(text);
    return parts.size() == 2 && ParseSigned32(parts[0], x) && ParseSigned32(parts[1], y);
}

bool ParseShadow(const std::string& text, uint32_t& colorRef, int32_t& dx, int32_t& dy)
{
    std::vector<std::string> parts = SplitAtCommas(text);
    if (parts.size() == 3 && !parts[0].empty() && parts[0][0] == '#')
        return ParseHexColour(parts[0], colorRef) && ParseSigned32(parts[1], dx) &&
               ParseSigned32(parts[2], dy);
    return parts.size() == 5 && ParseColourParts(parts, 0, colorRef) &&
           ParseSigned32(parts[3], dx) && ParseSigned32(parts[4], dy);
}
