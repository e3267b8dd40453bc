#include "png_picture.h"

#include <cstring>
#include <memory>
#include <set>

#include "build_error.h"

// Debian's libstb-dev: the decoder only, and no file access of its own.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include "stb_image.h"

namespace {

const int MAX_SIDE = 16384;  // no screen is larger; a bomb of a file is refused
const uint64_t MAX_PNG_FILE = 256u << 20;

struct Rgb {
    unsigned char r, g, b;
};

Rgb FromColorRef(uint32_t color)
{
    return {(unsigned char)(color & 0xFF), (unsigned char)((color >> 8) & 0xFF), (unsigned char)((color >> 16) & 0xFF)};
}

uint32_t ToColorRef(Rgb c)
{
    return (uint32_t)c.r | (uint32_t)c.g << 8 | (uint32_t)c.b << 16;
}

void PutLe(std::vector<unsigned char>& out, size_t at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[at + (size_t)i] = (unsigned char)(value >> (8 * i));
}

// A key colour no opaque pixel has: magenta if it is free, else the first
// free one of a walk through the colours.
Rgb UnusedColor(const unsigned char* rgba, size_t pixels)
{
    std::set<uint32_t> used;
    for (size_t i = 0; i < pixels; ++i) {
        const unsigned char* p = rgba + 4 * i;
        if (p[3] >= 128)
            used.insert(ToColorRef({p[0], p[1], p[2]}));
    }
    for (uint32_t candidate = 0xFF00FF;; candidate = (candidate + 0x010307) & 0xFFFFFF) {
        if (!used.count(candidate))
            return FromColorRef(candidate);
    }
}

std::vector<unsigned char> BitmapFile(const std::vector<Rgb>& pixels, int width, int height)
{
    const size_t rowSize = ((size_t)width * 3 + 3) & ~(size_t)3;
    const size_t imageSize = rowSize * (size_t)height;
    std::vector<unsigned char> out(54 + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    PutLe(out, 2, (uint32_t)out.size(), 4);
    PutLe(out, 10, 54, 4);                // pixel data offset
    PutLe(out, 14, 40, 4);                // BITMAPINFOHEADER
    PutLe(out, 18, (uint32_t)width, 4);
    PutLe(out, 22, (uint32_t)height, 4);  // bottom-up rows
    PutLe(out, 26, 1, 2);                 // planes
    PutLe(out, 28, 24, 2);                // bits per pixel
    PutLe(out, 34, (uint32_t)imageSize, 4);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = out.data() + 54 + rowSize * (size_t)(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const Rgb& c = pixels[(size_t)y * (size_t)width + (size_t)x];
            row[3 * x] = c.b;
            row[3 * x + 1] = c.g;
            row[3 * x + 2] = c.r;
        }
    }
    return out;
}

}  // namespace

bool IsPngPicture(const fs::path& path)
{
    unsigned char start[8] = {};
    FilePtr file = OpenForReading(path, "image");
    return fread(start, 1, sizeof start, file.get()) == sizeof start &&
           memcmp(start, "\x89PNG\r\n\x1A\n", sizeof start) == 0;
}

namespace {

std::string PngProblemIn(const std::string& bytes, int& width, int& height)
{
    int channels = 0;
    if (!stbi_info_from_memory((const stbi_uc*)bytes.data(), (int)bytes.size(), &width, &height, &channels))
        return std::string("the PNG picture cannot be read (") + stbi_failure_reason() + ")";
    if (width > MAX_SIDE || height > MAX_SIDE)
        return "the picture is " + std::to_string(width) + " by " + std::to_string(height) +
               " pixels, larger than any screen";
    return std::string();
}

}  // namespace

std::string PngProblem(const fs::path& path)
{
    std::string bytes = ReadSmallFile(path, MAX_PNG_FILE, "image");
    int width = 0, height = 0;
    return PngProblemIn(bytes, width, height);
}

ConvertedPicture ConvertPng(const fs::path& path, const char* option, std::optional<uint32_t> keyColor,
                            std::optional<uint32_t> fillColor)
{
    std::string bytes = ReadSmallFile(path, MAX_PNG_FILE, option);
    int width = 0, height = 0, channels = 0;
    std::string problem = PngProblemIn(bytes, width, height);
    if (!problem.empty())
        throw BuildError(std::string(option) + " " + ShowPath(path) + ": " + problem);
    std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
        stbi_load_from_memory((const stbi_uc*)bytes.data(), (int)bytes.size(), &width, &height, &channels, 4),
        stbi_image_free);
    if (!rgba)
        throw BuildError(std::string(option) + " " + ShowPath(path) + ": the PNG picture cannot be read (" +
                         stbi_failure_reason() + ")");

    const size_t count = (size_t)width * (size_t)height;
    ConvertedPicture result;
    bool transparent = false;
    for (size_t i = 0; i < count && !transparent; ++i)
        transparent = rgba.get()[4 * i + 3] < 128;
    Rgb key = keyColor ? FromColorRef(*keyColor) : UnusedColor(rgba.get(), count);
    if (!fillColor && transparent)
        result.keyColor = ToColorRef(key);
    std::vector<Rgb> pixels(count);
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* p = rgba.get() + 4 * i;
        if (fillColor) {
            Rgb under = FromColorRef(*fillColor);
            auto blend = [&](unsigned char over, unsigned char back) {
                return (unsigned char)((over * p[3] + back * (255 - p[3]) + 127) / 255);
            };
            pixels[i] = {blend(p[0], under.r), blend(p[1], under.g), blend(p[2], under.b)};
        } else {
            pixels[i] = p[3] < 128 ? key : Rgb{p[0], p[1], p[2]};
        }
    }
    result.bmp = BitmapFile(pixels, width, height);
    return result;
}
