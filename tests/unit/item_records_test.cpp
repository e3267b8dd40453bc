#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "item_records.h"

namespace {

ItemRecord Record(uint32_t id, uint32_t parent, uint32_t type, const char* name,
                  const char* dataFile = "", uint32_t offset = 0)
{
    ItemRecord record = {};
    record.itemId = id;
    record.parentId = parent;
    record.itemType = type;
    record.itemSize = 1536;
    record.reserved = 0xABCD;
    record.methodFlags = METHOD_SCRAMBLED | METHOD_SCRAMBLE;
    strcpy(record.itemName, name);
    strcpy(record.dataFileName, dataFile);
    record.dataOffset = offset;
    return record;
}

std::vector<unsigned char> Table(const std::vector<ItemRecord>& records)
{
    std::vector<unsigned char> table;
    for (const auto& record : records) {
        size_t at = table.size();
        table.resize(at + ItemRecordSize(&record));
        EXPECT_EQ(WriteItemRecord(&record, table.data() + at), ItemRecordSize(&record));
    }
    return table;
}

TEST(ItemRecords, OnlyPlainFileTypesCarryDataFields)
{
    EXPECT_TRUE(RecordHasDataFields(ITEM_FILE));
    EXPECT_TRUE(RecordHasDataFields(0));
    EXPECT_FALSE(RecordHasDataFields(ITEM_FOLDER));
    EXPECT_FALSE(RecordHasDataFields(ITEM_WHOLE_DISC));
    EXPECT_FALSE(RecordHasDataFields(ITEM_DISC_ROOT_BIT));
    EXPECT_FALSE(RecordHasDataFields(0x100));
}

TEST(ItemRecords, RoundTripInTableOrder)
{
    std::vector<ItemRecord> records = {
        Record(1, 0, ITEM_DISC_ROOT_BIT, "root"), Record(2, 1, ITEM_WHOLE_DISC, "My Disc"),
        Record(3, 2, ITEM_FOLDER, "Docs"), Record(4, 3, ITEM_FILE, "a.txt", "disc0001.dat", 77),
        Record(5, 3, ITEM_FILE, "", "disc0002.dat", 9)};
    auto table = Table(records);
    // Root and folders: 28 bytes + name; files add 8 bytes + data file name.
    EXPECT_EQ(table.size(), (28 + 4) + (28 + 7) + (28 + 4) + (28 + 5 + 8 + 12) + (28 + 8 + 12));

    uint32_t position = 0;
    for (const auto& expected : records) {
        ItemRecord record;
        const char* failure = nullptr;
        ASSERT_TRUE(ReadItemRecord(table.data(), (uint32_t)table.size(), &position, &record, &failure));
        EXPECT_EQ(record.itemId, expected.itemId);
        EXPECT_EQ(record.parentId, expected.parentId);
        EXPECT_EQ(record.itemType, expected.itemType);
        EXPECT_EQ(record.itemSize, expected.itemSize);
        EXPECT_EQ(record.reserved, expected.reserved);
        EXPECT_EQ(record.methodFlags, expected.methodFlags);
        EXPECT_STREQ(record.itemName, expected.itemName);
        if (RecordHasDataFields(expected.itemType)) {
            EXPECT_STREQ(record.dataFileName, expected.dataFileName);
            EXPECT_EQ(record.dataOffset, expected.dataOffset);
        } else {
            EXPECT_STREQ(record.dataFileName, "");
            EXPECT_EQ(record.dataOffset, 0u);
        }
    }
    EXPECT_EQ(position, table.size());
}

TEST(ItemRecords, ANulInsideTheStoredNameEndsIt)
{
    auto table = Table({Record(3, 2, ITEM_FOLDER, "abcd")});
    table[28 + 2] = 0;  // "ab\0d"
    uint32_t position = 0;
    ItemRecord record;
    const char* failure = nullptr;
    ASSERT_TRUE(ReadItemRecord(table.data(), (uint32_t)table.size(), &position, &record, &failure));
    EXPECT_STREQ(record.itemName, "ab");
    EXPECT_EQ(position, table.size()) << "the stored length still decides where the next record starts";
}

TEST(ItemRecords, EveryCutShortRecordIsRefused)
{
    auto table = Table({Record(4, 3, ITEM_FILE, "a.txt", "disc0001.dat", 77)});
    for (uint32_t size = 0; size < table.size(); ++size) {
        uint32_t position = 0;
        ItemRecord record;
        const char* failure = nullptr;
        EXPECT_FALSE(ReadItemRecord(table.data(), size, &position, &record, &failure)) << size;
        EXPECT_STREQ(failure, "the record runs past the end of the item table");
        EXPECT_EQ(position, 0u);
    }
}

TEST(ItemRecords, NamesOver254BytesAreRefusedEvenWhenTheyFitTheTable)
{
    std::string longest(ITEM_NAME_MAX, 'n');
    auto table = Table({Record(3, 2, ITEM_FOLDER, longest.c_str())});
    uint32_t position = 0;
    ItemRecord record;
    const char* failure = nullptr;
    ASSERT_TRUE(ReadItemRecord(table.data(), (uint32_t)table.size(), &position, &record, &failure));
    EXPECT_EQ(strlen(record.itemName), ITEM_NAME_MAX);

    // Length fields of 255 and of 0xFFFFFFFF, for the name and for the data file name.
    for (uint32_t lengthAt : {24u, 28u + 1u}) {
        for (uint32_t length : {255u, 0xFFFFFFFFu}) {
            auto file = Table({Record(4, 3, ITEM_FILE, "x", "disc0001.dat", 0)});
            file.resize(file.size() + 600);
            memcpy(file.data() + lengthAt, &length, 4);
            position = 0;
            failure = nullptr;
            EXPECT_FALSE(ReadItemRecord(file.data(), (uint32_t)file.size(), &position, &record, &failure));
            EXPECT_STREQ(failure, "a name is longer than 254 bytes");
        }
    }
}

TEST(ItemRecords, APositionPastTheTableIsRefused)
{
    auto table = Table({Record(3, 2, ITEM_FOLDER, "x")});
    uint32_t position = (uint32_t)table.size() + 10;
    ItemRecord record;
    const char* failure = nullptr;
    EXPECT_FALSE(ReadItemRecord(table.data(), (uint32_t)table.size(), &position, &record, &failure));
}

}  // namespace

