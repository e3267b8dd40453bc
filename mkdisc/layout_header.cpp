#include "layout_header.h"

#include <cstring>

#include "build_error.h"
#include "key_fields.h"

namespace {

// Copies a checked text into a fixed header field, leaving room for its NUL.
template <size_t N>
void SetText(char (&field)[N], const std::string& text)
{
    if (text.size() >= N)
        throw BuildError("internal: a header text does not fit its field");
    memcpy(field, text.data(), text.size());
}

}  // namespace

LayoutHeader MakeLayoutHeader(const DiscOptions& options, const HeaderTexts& texts,
                              const std::string& contentKey)
{
    LayoutHeader header;
    memset(&header, 0, sizeof header);

    header.backColor = options.backColor;
    header.textColor = options.textColor;
    header.fontHeight = options.fontHeight;
    header.textFlags = options.textPlacement;
    header.textX = options.textX;
    header.textY = options.textY;

    if (options.backgroundFile) {
        header.flags |= FLAG_BACK_IMAGE | options.backgroundBits;
        SetText(header.backImageName, texts.backImageName);
    }
    if (options.logoFile) {
        header.flags |= FLAG_LOGO_IMAGE | options.logoBits;
        header.logoX = options.logoX;
        header.logoY = options.logoY;
        SetText(header.logoImageName, texts.logoImageName);
        std::optional<uint32_t> key = options.logoKeyColor ? options.logoKeyColor : texts.logoKeyColor;
        if (key) {
            header.flags |= FLAG_LOGO_TRANSPARENT;
            header.logoKeyColor = *key;
        }
    }
    if (options.splashText) {
        header.flags |= FLAG_SPLASH_TEXT;
        SetText(header.splashText, texts.splashText);
    }
    if (options.shadow) {
        header.flags |= FLAG_TEXT_SHADOW;
        header.shadowColor = options.shadowColor;
        header.shadowDx = options.shadowDx;
        header.shadowDy = options.shadowDy;
    }
    if (options.fontFile) {
        header.textFlags |= TEXT_CUSTOM_FONT;
        SetText(header.fontFileName, texts.fontFileName);
        SetText(header.fontFaceName, *options.fontFace);
    }
    if (options.noExport)
        header.flags |= FLAG_EXPORT_DISABLED;
    if (options.clearRecent)
        header.flags |= FLAG_CLEAR_RECENT;
    if (options.eulaFile)
        header.flags |= FLAG_EULA;

    if (options.password) {
        header.flags |= FLAG_PASSWORD;
        if (!MakePasswordCheckBlock(options.password->c_str(), header.contentKey))
            throw BuildError("--password: the password is longer than 250 characters");
    } else {
        SetText(header.contentKey, contentKey);
    }
    return header;
}
