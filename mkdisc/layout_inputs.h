// The files and texts the options bring into the layout, read and checked
// before anything is written.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "disc_options.h"
#include "file_io.h"
#include "layout_header.h"

// A file copied into a layout section as it is (scrambled on the way), or
// the bytes it was converted into (a PNG picture into a BMP).
struct SectionFile {
    fs::path path;
    uint64_t size = 0;
    std::vector<unsigned char> converted;  // when not empty, stored instead of the file
};

struct LayoutInputs {
    std::string eulaText;  // CP1252, CR LF; empty without --eula
    HeaderTexts texts;
    SectionFile background;
    SectionFile logo;
    SectionFile font;
};

LayoutInputs ReadLayoutInputs(const DiscOptions& options);
