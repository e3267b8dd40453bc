// Feeds arbitrary bytes to the layout reader as if they were a viewer file:
// trailer checks, section arithmetic, the header and the item-table walk.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "item_records.h"
#include "key_fields.h"
#include "layout_format.h"
#include "scramble.h"

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
