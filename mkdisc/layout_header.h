// The LayoutHeader a disc's options describe.
#pragma once
#include <optional>
#include <string>

#include "disc_options.h"
#include "layout_format.h"

// Texts the build has read and converted to CP1252 (empty when not used).
struct HeaderTexts {
    std::string splashText;
    std::string backImageName;
    std::string logoImageName;
    std::string fontFileName;
    // The transparent colour a PNG logo's transparency was given, when the
    // options named none.
    std::optional<uint32_t> logoKeyColor;
};

// contentKey is stored as it is for a disc without password; with a password
// the field holds the password check block instead.
LayoutHeader MakeLayoutHeader(const DiscOptions& options, const HeaderTexts& texts,
                              const std::string& contentKey);
