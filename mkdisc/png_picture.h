// PNG pictures for the splash screen. The viewer shows BMP, JPEG and GIF, so
// a PNG background or logo is turned into a BMP while the disc is built:
// transparent pixels of a background take the splash's background colour, and
// those of a logo its transparent key colour (the author's, or one the
// picture does not use).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "file_io.h"

// 1 when the bytes start like a PNG file.
bool IsPngPicture(const fs::path& path);

// Why the PNG at path cannot go onto a disc (it cannot be decoded, or is larger
// than any screen), else an empty text.
std::string PngProblem(const fs::path& path);

struct ConvertedPicture {
    std::vector<unsigned char> bmp;     // a 24-bit Windows bitmap file
    std::optional<uint32_t> keyColor;   // COLORREF of the transparent pixels, when there were any
};

// Decodes the PNG at path (refused with BuildError naming option when it
// cannot be read or is larger than any screen). Pixels less than half
// opaque become keyColor when given, else a colour the picture does not use
// (the key is then in the result); with fillColor instead, transparency is
// blended over it.
ConvertedPicture ConvertPng(const fs::path& path, const char* option, std::optional<uint32_t> keyColor,
                            std::optional<uint32_t> fillColor);
