#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

#include "list_records.h"

namespace {

class FileListRecords : public ::testing::Test {
protected:
    void TearDown() override { FreeFileList(); }

    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (LIST_ITEM* record = listHead; record; record = record->Next)
            names.push_back(record->FileName);
        return names;
    }

    // Position runs 0, 1, 2, ... and Prev mirrors Next.
    void ExpectConsistentChain()
    {
        int32_t position = 0;
        LIST_ITEM* previous = nullptr;
        for (LIST_ITEM* record = listHead; record; record = record->Next) {
            EXPECT_EQ(record->Position, position++);
            EXPECT_EQ(record->Prev, previous);
            previous = record;
        }
        EXPECT_EQ(position, listCount);
    }
};

TEST_F(FileListRecords, AppendsWithConsecutivePositionsAndCopies)
{
    ArcsealItem* item = (ArcsealItem*)0x10;
    ASSERT_TRUE(AddListItem(item, "one.txt", 1536, 0x440));
    ASSERT_TRUE(AddListItem(nullptr, nullptr, 0, 0));
    EXPECT_EQ(listCount, 2);
    EXPECT_EQ(listHead->Item, item);
    EXPECT_EQ(listHead->Size, 1536u);
    EXPECT_EQ(listHead->ItemFlags, 0x440u);
    EXPECT_STREQ(listHead->Path, "NO PATH");
    EXPECT_STREQ(listHead->Next->FileName, "") << "an item without a name lists as empty";
    ExpectConsistentChain();
}

TEST_F(FileListRecords, SortsByTheUpperCasedFirstCharacterAndKeepsTableOrderForTies)
{
    for (const char* name : {"beta", "Alpha", "alpha2", "\xC9t\xE9.txt", "_under", "Zed", "aardvark"})
        AddListItem(nullptr, name, 0, 0);
    SortFileList();
    // 0xC9 is a negative signed byte: first. '_' (0x5F) sorts after 'Z' (0x5A)
    // once letters are upper-cased.
    EXPECT_EQ(Names(), (std::vector<std::string>{"\xC9t\xE9.txt", "Alpha", "alpha2", "aardvark", "beta",
                                                 "Zed", "_under"}));
    ExpectConsistentChain();
}

// A click on a header: names as Explorer orders them, sizes, type names,
// each reversed by a second click; ties keep the order they had.
TEST_F(FileListRecords, ColumnOrdersSortNamesNaturallySizesAndTypes)
{
    const struct {
        const char* name;
        uint32_t size;
        const char* type;
    } files[] = {{"File 10.txt", 5, "Text"}, {"file 2.txt", 300, "Text"}, {"File 1.doc", 5, "Document"},
                 {"File 02.txt", 7, "Text"}, {"B.txt", 0, "Text"}};
    for (const auto& file : files) {
        ASSERT_TRUE(AddListItem(nullptr, file.name, file.size, 0));
        LIST_ITEM* added = listHead;
        while (added->Next)
            added = added->Next;
        snprintf(added->TypeName, sizeof added->TypeName, "%s", file.type);
    }
    SortFileListBy(ORDER_NAME, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"B.txt", "File 1.doc", "file 2.txt", "File 02.txt", "File 10.txt"}));
    SortFileListBy(ORDER_NAME, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"File 10.txt", "file 2.txt", "File 02.txt", "File 1.doc", "B.txt"}));
    SortFileListBy(ORDER_SIZE, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"B.txt", "File 10.txt", "File 1.doc", "File 02.txt", "file 2.txt"}))
        << "equal sizes keep the order they had";
    SortFileListBy(ORDER_TYPE, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"File 1.doc", "B.txt", "File 02.txt", "file 2.txt", "File 10.txt"}));
    ExpectConsistentChain();
    char text[100];
    ListCellText(listHead, 2, text, sizeof text);
    EXPECT_STREQ(text, "Document");

    EXPECT_LT(NaturalCompare("a9", "a10"), 0);
    EXPECT_LT(NaturalCompare("a", "a1"), 0);
    EXPECT_EQ(NaturalCompare("ABC 7", "abc 7"), 0);
    EXPECT_GT(NaturalCompare("x 100000000000000000000001", "x 99999999999999999999999"), 0) << "beyond 64 bits";
}

