#include "layout_inputs.h"

#include "build_error.h"
#include "image_types.h"
#include "item_names.h"
#include "png_picture.h"
#include "windows_text.h"

namespace {

const uint64_t SPLASH_FILE_MAX = 65536;  // far above what fits the header field

// Sections record 32-bit sizes, and an empty image or font is surely a mistake.
SectionFile CheckSectionFile(const std::string& utf8Path, const char* option, std::string& name)
{
    SectionFile file;
    file.path = PathFromUtf8(utf8Path);
    file.size = RegularFileSize(file.path, option);
    if (file.size == 0)
        throw BuildError(std::string(option) + " " + ShowPath(file.path) + " is empty");
    if (file.size > 0xFFFFFFFFu)
        throw BuildError(std::string(option) + " " + ShowPath(file.path) +
                         " is larger than 4294967295 bytes");
    std::string utf8Name;
    std::string problem;
    if (!PathToUtf8(file.path.filename(), utf8Name))
        problem = "the name is not valid Unicode";
    else
        problem = ConvertItemName(utf8Name, name);
    // The viewer writes images and the font under this name on the reader's disk.
    if (!problem.empty())
        throw BuildError(std::string(option) + " " + ShowPath(file.path) + ": " + problem);
    return file;
}

void CheckPicture(const SectionFile& file, const char* option)
{
    std::string problem = ImageProblem(file.path);
    if (!problem.empty())
        throw BuildError(std::string(option) + " " + ShowPath(file.path) + ": " + problem);
}

// A PNG picture goes onto the disc as the BMP it was turned into, under its
// name with ".bmp" for an extension: the viewer loads that name as a bitmap.
// Returns the key colour its transparency was given, if any.
std::optional<uint32_t> TakePicture(SectionFile& file, const char* option, std::string& name,
                                    std::optional<uint32_t> keyColor, std::optional<uint32_t> fillColor)
{
    if (!IsPngPicture(file.path)) {
        CheckPicture(file, option);
        return std::nullopt;
    }
    ConvertedPicture picture = ConvertPng(file.path, option, keyColor, fillColor);
    file.converted = std::move(picture.bmp);
    file.size = file.converted.size();
    size_t dot = name.rfind('.');
    name = name.substr(0, dot == std::string::npos ? name.size() : dot) + ".bmp";
    if (name.size() > 254)
        throw BuildError(std::string(option) + " " + ShowPath(file.path) + ": the name is too long");
    return picture.keyColor;
}

std::string ReadEula(const std::string& utf8Path)
{
    fs::path path = PathFromUtf8(utf8Path);
    std::string raw = ReadSmallFile(path, LICENCE_TEXT_MAX, "--eula file");
    std::string text;
    std::string problem = ConvertWindowsText(raw, text);
    if (!problem.empty())
        throw BuildError("--eula " + ShowPath(path) + ": " + problem);
    if (text.empty())
        throw BuildError("--eula " + ShowPath(path) + " is empty");
    return text;
}

std::string ReadSplashText(const std::string& value)
{
    std::string raw = value;
    std::string source = "--splash-text";
    if (value.compare(0, 2, "@@") == 0) {
        raw = value.substr(1);  // a text that itself begins with '@'
    } else if (!value.empty() && value[0] == '@') {
        fs::path path = PathFromUtf8(value.substr(1));
        raw = ReadSmallFile(path, SPLASH_FILE_MAX, "--splash-text file");
        source += " " + ShowPath(path);
    }
    std::string text;
    std::string problem = ConvertSplashText(raw, text);
    if (!problem.empty())
        throw BuildError(source + ": " + problem);
    return text;
}

}  // namespace

LayoutInputs ReadLayoutInputs(const DiscOptions& options)
{
    LayoutInputs inputs;
    if (options.eulaFile)
        inputs.eulaText = ReadEula(*options.eulaFile);
    if (options.splashText)
        inputs.texts.splashText = ReadSplashText(*options.splashText);
    if (options.backgroundFile) {
        inputs.background =
            CheckSectionFile(*options.backgroundFile, "--background", inputs.texts.backImageName);
        TakePicture(inputs.background, "--background", inputs.texts.backImageName, std::nullopt,
                    options.backColor);
    }
    if (options.logoFile) {
        inputs.logo = CheckSectionFile(*options.logoFile, "--logo", inputs.texts.logoImageName);
        inputs.texts.logoKeyColor =
            TakePicture(inputs.logo, "--logo", inputs.texts.logoImageName, options.logoKeyColor, std::nullopt);
    }
    if (options.fontFile) {
        inputs.font = CheckSectionFile(*options.fontFile, "--font", inputs.texts.fontFileName);
        // The viewer joins this name to the Fonts folder; it refuses any "..".
        if (inputs.texts.fontFileName.find("..") != std::string::npos)
            throw BuildError("--font " + ShowPath(inputs.font.path) +
                             ": the viewer cannot install a font whose name contains \"..\"");
    }
    return inputs;
}
