#include "layout_format.h"

void ComputeLayoutSections(const LayoutTrailer* trailer, LayoutSections* sections)
{
    // 64-bit sums: seven 32-bit values cannot overflow them.
    sections->itemTable = trailer->layoutStart;
    sections->eula = sections->itemTable + trailer->itemTableSize;
    sections->header = sections->eula + trailer->eulaSize;
    sections->backImage = sections->header + trailer->headerSize;
    sections->logoImage = sections->backImage + trailer->backImageSize;
    sections->font = sections->logoImage + trailer->logoImageSize;
    sections->end = sections->font + trailer->fontSize;
}

int LayoutFitsFile(const LayoutTrailer* trailer, uint64_t fileLength)
{
    if (fileLength < LAYOUT_TRAILER_SIZE || trailer->magic != LAYOUT_MAGIC)
        return 0;
    uint64_t trailerStart = fileLength - LAYOUT_TRAILER_SIZE;
    LayoutSections sections;
    ComputeLayoutSections(trailer, &sections);
    if (sections.end > trailerStart)
        return 0;
    if (sections.header + LAYOUT_HEADER_SIZE > trailerStart)
        return 0;
    return 1;
}

void TerminateHeaderTexts(LayoutHeader* header)
{
    header->fontFileName[sizeof header->fontFileName - 1] = 0;
    header->fontFaceName[sizeof header->fontFaceName - 1] = 0;
    header->backImageName[sizeof header->backImageName - 1] = 0;
    header->logoImageName[sizeof header->logoImageName - 1] = 0;
    header->splashText[sizeof header->splashText - 1] = 0;
    header->contentKey[sizeof header->contentKey - 1] = 0;
}