// The wide records of strong discs: one form for every item, 64-bit sizes and
// stream offsets, times, and UTF-8 names up to 1020 bytes.
TEST(ItemRecords, WideRecordsKeepLargeValuesAndLongNamesAndRefuseLonger)
{
    ItemRecord file = Record(7, 3, ITEM_FILE, "");
    file.itemSize = 5ull << 30;
    file.dataOffset = 0x123456789ABull;
    file.modified = 132000000000000000ull;
    std::string name;
    for (int i = 0; i < 255; ++i)
        name += "\xE5\xA0\xB1";  // 報: 765 bytes, 255 UTF-16 units
    strcpy(file.itemName, name.c_str());
    ItemRecord folder = Record(3, 2, ITEM_FOLDER, "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82\xD1\x8B");

    std::vector<unsigned char> table;
    for (const ItemRecord* record : {&folder, &file}) {
        size_t at = table.size();
        table.resize(at + ItemRecordSize(record, 1));
        EXPECT_EQ(WriteItemRecord(record, table.data() + at, 1), ItemRecordSize(record, 1));
    }
    EXPECT_EQ(table.size(), (44 + 12) + (44 + name.size())) << "folders and files have the same fields";
    uint32_t position = 0;
    ItemRecord read;
    const char* failure = nullptr;
    ASSERT_TRUE(ReadItemRecord(table.data(), (uint32_t)table.size(), &position, &read, &failure, 1));
    EXPECT_STREQ(read.itemName, folder.itemName);
    ASSERT_TRUE(ReadItemRecord(table.data(), (uint32_t)table.size(), &position, &read, &failure, 1));
    EXPECT_EQ(read.itemSize, file.itemSize);
    EXPECT_EQ(read.dataOffset, file.dataOffset);
    EXPECT_EQ(read.modified, file.modified);
    EXPECT_EQ(read.methodFlags, file.methodFlags);
    EXPECT_EQ(std::string(read.itemName), name);
    EXPECT_EQ(position, table.size());

    // A stored length over 1020 bytes is refused before anything is copied.
    table[position - name.size() - 4] = 0xFD;
    table[position - name.size() - 3] = 0x03;
    position = 44 + 12;
    EXPECT_FALSE(ReadItemRecord(table.data(), (uint32_t)table.size(), &position, &read, &failure, 1));
    EXPECT_STREQ(failure, "a name is longer than 1020 bytes");
}
