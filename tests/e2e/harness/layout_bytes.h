// Direct edits of a built viewer file's appended layout, for damage that the
// disc builder never produces: a trailer's sizes and the scrambled header's
// fields. The offsets are those of the layout format; the header is scrambled
// by XOR of every byte with one value, the XOR of the layout key's characters.
#pragma once
#include <cstdint>
#include <string>

#include "files.h"

namespace e2e {

constexpr size_t kTrailerSize = 40;
constexpr size_t kHeaderSize = 4636;

// Trailer fields, as byte offsets inside the 40-byte trailer.
enum TrailerField : size_t {
    kLayoutStart = 0,
    kItemTableSize = 4,
    kItemCount = 8,
    kEulaSize = 12,
    kHeaderSizeField = 16,
    kBackImageSize = 20,
    kLogoImageSize = 24,
    kFontSize = 28,
    kMagic = 36,
};

// Header text fields (fixed-width, NUL-terminated), as byte offsets in the header.
enum HeaderText : size_t {
    kFontFileName = 60,
    kFontFaceName = 315,
    kBackImageName = 570,
    kSplashText = 1080,  // wider than the others; only its first 255 bytes are set here
};
constexpr size_t kHeaderTextWidth = 255;

uint32_t TrailerValue(const Bytes& viewer, TrailerField field);
void SetTrailerValue(Bytes& viewer, TrailerField field, uint32_t value);

// Reads and replaces a text field of the scrambled header in place.
std::string HeaderTextField(const Bytes& viewer, HeaderText field);
void SetHeaderTextField(Bytes& viewer, HeaderText field, const std::string& text);

}  // namespace e2e
