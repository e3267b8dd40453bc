// Feeds arbitrary bytes to the disc opener as if they were a viewer file:
// trailer checks, section arithmetic, the header and its record, the
// password gate, the item table and the tree it makes, and the splash
// screen's arithmetic on the header's values.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "disc_open.h"
#include "item_records.h"
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

// Every item the opener keeps hangs below an earlier one, never deeper than
// the limit: paths are built from their parents' and cannot loop.
void CheckItems(const OpenedDisc& disc)
{
    for (uint32_t i = 0; i < disc.itemCount; ++i) {
        const DiscItem& item = disc.items[i];
        if (item.parent != DISC_NO_PARENT &&
            (item.parent >= i || item.depth != disc.items[item.parent].depth + 1))
            __builtin_trap();
        if (item.depth > DISC_MAX_DEPTH || strlen(item.name) > ITEM_NAME_MAX)
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UnscrambleKeyFields();
    MemoryBytes bytes = {data, size};
    ByteSource source;
    MemorySource(&bytes, &source);
    OpenedDisc disc;
    InitOpenedDisc(&disc);
    int reason = DISC_OK;
    if (OpenDiscLayout(&source, &disc, &reason)) {
        // Everything the checks let through lies inside the file.
        volatile uint8_t last = data[disc.sections.end - 1 < size ? disc.sections.end - 1 : 0];
        (void)last;
        RunSplashArithmetic(disc.header);
        // The key derivation is the fuzzers' quick stand-in: a wrong
        // password costs nothing, and a scrambled disc's opens its table.
        if (UnlockOpenedDisc(&disc, "fuzz", 4, &reason)) {
            ReadDiscItems(&disc, &source, &reason);
            CheckItems(disc);
        }
    }
    CloseOpenedDisc(&disc);
    return 0;
}
