#include <gtest/gtest.h>

#include <cstdint>

#include "block_size.h"
#include "layout_format.h"

namespace {

LayoutTrailer Trailer(uint32_t start, uint32_t items, uint32_t eula, uint32_t back, uint32_t logo,
                      uint32_t font)
{
    LayoutTrailer trailer = {};
    trailer.layoutStart = start;
    trailer.itemTableSize = items;
    trailer.eulaSize = eula;
    trailer.headerSize = LAYOUT_HEADER_SIZE;
    trailer.backImageSize = back;
    trailer.logoImageSize = logo;
    trailer.fontSize = font;
    trailer.magic = LAYOUT_MAGIC;
    return trailer;
}

TEST(LayoutSections, EachStartsBehindEverySizeBeforeIt)
{
    LayoutTrailer trailer = Trailer(1000, 10, 20, 30, 40, 50);
    LayoutSections s;
    ComputeLayoutSections(&trailer, &s);
    EXPECT_EQ(s.itemTable, 1000u);
    EXPECT_EQ(s.eula, 1010u);
    EXPECT_EQ(s.header, 1030u);
    EXPECT_EQ(s.backImage, 1030u + LAYOUT_HEADER_SIZE);
    EXPECT_EQ(s.logoImage, s.backImage + 30);
    EXPECT_EQ(s.font, s.logoImage + 40);
    EXPECT_EQ(s.end, s.font + 50);
}

TEST(LayoutFitsFile, AcceptsAnExactFitAndRefusesOneByteMore)
{
    LayoutTrailer trailer = Trailer(1000, 10, 20, 30, 40, 50);
    uint64_t exact = 1000 + 10 + 20 + LAYOUT_HEADER_SIZE + 30 + 40 + 50 + LAYOUT_TRAILER_SIZE;
    EXPECT_TRUE(LayoutFitsFile(&trailer, exact));
    EXPECT_TRUE(LayoutFitsFile(&trailer, exact + 7)) << "bytes between font and trailer are allowed";
    EXPECT_FALSE(LayoutFitsFile(&trailer, exact - 1));
}

TEST(LayoutFitsFile, RefusesValuesThatDoNotFitTheFile)
{
    const uint64_t length = 100000;
    LayoutTrailer bad[] = {
        Trailer(0xFFFFFFFF, 0, 0, 0, 0, 0),                       // start past the end
        Trailer(1000, 0xFFFFFFFF, 0, 0, 0, 0),                    // huge item table
        Trailer(1000, 0, 0xFFFFFFF0, 0, 0, 0),                    // huge licence text
        Trailer(1000, 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF),  // sizes that overflow 32 bits
        Trailer(length - LAYOUT_TRAILER_SIZE - 10, 0, 0, 0, 0, 0),  // layout starts in the trailer
    };
    for (const auto& trailer : bad)
        EXPECT_FALSE(LayoutFitsFile(&trailer, length)) << trailer.layoutStart;

    // A short recorded header still needs its 4636 bytes before the trailer.
    LayoutTrailer shortHeader = Trailer(1000, 0, 0, 0, 0, 0);
    shortHeader.headerSize = 4;
    EXPECT_FALSE(LayoutFitsFile(&shortHeader, 1000 + 100 + LAYOUT_TRAILER_SIZE));
}

TEST(LayoutFitsFile, NeedsTheMagicAndATrailer)
{
    LayoutTrailer trailer = Trailer(0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(LayoutFitsFile(&trailer, LAYOUT_HEADER_SIZE + LAYOUT_TRAILER_SIZE));
    EXPECT_FALSE(LayoutFitsFile(&trailer, 39));
    trailer.magic = LAYOUT_MAGIC + 1;
    EXPECT_FALSE(LayoutFitsFile(&trailer, LAYOUT_HEADER_SIZE + LAYOUT_TRAILER_SIZE));
}

// A section and the margin behind it in one heap block: a sum that does not
// fit size_t is refused, not wrapped to a small block (the shipped build, and
// the 32-bit run of these tests, have a 32-bit size_t).
TEST(SectionBlockSize, RefusesASumThatDoesNotFitSizeT)
{
    size_t total = 0;
    ASSERT_TRUE(SectionBlockSize(1000, 50, &total));
    EXPECT_EQ(total, 1050u);
    const uint64_t largest = UINT32_MAX;
    if (sizeof(size_t) == 4) {
        EXPECT_FALSE(SectionBlockSize(largest - 49, 50, &total));
        EXPECT_FALSE(SectionBlockSize(largest - 99, 100, &total));
        EXPECT_TRUE(SectionBlockSize(largest - 50, 50, &total));
        EXPECT_EQ(total, SIZE_MAX);
    } else {
        ASSERT_TRUE(SectionBlockSize(largest, 100, &total));
        EXPECT_EQ(total, largest + 100);
    }
    EXPECT_FALSE(SectionBlockSize(SIZE_MAX, 1, &total));
    EXPECT_FALSE(SectionBlockSize(1, SIZE_MAX, &total));
}

}  // namespace
