// File contents in the data files: placement, scrambling, limits, determinism.
#include <gtest/gtest.h>

#include "disc_test_support.h"

namespace {

class DataFilesTest : public DiscBuildTest {
protected:
    RunResult Build(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"--content-key", "k3y"});
        return RunBuild(options);
    }
};

std::string Pattern(size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = (char)((i * 131 + seed) % 251);
    return bytes;
}

TEST_F(DataFilesTest, ContentsDescrambleToTheSources)
{
    const std::string big = Pattern(3 * 1048576 + 17, 5);  // several copy pieces
    WriteFile(source / "a.bin", Pattern(1000, 1));
    WriteFile(source / "b empty", "");
    WriteFile(source / "c/big.bin", big);
    WriteFile(source / "d.txt", "last");
    ASSERT_EQ(0, Build({}).exitCode);

    DiscContents disc = ReadDisc(output);
    ASSERT_EQ(7u, disc.items.size());
    EXPECT_STREQ("k3y", disc.header.contentKey);
    const ItemRecord& a = disc.items[2];
    const ItemRecord& empty = disc.items[3];
    const ItemRecord& bigItem = disc.items[5];
    const ItemRecord& d = disc.items[6];
    EXPECT_EQ(0u, a.dataOffset);
    EXPECT_EQ(1000u, empty.dataOffset) << "an empty file sits where it would start";
    EXPECT_EQ(0u, empty.itemSize);
    EXPECT_EQ(1000u, bigItem.dataOffset);
    EXPECT_EQ(1000u + big.size(), d.dataOffset);

    EXPECT_EQ(Pattern(1000, 1), ExtractFile(output, a, "k3y"));
    EXPECT_EQ("", ExtractFile(output, empty, "k3y"));
    EXPECT_EQ(big, ExtractFile(output, bigItem, "k3y"));
    EXPECT_EQ("last", ExtractFile(output, d, "k3y"));
    EXPECT_EQ(1004u + big.size(), fs::file_size(output / "disc0001.dat"));
    EXPECT_NE(Pattern(1000, 1), ReadFile(output / "disc0001.dat").substr(0, 1000))
        << "contents are stored scrambled";
}

TEST_F(DataFilesTest, SmallLimitStartsTheNextDataFileAndRebuildRemovesStaleOnes)
{
    WriteFile(source / "1.bin", Pattern(60, 1));
    WriteFile(source / "2.bin", Pattern(40, 2));   // fills the first file exactly
    WriteFile(source / "3.bin", Pattern(30, 3));   // does not fit: second file
    WriteFile(source / "4.bin", "");               // empty: stays in the second
    WriteFile(source / "5.bin", Pattern(80, 5));   // third file
    ASSERT_EQ(0, Build({"--data-file-limit", "100"}).exitCode);

    DiscContents disc = ReadDisc(output);
    ASSERT_EQ(7u, disc.items.size());
    const std::pair<const char*, uint32_t> placement[] = {
        {"disc0001.dat", 0}, {"disc0001.dat", 60}, {"disc0002.dat", 0},
        {"disc0002.dat", 30}, {"disc0003.dat", 0},
    };
    for (size_t i = 0; i < 5; ++i) {
        const ItemRecord& item = disc.items[i + 2];
        EXPECT_STREQ(placement[i].first, item.dataFileName) << item.itemName;
        EXPECT_EQ(placement[i].second, item.dataOffset) << item.itemName;
        EXPECT_EQ(ReadFile(source / item.itemName), ExtractFile(output, item, "k3y"));
    }
    EXPECT_EQ(100u, fs::file_size(output / "disc0001.dat"));

    // A rebuild that needs one data file replaces the disc and leaves no stale ones.
    WriteFile(output / "disc0007.dat", "older disc");
    ASSERT_EQ(0, Build({}).exitCode);
    EXPECT_TRUE(fs::exists(output / "disc0001.dat"));
    EXPECT_FALSE(fs::exists(output / "disc0002.dat"));
    EXPECT_FALSE(fs::exists(output / "disc0003.dat"));
    EXPECT_FALSE(fs::exists(output / "disc0007.dat"));
}

TEST_F(DataFilesTest, FileLargerThanTheLimitIsRefused)
{
    WriteFile(source / "small.bin", "1234");
    WriteFile(source / "large.bin", Pattern(101, 1));
    RunResult run = Build({"--data-file-limit", "100"});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.messages.find("large.bin")) << run.messages;
    EXPECT_FALSE(fs::exists(output / "discview.exe"));
}

TEST_F(DataFilesTest, FileOf4GiBIsRefusedWithoutWritingAnything)
{
    WriteFile(source / "huge.iso", "");
    fs::resize_file(source / "huge.iso", 4294967296ull);  // sparse: no disk space used
    RunResult run = Build({});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.messages.find("huge.iso")) << run.messages;
    EXPECT_NE(std::string::npos, run.messages.find("4294967295")) << run.messages;
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(DataFilesTest, SameInputGivesIdenticalBytes)
{
    WriteFile(source / "x/y.bin", Pattern(5000, 9));
    WriteFile(source / "z.txt", "zz");
    fs::path first = scratch / "first";
    ASSERT_EQ(0, Build({"--label", "Same"}).exitCode);
    fs::rename(output, first);
    ASSERT_EQ(0, Build({"--label", "Same"}).exitCode);
    for (const char* name : {"discview.exe", "disc0001.dat"})
        EXPECT_EQ(ReadFile(first / name), ReadFile(output / name)) << name;
}

TEST_F(DataFilesTest, DiscWithoutFilesHasNoDataFile)
{
    fs::create_directories(source / "only folders");
    ASSERT_EQ(0, Build({}).exitCode);
    EXPECT_EQ(3u, ReadDisc(output).items.size());
    EXPECT_FALSE(fs::exists(output / "disc0001.dat"));
}

}  // namespace
