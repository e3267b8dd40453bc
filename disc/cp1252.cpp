#include "cp1252.h"

#include <cstdint>

namespace {

// Code points of CP1252 bytes 0x80-0x9F; 0 marks the five unassigned bytes.
const char32_t HIGH_CONTROL_RANGE[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Decodes one UTF-8 sequence at text[at]; returns its length, or 0 when it is
// malformed (truncated, overlong, a surrogate or beyond U+10FFFF).
size_t DecodeUtf8(const std::string& text, size_t at, char32_t& codePoint)
{
    unsigned char lead = (unsigned char)text[at];
    size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - at < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = (unsigned char)text[at + i];
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

// The CP1252 byte of a code point, or -1 when there is none. U+0080-U+009F are
// C1 controls, not the characters CP1252 keeps at those bytes.
int Cp1252Byte(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return (int)codePoint;
    for (int i = 0; i < 32; ++i) {
        if (HIGH_CONTROL_RANGE[i] != 0 && HIGH_CONTROL_RANGE[i] == codePoint)
            return 0x80 + i;
    }
    return -1;
}

}  // namespace

bool Utf8ToCp1252(const std::string& utf8, std::string& cp1252, size_t* badOffset)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        char32_t codePoint = 0;
        size_t length = DecodeUtf8(utf8, at, codePoint);
        int byte = length ? Cp1252Byte(codePoint) : -1;
        if (byte < 0) {
            if (badOffset)
                *badOffset = at;
            return false;
        }
        out.push_back((char)byte);
        at += length;
    }
    cp1252 = std::move(out);
    return true;
}

std::string Cp1252ToUtf8(const std::string& cp1252)
{
    std::string utf8;
    for (char c : cp1252) {
        unsigned char b = (unsigned char)c;
        char32_t codePoint = b;
        if (b >= 0x80 && b <= 0x9F)
            codePoint = HIGH_CONTROL_RANGE[b - 0x80] ? HIGH_CONTROL_RANGE[b - 0x80] : 0xFFFD;
        if (codePoint < 0x80) {
            utf8.push_back((char)codePoint);
        } else if (codePoint < 0x800) {
            utf8.push_back((char)(0xC0 | (codePoint >> 6)));
            utf8.push_back((char)(0x80 | (codePoint & 0x3F)));
        } else {
            utf8.push_back((char)(0xE0 | (codePoint >> 12)));
            utf8.push_back((char)(0x80 | ((codePoint >> 6) & 0x3F)));
            utf8.push_back((char)(0x80 | (codePoint & 0x3F)));
        }
    }
    return utf8;
}

std::string FoldCaseCp1252(const std::string& cp1252)
{
    std::string folded = cp1252;
    for (char& c : folded) {
        unsigned char b = (unsigned char)c;
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            b += 0x20;
        else if (b == 0x8A || b == 0x8C || b == 0x8E)  // Š Œ Ž
            b += 0x10;
        else if (b == 0x9F)  // Ÿ
            b = 0xFF;
        c = (char)b;
    }
    return folded;
}
