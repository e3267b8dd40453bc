// Feeds arbitrary bytes to the layout reader as if they were a viewer file:
// trailer checks, section arithmetic, the header, the splash screen's
// arithmetic on the header's values, and the item-table walk.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "item_records.h"
#include "key_fields.h"
#include "layout_format.h"
#include "scramble.h"
#include "splash_layout.h"

namespace {

int32_t ReadI32(const unsigned char* p)
{
    uint32_t value = (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
    return (int32_t)value;
}

// Everything the splash screen works out from the header. The screen size and
// the bitmap and font measures come from the system, not the disc; the eight
// bytes the viewer does not read stand in for them here, so any value meets
// any header.
void RunSplashArithmetic(const LayoutHeader& header)
{
    const int32_t screenWidth = ReadI32(header.unused1) & 0xFFFF;
    const int32_t screenHeight = ReadI32(header.unused1 + 4) & 0xFFFF;
    const int32_t bitmapWidth = ReadI32(header.unused1) >> 16;
    const int32_t bitmapHeight = ReadI32(header.unused1 + 4) >> 16;
    volatile int sink = 0;

    int copies = BackgroundCopyCount(header.flags, screenWidth, screenHeight, bitmapWidth, bitmapHeight);
    for (int i : {0, 1, copies / 2, copies - 1})
        if (i >= 0 && i < copies) {
            SplashRect copy = BackgroundCopy(header.flags, screenWidth, screenHeight, bitmapWidth, bitmapHeight, i);
            sink = sink + (copy.x >= 0) + (copy.width > 0);
        }
    SplashPoint logo = LogoPosition(header.flags, screenWidth, screenHeight, bitmapWidth, bitmapHeight,
                                    header.logoX, header.logoY);
    sink = sink + (logo.x > 0);

    // The font's measures follow its height; a hostile height gives any of them.
    const int fontHeight = SplashFontHeight(header.fontHeight);
    SplashTextMeasure measure = MeasureSplashText(header.splashText);
    for (int tmHeight : {fontHeight, header.fontHeight, header.shadowDx}) {
        SplashPoint origin = SplashTextOrigin(header.textFlags, screenWidth, screenHeight, tmHeight,
                                              header.shadowDy, measure, header.textX, header.textY);
        SplashLineWalk walk;
        StartSplashLines(&walk, header.splashText, tmHeight);
        char line[SPLASH_LINE_BUFFER];
        int length = 0;
        int dy = 0;
        while (NextSplashLine(&walk, line, &length, &dy)) {
            SplashPoint shadow = OffsetSplashPoint(origin, header.shadowDx, (int64_t)header.shadowDy + dy);
            SplashPoint at = OffsetSplashPoint(origin, 0, dy);
            sink = sink + (shadow.y > at.y) + length;
        }
    }
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UnscrambleKeyFields();
    if (size < LAYOUT_TRAILER_SIZE)
        return 0;
    LayoutTrailer trailer;
    memcpy(&trailer, data + size - LAYOUT_TRAILER_SIZE, sizeof trailer);
    if (!LayoutFitsFile(&trailer, size))
        return 0;
    LayoutSections sections;
    ComputeLayoutSections(&trailer, &sections);

    // Everything the checks let through must lie inside the file.
    LayoutHeader header;
    memcpy(&header, data + sections.header, sizeof header);
    XorScramble(layoutKey, (unsigned char*)&header, sizeof header);
    TerminateHeaderTexts(&header);
    volatile size_t lengths = strlen(header.fontFileName) + strlen(header.fontFaceName) +
                              strlen(header.backImageName) + strlen(header.logoImageName) +
                              strlen(header.splashText) + strlen(header.contentKey);
    (void)lengths;
    RunSplashArithmetic(header);
    volatile uint8_t last = data[sections.end - 1 < size ? sections.end - 1 : 0];
    (void)last;

    const unsigned char* table = data + sections.itemTable;
    uint32_t position = 0;
    for (uint32_t i = 0; i < trailer.itemCount; ++i) {
        ItemRecord record;
        const char* failure = nullptr;
        if (!ReadItemRecord(table, trailer.itemTableSize, &position, &record, &failure))
            break;
    }
    return 0;
}
