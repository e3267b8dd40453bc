#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "find_items.h"
#include "item_list.h"
#include "totals_text.h"

namespace {

class ItemList : public ::testing::Test {
protected:
    void TearDown() override { FreeItems(); }

    ArcsealItem* Add(uint32_t id, uint32_t parent, const char* name = "x")
    {
        ArcsealItem* item = NewItem(parent, 2, 10, 0, 0x440, name, "disc0001.dat", 5);
        SetItemId(item, id);
        return item;
    }
};

TEST_F(ItemList, KeepsTableOrderAndCopiesTexts)
{
    ArcsealItem* first = Add(1, 0, "first");
    ArcsealItem* folder = NewItem(1, 1, 0, 7, 0, "folder", nullptr, 99);
    ArcsealItem* unnamed = NewItem(1, 2, 3, 0, 0, "", "", 42);
    EXPECT_EQ(itemListHead, first);
    EXPECT_EQ(first->next, folder);
    EXPECT_EQ(folder->next, unnamed);
    EXPECT_EQ(LastItem(), unnamed);
    EXPECT_STREQ(first->itemName, "first");
    EXPECT_STREQ(first->dataFileName, "disc0001.dat");
    EXPECT_EQ(first->dataOffset, 5u);
    EXPECT_EQ(folder->dataFileName, nullptr);
    EXPECT_EQ(folder->dataOffset, 0u) << "an offset only comes with a data file name";
    EXPECT_EQ(folder->reserved, 7u);
    EXPECT_EQ(unnamed->itemName, nullptr);
    EXPECT_EQ(unnamed->dataFileName, nullptr);
}

TEST_F(ItemList, TheFirstItemWithAnIdIsTheOneFound)
{
    ArcsealItem* first = Add(7, 0);
    ArcsealItem* second = Add(7, 0);
    first->treeHandle = nullptr;
    second->treeHandle = (struct _TREEITEM*)0x1234;
    EXPECT_EQ(FindItem(7), first);
    EXPECT_EQ(FindTreeHandle(7), nullptr) << "the first item has no tree entry";
    EXPECT_EQ(FindItem(8), nullptr);
    EXPECT_EQ(FindTreeHandle(8), nullptr);
}

// Ids a disc may choose to defeat the index: all sharing their low bits
// (multiples of 65,536 agree in all 16), or running 3, 4, 5, ... Every item
// is found, and loading and finding stay a few slots per item (a clustered
// index looks at thousands).
TEST_F(ItemList, FindsEveryItemOfALargeTableInAFewProbesWhateverTheIds)
{
    const uint32_t count = 50000;
    for (uint32_t step : {1u, 4096u, 65536u}) {
        SCOPED_TRACE("ids a multiple of " + std::to_string(step));
        FreeItems();
        std::vector<ArcsealItem*> items;
        for (uint32_t i = 1; i <= count; ++i)
            items.push_back(Add(step == 1 ? i + 2 : i * step, 0));
        for (uint32_t i = 1; i <= count; ++i)
            ASSERT_EQ(FindItem(step == 1 ? i + 2 : i * step), items[i - 1]);
        EXPECT_EQ(FindItem(step == 1 ? 1 : 5), nullptr);
        EXPECT_LT(IdIndexProbes(), 8ull * count);
    }
}

TEST_F(ItemList, FreeItemsEmptiesTheListTheIndexAndTheTotals)
{
    Add(1, 0);
    folderCount = 3;
    fileCount = 4;
    totalBytes = 5;
    FreeItems();
    EXPECT_EQ(itemListHead, nullptr);
    EXPECT_EQ(LastItem(), nullptr);
    EXPECT_EQ(FindItem(1), nullptr);
    EXPECT_EQ(folderCount + fileCount + totalBytes, 0u);
    ArcsealItem* again = Add(1, 0);
    EXPECT_EQ(itemListHead, again);
    EXPECT_EQ(FindItem(1), again);
}

TEST(TotalsText, FormatsBytesKilobytesMegabytesFoldersAndFiles)
{
    char text[1024];
    FormatTotalsText(text, sizeof text, 1536, 0, 1);
    EXPECT_STREQ(text, "1536 Bytes - 1.50 KB - 0.00 MB - 0 Folders - 1 Files");
    FormatTotalsText(text, sizeof text, 3221225472ull, 12, 345);
    EXPECT_STREQ(text, "3221225472 Bytes - 3145728.00 KB - 3072.00 MB - 12 Folders - 345 Files")
        << "3 GiB must not print as a negative number";
    FormatTotalsText(text, sizeof text, 5000000000ull, 1, 2);
    EXPECT_STREQ(text, "5000000000 Bytes - 4882812.50 KB - 4768.37 MB - 1 Folders - 2 Files")
        << "a DVD's total passes 4 GiB";
}

}  // namespace

namespace {

// Find: names matched without regard to case (CP1252 letters too), the disc's
// top items never, each result with the folder it lies in.
TEST_F(ItemList, FindMatchesPartsOfNamesAndTellsTheirFolders)
{
    SetItemId(NewItem(0, 777, 0, 0, 0, "Whole Disc", nullptr, 0), 1);
    SetItemId(NewItem(1, 1, 0, 0, 0, "\xC9t\xE9", nullptr, 0), 2);        // Été
    SetItemId(NewItem(2, 1, 0, 0, 0, "Letters", nullptr, 0), 3);
    Add(4, 3, "Report 2004.TXT");
    Add(5, 1, "report.doc");
    Add(6, 2, "caf\xC9.txt");  // cafÉ
    EXPECT_TRUE(NameContains("Report 2004.TXT", "t 20"));
    EXPECT_TRUE(NameContains("caf\xE9", "F\xC9"));
    EXPECT_FALSE(NameContains("report", "reports"));
    EXPECT_TRUE(NameContains("anything", ""));

    std::vector<std::string> found;
    auto collect = [](ArcsealItem* item, void* context) {
        static_cast<std::vector<std::string>*>(context)->push_back(item->itemName);
        return 1;
    };
    EXPECT_EQ(FindItems("REPORT", collect, &found), 2u);
    EXPECT_EQ(found, (std::vector<std::string>{"Report 2004.TXT", "report.doc"}));
    found.clear();
    EXPECT_EQ(FindItems("disc", collect, &found), 0u) << "the whole-disc item is no result";
    EXPECT_EQ(FindItems("\xE9", [](ArcsealItem*, void*) { return 0; }, nullptr), 2u) << "counted to the end";

    char folder[64];
    FolderPathOf(FindItem(4), folder, sizeof folder);
    EXPECT_STREQ(folder, "\xC9t\xE9\\Letters");
    FolderPathOf(FindItem(5), folder, sizeof folder);
    EXPECT_STREQ(folder, "") << "at the top";
    FolderPathOf(FindItem(4), folder, 8);
    EXPECT_STREQ(folder, "\xC9t\xE9...") << "cut short to fit";
    // A parent chain that loops ends all the same.
    SetItemId(NewItem(8, 1, 0, 0, 0, "loop", nullptr, 0), 8);
    Add(9, 8, "inside");
    FolderPathOf(FindItem(9), folder, sizeof folder);
    EXPECT_EQ(std::string(folder).rfind("loop", 0), 0u);
}

}  // namespace
