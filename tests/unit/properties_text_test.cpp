#include <gtest/gtest.h>

#include <string>

#include "build_time.h"
#include "folder_totals.h"
#include "item_list.h"
#include "properties_text.h"

namespace {

std::string Scrambling(uint32_t flags, int strong = 0)
{
    char text[128];
    FormatScramblingText(text, sizeof text, flags, strong);
    return text;
}

TEST(PropertiesText, SizesOfFilesAndFolders)
{
    char text[256];
    FormatFileSizeText(text, sizeof text, 2097152);
    EXPECT_STREQ(text, "2097152 Bytes ( 2048.00 KB/2.00 MB)");
    FormatFolderSizeText(text, sizeof text, 350, 3, 1);
    EXPECT_STREQ(text, "Total 350 Bytes ( 0.34 KB/0.00 MB) - Files: 3 - Sub Folders: 1");
    FormatFolderSizeText(text, sizeof text, 6000000000ull, 70000, 900);
    EXPECT_STREQ(text, "Total 6000000000 Bytes ( 5859375.00 KB/5722.05 MB) - Files: 70000 - Sub Folders: 900");
}

TEST(PropertiesText, ScramblingLine)
{
    EXPECT_EQ(Scrambling(0x40 | 0x80 | 0x100 | 0x800), "BitCrypt BlowFish  - ( FULL )");
    EXPECT_EQ(Scrambling(0x40), " - ( FAST )");
    EXPECT_EQ(Scrambling(0x40 | 0x1000 | 0x800 | 0x400 | 0x200 | 0x100),
              "BitCrypt SCRAMBLE PGP BlowFish 2Fish  - ( FAST )");
    EXPECT_EQ(Scrambling(0x80 | 0x100 | 0x400), "Not encrypted.");
    // A strong disc's items are all sealed, whatever flags the builder kept.
    EXPECT_EQ(Scrambling(0x40 | 0x80 | 0x100, 1), "AES-256");
    EXPECT_EQ(Scrambling(0, 1), "AES-256");
}

TEST(BuildTime, TwelveHourClockAsTheAboutBoxShowsIt)
{
    EXPECT_STREQ(FormatBuildTime("08:35:45"), "8:35:45 AM");
    EXPECT_STREQ(FormatBuildTime("12:05:00"), "12:05:00 AM");
    EXPECT_STREQ(FormatBuildTime("13:00:00"), "1:00:00 PM");
    EXPECT_STREQ(FormatBuildTime("23:59:07"), "11:59:07 PM");
    EXPECT_STREQ(FormatBuildTime("00:10:00"), "0:10:00 AM");
    EXPECT_NE(std::string(BuildTimeText()).find("M"), std::string::npos);
}

TEST(FolderTotals, CountOnlyTheFolderOwnItems)
{
    FreeItems();
    auto add = [](uint32_t id, uint32_t parent, uint32_t type, uint32_t size) {
        SetItemId(NewItem(parent, type, size, 0, 0, "x", "d", 0), id);
    };
    add(3, 2, 1, 0);      // the folder
    add(4, 3, 2, 100);    // its files
    add(5, 3, 2, 200);
    add(6, 3, 1, 999);    // a sub-folder: no bytes, no file
    add(7, 6, 2, 50);     // a file one level down: not the folder's own
    add(8, 3, 777, 5);    // an odd whole-disc item inside: bytes count, not as a file
    ArcsealItem* folder = FindItem(3);
    EXPECT_EQ(SumFolderFileSizes(folder), 305u);
    EXPECT_EQ(CountFolderFiles(folder), 2u);
    ArcsealItem copy = *folder;
    FreeItems();
    EXPECT_EQ(CountFolderFiles(&copy), 0u) << "an empty item list has no files";
}

}  // namespace
