// The item table as the viewer's tree reads it: order, ids, parents, types, names.
#include <gtest/gtest.h>

#include "disc_crypto.h"
#include "disc_test_support.h"

namespace {

struct Expected {
    uint32_t id;
    uint32_t parent;
    uint32_t type;
    const char* name;
};

class ItemTableTest : public ::testing::Test {
protected:
    ScratchFolder scratch;
    fs::path source = scratch / "Holiday 2024";
    fs::path output = scratch / "out";
    std::string viewer = (scratch / "viewer.exe").string();

    void SetUp() override
    {
        WriteText(viewer, FAKE_VIEWER);
        // Created out of order: the table must not depend on directory order.
        WriteText(source / "zeta.txt", "z");
        WriteText(source / "b" / "inner" / "deep.txt", "deep");
        WriteText(source / "b" / "file.txt", "bf");
        WriteText(source / "a" / "one.txt", "1");
        WriteText(source / "B.txt", "capital");
        fs::create_directories(source / "empty folder");
    }
};

TEST_F(ItemTableTest, RootWholeDiscThenTreeDepthFirstSortedByNameBytes)
{
    RunResult run = RunMkdiscWith({"--viewer", viewer, source.string(), output.string()});
    ASSERT_EQ(0, run.exitCode) << run.messages;
    DiscContents disc = ReadDisc(output);

    const Expected expected[] = {
        {1, 0, 0x20, "Arcseal"},       {2, 1, 777, "Holiday 2024"}, {3, 2, 2, "B.txt"},
        {4, 2, 1, "a"},                {5, 4, 2, "one.txt"},        {6, 2, 1, "b"},
        {7, 6, 2, "file.txt"},         {8, 6, 1, "inner"},          {9, 8, 2, "deep.txt"},
        {10, 2, 1, "empty folder"},    {11, 2, 2, "zeta.txt"},
    };
    ASSERT_EQ(std::size(expected), disc.items.size());
    ASSERT_EQ(disc.items.size(), disc.trailer.itemCount);
    for (size_t i = 0; i < disc.items.size(); ++i) {
        const ItemRecord& item = disc.items[i];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(expected[i].id, item.itemId);
        EXPECT_EQ(expected[i].parent, item.parentId);
        EXPECT_EQ(expected[i].type, item.itemType);
        EXPECT_STREQ(expected[i].name, item.itemName);
        EXPECT_EQ(0x440u, item.methodFlags) << "every item carries the same method flags";
        if (item.itemType == 2) {
            EXPECT_STREQ("disc0001.dat", item.dataFileName);
            // Verified discs: the reserved field is the CRC-32 of the plain contents.
            std::string contents = ExtractFile(output, item, disc.header.contentKey);
            EXPECT_EQ(Crc32Of(contents.data(), contents.size()), item.reserved);
        } else {
            EXPECT_EQ(0u, item.itemSize);
            EXPECT_EQ(0u, item.reserved);
        }
    }
    EXPECT_EQ(7u, disc.items[2].itemSize);  // B.txt
    EXPECT_EQ(4u, disc.items[8].itemSize);  // deep.txt
}

TEST_F(ItemTableTest, LabelAndMethodFlagsOptions)
{
    RunResult run = RunMkdiscWith({"--viewer", viewer, "--label", "Café Photos", "--method-flags",
                                   "0x4C0", source.string(), output.string()});
    ASSERT_EQ(0, run.exitCode) << run.messages;
    DiscContents disc = ReadDisc(output);
    ASSERT_GE(disc.items.size(), 3u);
    EXPECT_STREQ("Caf\xE9 Photos", disc.items[1].itemName);
    for (const ItemRecord& item : disc.items)
        EXPECT_EQ(0x4C0u, item.methodFlags) << item.itemName;
}

TEST(ItemNames, StoredInCodePage1252)
{
    ScratchFolder scratch;
    WriteText(scratch / "viewer.exe", FAKE_VIEWER);
    WriteText(scratch / "src/café/€ price.txt", "5");
    WriteText(scratch / "src/Œuvre ™.txt", "x");
    RunResult run = RunMkdiscWith({"--viewer", (scratch / "viewer.exe").string(),
                                   (scratch / "src").string(), (scratch / "out").string()});
    ASSERT_EQ(0, run.exitCode) << run.messages;
    DiscContents disc = ReadDisc(scratch / "out");
    ASSERT_EQ(5u, disc.items.size());
    EXPECT_STREQ("caf\xE9", disc.items[2].itemName);
    EXPECT_STREQ("\x80 price.txt", disc.items[3].itemName);
    EXPECT_STREQ("\x8Cuvre \x99.txt", disc.items[4].itemName);
}

}  // namespace
