#include "image_types.h"

#include <cstring>

#include "build_error.h"
#include "png_picture.h"

namespace {

enum class ImageType { Bmp, Jpeg, Gif, Png, Other };

ImageType TypeOf(const unsigned char* start, size_t length)
{
    auto startsWith = [&](const char* magic, size_t size) {
        return length >= size && memcmp(start, magic, size) == 0;
    };
    if (startsWith("BM", 2))
        return ImageType::Bmp;
    if (startsWith("\xFF\xD8\xFF", 3))
        return ImageType::Jpeg;
    if (startsWith("GIF87a", 6) || startsWith("GIF89a", 6))
        return ImageType::Gif;
    if (startsWith("\x89PNG", 4))
        return ImageType::Png;
    return ImageType::Other;
}

const char* TypeName(ImageType type)
{
    switch (type) {
    case ImageType::Jpeg:
        return "a JPEG picture";
    case ImageType::Gif:
        return "a GIF picture";
    case ImageType::Png:
        return "a PNG picture";
    default:
        return "not a BMP picture";
    }
}

}  // namespace

std::string ImageProblem(const fs::path& path)
{
    unsigned char start[8] = {};
    size_t length = 0;
    {
        FilePtr file = OpenForReading(path, "image");
        length = fread(start, 1, sizeof start, file.get());
    }
    ImageType type = TypeOf(start, length);
    // A PNG goes onto the disc as a bitmap named .bmp, whatever its own name.
    if (type == ImageType::Png)
        return PngProblem(path);
    std::string name;
    PathToUtf8(path.filename(), name);
    bool loadedAsBitmap = !name.empty() && (name.back() == 'p' || name.back() == 'P');
    if (loadedAsBitmap && type != ImageType::Bmp)
        return std::string("the viewer loads a file whose name ends in \"") + name.back() +
               "\" as a BMP picture, and this is " + TypeName(type) + "; give it its proper extension";
    if (type == ImageType::Other)
        return "the file is not a BMP, JPEG, GIF or PNG picture, the kinds a disc can show";
    return std::string();
}