TEST_F(FileListRecords, ALargeListSortsStablyAndIsFoundByPosition)
{
    const int count = 20000;
    for (int i = 0; i < count; ++i) {
        std::string name = std::string(1, (char)('a' + (i * 7) % 26)) + std::to_string(i);
        AddListItem(nullptr, name.c_str(), (uint32_t)i, 0);
    }
    SortFileList();
    ExpectConsistentChain();
    uint32_t lastSizeOfLetter[26] = {};
    char lastLetter = 0;
    for (LIST_ITEM* record = listHead; record; record = record->Next) {
        char letter = record->FileName[0];
        ASSERT_GE(letter, lastLetter);
        if (letter == lastLetter) {
            ASSERT_GT(record->Size, lastSizeOfLetter[letter - 'a']) << "ties keep their order";
        }
        lastSizeOfLetter[letter - 'a'] = record->Size;
        lastLetter = letter;
    }
    for (int32_t position : {0, 1, 9999, count - 1}) {
        LIST_ITEM* record = FindListItemByPosition(position);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->Position, position);
    }
    EXPECT_EQ(FindListItemByPosition(count), nullptr);
    EXPECT_EQ(FindListItemByPosition(-1), nullptr);
}

TEST_F(FileListRecords, RowLookupsFollowTheRowIndexTheControlGave)
{
    for (const char* name : {"a", "b", "c"})
        AddListItem(nullptr, name, 0, 0);
    SortFileList();
    int32_t row = 0;
    for (LIST_ITEM* record = listHead; record; record = record->Next)
        record->RowIndex = row++;
    EXPECT_STREQ(FindListItemByRow(2)->FileName, "c");
    // Should a control ever number rows differently, the lookup still finds them.
    listHead->RowIndex = 7;
    EXPECT_STREQ(FindListItemByRow(7)->FileName, "a");
    EXPECT_EQ(FindListItemByRow(0), nullptr);
}

TEST(ListCellText, NamesAndSizeTexts)
{
    LIST_ITEM record = {};
    char name[] = "report.doc";
    record.FileName = name;
    record.Size = 1536;
    char text[260];
    ListCellText(&record, 0, text, sizeof text);
    EXPECT_STREQ(text, "report.doc");
    ListCellText(&record, 1, text, sizeof text);
    EXPECT_STREQ(text, "1536 bytes ( 1.50 kb/0.00 MB )");
    record.Size = 3221225472u;
    ListCellText(&record, 1, text, sizeof text);
    EXPECT_STREQ(text, "3221225472 bytes ( 3145728.00 kb/3072.00 MB )");

    record.ItemFlags = 0x2 | 0x4 | 0x8;
    ListCellText(&record, 1, text, sizeof text);
    EXPECT_STREQ(text, "-Up Directory-");
    record.ItemFlags = 0x2 | 0x8;
    ListCellText(&record, 1, text, sizeof text);
    EXPECT_STREQ(text, "-Drive Root-");
    record.ItemFlags = 0x2 | 0x440;
    ListCellText(&record, 1, text, sizeof text);
    EXPECT_STREQ(text, "-directory-");

    ListCellText(nullptr, 0, text, sizeof text);
    EXPECT_STREQ(text, "not found");
    ListCellText(nullptr, 1, text, sizeof text);
    EXPECT_STREQ(text, "0");
    ListCellText(&record, 2, text, sizeof text);
    EXPECT_STREQ(text, "");

    char small[5];
    ListCellText(&record, 0, small, sizeof small);
    EXPECT_STREQ(small, "repo") << "cut to the control's buffer, never past it";
}

}  // namespace
