#include "layout_bytes.h"

#include <stdexcept>

namespace e2e {

static size_t TrailerAt(const Bytes& viewer)
{
    if (viewer.size() < kTrailerSize)
        throw std::runtime_error("viewer file shorter than a trailer");
    return viewer.size() - kTrailerSize;
}

uint32_t TrailerValue(const Bytes& viewer, TrailerField field)
{
    size_t at = TrailerAt(viewer) + field;
    return (uint32_t)viewer[at] | (uint32_t)viewer[at + 1] << 8 | (uint32_t)viewer[at + 2] << 16 |
           (uint32_t)viewer[at + 3] << 24;
}

void SetTrailerValue(Bytes& viewer, TrailerField field, uint32_t value)
{
    size_t at = TrailerAt(viewer) + field;
    for (int i = 0; i < 4; ++i)
        viewer[at + i] = (unsigned char)(value >> (8 * i));
}

static unsigned char HeaderScrambleValue()
{
    unsigned char value = 0;
    for (char c : std::string("Arcseal-Layout-3.2"))
        value ^= (unsigned char)c;
    return value;
}

// The header follows the item table and the licence text.
static size_t HeaderAt(const Bytes& viewer)
{
    size_t at = (size_t)TrailerValue(viewer, kLayoutStart) + TrailerValue(viewer, kItemTableSize) +
                TrailerValue(viewer, kEulaSize);
    if (at + kHeaderSize > TrailerAt(viewer))
        throw std::runtime_error("trailer points the header past the end of the file");
    return at;
}

std::string HeaderTextField(const Bytes& viewer, HeaderText field)
{
    size_t at = HeaderAt(viewer) + field;
    std::string text;
    for (size_t i = 0; i < kHeaderTextWidth; ++i) {
        char c = (char)(viewer[at + i] ^ HeaderScrambleValue());
        if (c == 0)
            break;
        text += c;
    }
    return text;
}

void SetHeaderTextField(Bytes& viewer, HeaderText field, const std::string& text)
{
    if (text.size() >= kHeaderTextWidth)
        throw std::runtime_error("header text too long");
    size_t at = HeaderAt(viewer) + field;
    for (size_t i = 0; i < kHeaderTextWidth; ++i) {
        unsigned char plain = i < text.size() ? (unsigned char)text[i] : 0;
        viewer[at + i] = plain ^ HeaderScrambleValue();
    }
}

}  // namespace e2e
