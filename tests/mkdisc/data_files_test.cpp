// File contents in the data files: placement, scrambling, limits,
// determinism, and reading them back with --verify and --extract.
#include <gtest/gtest.h>

#include <chrono>

#include <cstring>
#include <map>

#include "data_plan.h"
#include "disc_open.h"
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

std::string PatternText(size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = (char)((i * 131 + seed) % 251);
    return bytes;
}

TEST_F(DataFilesTest, ContentsDescrambleToTheSources)
{
    const std::string big = PatternText(3 * 1048576 + 17, 5);  // several copy pieces
    WriteText(source / "a.bin", PatternText(1000, 1));
    WriteText(source / "b empty", "");
    WriteText(source / "c/big.bin", big);
    WriteText(source / "d.txt", "last");
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

    EXPECT_EQ(PatternText(1000, 1), ExtractFile(output, a, "k3y"));
    EXPECT_EQ("", ExtractFile(output, empty, "k3y"));
    EXPECT_EQ(big, ExtractFile(output, bigItem, "k3y"));
    EXPECT_EQ("last", ExtractFile(output, d, "k3y"));
    EXPECT_EQ(1004u + big.size(), fs::file_size(output / "disc0001.dat"));
    EXPECT_NE(PatternText(1000, 1), ReadText(output / "disc0001.dat").substr(0, 1000))
        << "contents are stored scrambled";
}

TEST_F(DataFilesTest, SmallLimitStartsTheNextDataFileAndRebuildRemovesStaleOnes)
{
    WriteText(source / "1.bin", PatternText(60, 1));
    WriteText(source / "2.bin", PatternText(40, 2));   // fills the first file exactly
    WriteText(source / "3.bin", PatternText(30, 3));   // does not fit: second file
    WriteText(source / "4.bin", "");               // empty: stays in the second
    WriteText(source / "5.bin", PatternText(80, 5));   // third file
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
        EXPECT_EQ(ReadText(source / item.itemName), ExtractFile(output, item, "k3y"));
    }
    EXPECT_EQ(100u, fs::file_size(output / "disc0001.dat"));

    // A rebuild that needs one data file replaces the disc and leaves no stale ones.
    WriteText(output / "disc0007.dat", "older disc");
    ASSERT_EQ(0, Build({}).exitCode);
    EXPECT_TRUE(fs::exists(output / "disc0001.dat"));
    EXPECT_FALSE(fs::exists(output / "disc0002.dat"));
    EXPECT_FALSE(fs::exists(output / "disc0003.dat"));
    EXPECT_FALSE(fs::exists(output / "disc0007.dat"));
}

TEST_F(DataFilesTest, FileLargerThanTheLimitIsRefused)
{
    WriteText(source / "small.bin", "1234");
    WriteText(source / "large.bin", PatternText(101, 1));
    RunResult run = Build({"--data-file-limit", "100"});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.messages.find("large.bin")) << run.messages;
    EXPECT_FALSE(fs::exists(output / "discview.exe"));
}

TEST_F(DataFilesTest, FileOf4GiBIsRefusedWithoutWritingAnything)
{
    WriteText(source / "huge.iso", "");
    fs::resize_file(source / "huge.iso", 4294967296ull);  // sparse: no disk space used
    RunResult run = Build({});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.messages.find("huge.iso")) << run.messages;
    EXPECT_NE(std::string::npos, run.messages.find("4294967295")) << run.messages;
    EXPECT_NE(std::string::npos, run.messages.find("a strong disc")) << run.messages;
    EXPECT_FALSE(fs::exists(output));
}

// The stream plan in 64 bits (the 32-bit build runs this too): files past
// 4 GiB run on across data files, none over the limit.
TEST(DataStreamPlan, FilesPast4GiBRunAcrossDataFilesOfTheLimit)
{
    const uint64_t five = 5ull << 30, limit = 0xFFFFFFFFull;
    std::vector<SourceEntry> entries = {
        {"a", "a", 0, false, 10, 0}, {"d", "d", 0, true, 0, 0}, {"big", "big", 1, false, five, 0},
        {"e", "e", 1, false, 0, 0},  {"z", "z", 0, false, 7, 0}};
    DataPlan plan = PlanDataStream(entries, limit, 65536);
    const uint64_t bigStored = five + (five / 65536) * 16;
    EXPECT_EQ(plan.placements[2].offset, 10 + 16);
    EXPECT_EQ(plan.placements[3].offset, 10 + 16 + bigStored);
    EXPECT_EQ(plan.placements[4].offset, 10 + 16 + bigStored);
    EXPECT_EQ(plan.placements[4].dataFile, 2u);
    EXPECT_EQ(plan.dataFileCount, 2u);
    // An empty file where a data file ends starts in the next one, which is made.
    std::vector<SourceEntry> exact = {{"a", "a", 0, false, 65536 - 16, 0}, {"e", "e", 0, false, 0, 0}};
    plan = PlanDataStream(exact, 65536, 65536);
    EXPECT_EQ(plan.placements[1].dataFile, 2u);
    EXPECT_EQ(plan.dataFileCount, 2u);
}

TEST_F(DataFilesTest, SameInputGivesIdenticalBytes)
{
    WriteText(source / "x/y.bin", PatternText(5000, 9));
    WriteText(source / "z.txt", "zz");
    fs::path first = scratch / "first";
    ASSERT_EQ(0, Build({"--label", "Same"}).exitCode);
    fs::rename(output, first);
    ASSERT_EQ(0, Build({"--label", "Same"}).exitCode);
    for (const char* name : {"discview.exe", "disc0001.dat"})
        EXPECT_EQ(ReadText(first / name), ReadText(output / name)) << name;
}

TEST_F(DataFilesTest, DiscWithoutFilesHasNoDataFile)
{
    fs::create_directories(source / "only folders");
    ASSERT_EQ(0, Build({}).exitCode);
    EXPECT_EQ(3u, ReadDisc(output).items.size());
    EXPECT_FALSE(fs::exists(output / "disc0001.dat"));
}

// Every file under folder, relative path -> contents.
std::map<std::string, std::string> FilesUnder(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] = ReadText(entry.path());
    }
    return files;
}

class DiscReadingTest : public DataFilesTest {
protected:
    fs::path target = scratch / "target";

    // a.bin, b empty, c/big.bin in disc0001.dat, d.txt alone in disc0002.dat.
    void BuildSample(bool verified)
    {
        WriteText(source / "a.bin", PatternText(1000, 1));
        WriteText(source / "b empty", "");
        WriteText(source / "c/big.bin", PatternText(2 * 1048576 + 5, 2));
        WriteText(source / "d.txt", PatternText(3000000, 4));
        ASSERT_EQ(0, Build({"--label", "Sample", "--data-file-limit", "3000000",
                            verified ? "--protection=scrambled" : "--no-integrity"})
                         .exitCode);
    }
    RunResult Verify() const { return RunMkdiscWith({"--verify", output.string()}); }
    RunResult Extract() const { return RunMkdiscWith({"--extract", output.string(), "--to", target.string()}); }
};

TEST_F(DiscReadingTest, IntactDiscsVerifyAndExtractByteForByte)
{
    for (bool verified : {false, true}) {
        SCOPED_TRACE(verified ? "verified" : "no record");
        fs::remove_all(output);
        fs::remove_all(target);
        BuildSample(verified);
        RunResult verify = Verify();
        EXPECT_EQ(0, verify.exitCode) << verify.messages << verify.output;
        RunResult extract = Extract();
        EXPECT_EQ(0, extract.exitCode) << extract.messages << extract.output;
        if (verified) {
            EXPECT_EQ("all 4 files are intact\n", verify.output);
        } else {
            EXPECT_EQ("the disc carries no checksums: only whether each file can be read is checked\n"
                      "all 4 files can be read\n",
                      verify.output);
            EXPECT_NE(std::string::npos, extract.output.find("no checksums")) << extract.output;
        }
        EXPECT_EQ(FilesUnder(source), FilesUnder(target / "Sample")) << "the disc title names the folder";
        EXPECT_EQ(4u, FilesUnder(target).size()) << "nothing but the tree";
    }
}

TEST_F(DiscReadingTest, DamageIsReportedForEachFileAloneAndNeverWritten)
{
    BuildSample(true);
    // The older copy of big.bin an earlier extraction left stays as it is.
    WriteText(target / "Sample/c/big.bin", "older copy");
    std::string data = ReadText(output / "disc0001.dat");
    data[1000 + 1048576 + 3] ^= 0x20;  // inside c/big.bin
    WriteText(output / "disc0001.dat", data);

    RunResult verify = Verify();
    EXPECT_EQ(1, verify.exitCode) << verify.messages;
    EXPECT_EQ("damaged: c/big.bin\n1 of 4 files are damaged\n", verify.output);
    RunResult extract = Extract();
    EXPECT_EQ(1, extract.exitCode) << extract.messages;
    EXPECT_NE(std::string::npos, extract.output.find("damaged: c/big.bin\n")) << extract.output;
    std::map<std::string, std::string> expected = FilesUnder(source);
    expected["c/big.bin"] = "older copy";
    EXPECT_EQ(expected, FilesUnder(target / "Sample")) << "no partial copy is left either";

    // A data file cut short or missing: the files it holds are named, the others are not.
    const std::pair<std::string, const char*> losses[] = {
        {"truncate", "unreadable: d.txt (data file disc0002.dat ends before its contents do)\n"},
        {"remove", "unreadable: d.txt (data file disc0002.dat is missing)\n"},
    };
    for (bool verified : {false, true}) {
        for (const auto& loss : losses) {
            fs::remove_all(output);
            BuildSample(verified);
            if (loss.first == "truncate")
                fs::resize_file(output / "disc0002.dat", 2999999);
            else
                fs::remove(output / "disc0002.dat");
            RunResult run = Verify();
            EXPECT_EQ(1, run.exitCode) << loss.first;
            std::string line = loss.second;
            if (verified && loss.first == "truncate")
                line.replace(0, 10, "damaged");
            EXPECT_EQ(0u, run.output.find(verified ? line : "the disc carries no checksums")) << run.output;
            EXPECT_NE(std::string::npos, run.output.find(line + "1 of 4 files")) << run.output;
        }
    }
}

// Strong discs hold any name and run one stream across data files: a file
// spans several, each name comes back as written (NFC), with its time.
TEST_F(DiscReadingTest, StrongDiscsHoldAnyNameAndRunAcrossDataFiles)
{
    const std::string polish = "\xC5\x81\xC3\xB3" "d\xC5\xBA \xE5\xA0\xB1\xE5\x91\x8A.txt";  // Łódź 報告.txt
    const std::string folder = "\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82\xD1\x8B";     // Отчёты
    const std::string emoji = "\xF0\x9F\x98\x80 \xCE\xB1.bin";                                   // 😀 α.bin
    WriteText(source / fs::u8path(polish), PatternText(1000, 1));
    WriteText(source / fs::u8path(folder) / fs::u8path(emoji), PatternText(200000, 2));
    WriteText(source / "z empty", "");
    const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(source / fs::u8path(polish), when);
    // The title in NFD is kept in NFC; the password too (typed NFC below).
    ASSERT_EQ(0, RunBuild({"--label", "Dysk \xCE\xA9 e\xCC\x81", "--password", "Lo\xCC\x81" "dz\xCC\x81",
                           "--data-file-limit", "65536"}).exitCode);
    EXPECT_TRUE(fs::exists(output / "disc0004.dat"));
    for (uint32_t number = 1; number <= 4; ++number)
        EXPECT_LE(fs::file_size(output / ("disc000" + std::to_string(number) + ".dat")), 65536u);
    const std::string password = "L\xC3\xB3" "d\xC5\xBA";
    RunResult verify = RunMkdiscWith({"--verify", output.string(), "--password", password});
    EXPECT_EQ("all 3 files are intact\n", verify.output) << verify.messages;
    RunResult extract = RunMkdiscWith({"--extract", output.string(), "--to", target.string(), "--password", password});
    EXPECT_EQ(0, extract.exitCode) << extract.output << extract.messages;
    const fs::path root = target / fs::u8path("Dysk \xCE\xA9 \xC3\xA9");
    EXPECT_EQ(FilesUnder(source), FilesUnder(root));
    auto seconds = [](fs::file_time_type t) {
        return std::chrono::duration_cast<std::chrono::seconds>(t.time_since_epoch()).count();
    };
    EXPECT_EQ(seconds(when), seconds(fs::last_write_time(root / fs::u8path(polish))));

    // A data file in the middle of the big file cut short: that file alone is damaged.
    fs::resize_file(output / "disc0002.dat", 100);
    verify = RunMkdiscWith({"--verify", output.string(), "--password", password});
    EXPECT_EQ("damaged: " + folder + "/" + emoji + " (data file disc0002.dat ends before its contents do)\n"
              "1 of 3 files are damaged\n", verify.output);
}

// --verify checks a large strong file in two halves at once: damage in
// either half is found, and a data file the second half runs into that ends
// early is named.
TEST_F(DiscReadingTest, LargeStrongFilesAreCheckedInTwoHalves)
{
    WriteText(source / "large.bin", PatternText(5000000, 3));
    ASSERT_EQ(0, RunBuild({"--password", "halves", "--data-file-limit", "3000000"}).exitCode);
    const std::string pristine = ReadText(output / "disc0001.dat");
    auto verify = [&] { return RunMkdiscWith({"--verify", output.string(), "--password", "halves"}).output; };
    EXPECT_EQ("all 1 files are intact\n", verify());
    for (size_t at : {size_t(100000), size_t(2900000)}) {
        std::string damaged = pristine;
        damaged.at(at) ^= 0x01;
        WriteText(output / "disc0001.dat", damaged);
        EXPECT_EQ("damaged: large.bin\n1 of 1 files are damaged\n", verify()) << "byte " << at;
    }
    WriteText(output / "disc0001.dat", pristine);
    fs::resize_file(output / "disc0002.dat", 1000000);
    EXPECT_EQ("damaged: large.bin (data file disc0002.dat ends before its contents do)\n"
              "1 of 1 files are damaged\n", verify());
}

TEST_F(DiscReadingTest, HostileNamesNeverWriteOutsideTheTarget)
{
    WriteText(source / "dots", "1");
    WriteText(source / "slash", "2");
    WriteText(source / "Same", "3");
    WriteText(source / "other", "4");
    WriteText(source / "up/inner", "5");
    WriteText(source / "linked/x", "6");
    WriteText(source / "fine", "7");
    ASSERT_EQ(0, Build({"--label", "Hostile", "--no-integrity"}).exitCode);
    DiscContents disc = ReadDisc(output);
    const std::pair<const char*, const char*> renames[] = {
        {"dots", ".."}, {"slash", "a/b"}, {"up", ".."}, {"other", "SAME"}, {"fine", "fine"}};
    for (ItemRecord& item : disc.items) {
        for (const auto& rename : renames) {
            if (std::string(item.itemName) == rename.first)
                strcpy(item.itemName, rename.second);
        }
    }
    WriteDisc(output, disc);
    // A link left in the target must not lead the folder "linked" elsewhere.
    fs::create_directories(target / "Hostile");
    fs::create_directories(scratch / "elsewhere");
    fs::create_directory_symlink(scratch / "elsewhere", target / "Hostile/linked");

    RunResult run = RunMkdiscWith({"--extract", output.string(), "--to", target.string()});
    EXPECT_EQ(1, run.exitCode) << run.messages;
    for (const char* line : {"refused: .. (\"..\" cannot be a file name", "refused: a/b (",
                             "refused: SAME (another item of its folder has the same name)",
                             "refused: ../inner (", "refused: linked/x (", "5 of 7 files are not written"})
        EXPECT_NE(std::string::npos, run.output.find(line)) << line << "\n" << run.output;
    EXPECT_EQ((std::map<std::string, std::string>{{"Hostile/Same", "3"}, {"Hostile/fine", "7"}}), FilesUnder(target));
    EXPECT_TRUE(fs::is_empty(scratch / "elsewhere"));
    EXPECT_FALSE(fs::exists(scratch / "inner"));
    EXPECT_FALSE(fs::exists(target / "inner"));

    // A title that cannot name a folder: nothing at all is written.
    strcpy(disc.items[1].itemName, "..");
    WriteDisc(output, disc);
    fs::path empty = scratch / "empty";
    run = RunMkdiscWith({"--extract", output.string(), "--to", empty.string()});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.output.find("the disc title \"..\" cannot name a folder")) << run.output;
    EXPECT_TRUE(FilesUnder(scratch / "empty").empty());
    EXPECT_FALSE(fs::exists(scratch / "dots"));
}

// Folders nested 100,000 deep: refused at once, never walked path by path;
// a tree within the limit still reads.
TEST_F(DiscReadingTest, DeepFolderChainsAreRefusedInLinearTime)
{
    WriteText(source / "top.txt", "1");
    ASSERT_EQ(0, Build({"--label", "Deep", "--no-integrity"}).exitCode);
    DiscContents disc = ReadDisc(output);
    for (uint32_t depth : {2000u, 100000u}) {
        DiscContents deep = disc;
        for (uint32_t i = 0; i < depth; ++i) {
            ItemRecord folder = {};
            folder.itemId = 1000 + i;
            folder.parentId = i == 0 ? disc.items[1].itemId : 1000 + i - 1;
            folder.itemType = ITEM_FOLDER;
            strcpy(folder.itemName, "d");
            deep.items.push_back(folder);
        }
        WriteDisc(output, deep);
        RunResult run = Verify();
        EXPECT_EQ(depth > DISC_MAX_DEPTH ? 2 : 0, run.exitCode) << depth << run.messages;
        if (depth > DISC_MAX_DEPTH) {
            EXPECT_NE(std::string::npos, run.messages.find("nest deeper")) << run.messages;
        }
    }
}

TEST_F(DiscReadingTest, WhatIsNoReadableDiscEndsWithExitCode2)
{
    BuildSample(true);
    std::string viewerFile = ReadText(output / "discview.exe");
    const std::pair<std::string, const char*> cases[] = {
        {"no viewer", "holds no discview.exe"},
        {"bare viewer", "carries no disc layout"},
        {"record", "integrity record"},
        {"table", "item table"},
    };
    for (const auto& c : cases) {
        std::string bytes = viewerFile;
        DiscContents disc = ReadDisc(output);
        if (c.first == "bare viewer")
            bytes = FAKE_VIEWER;
        else if (c.first == "record")
            bytes[disc.sections.header + 4124 + 40] ^= 1;  // a byte of the record's salt
        else if (c.first == "table")
            bytes[bytes.size() - 40 + 8] += 1;              // itemCount: one record more than the table holds
        WriteText(output / "discview.exe", bytes);
        if (c.first == "no viewer")
            fs::remove(output / "discview.exe");
        RunResult run = Verify();
        EXPECT_EQ(2, run.exitCode) << c.first;
        EXPECT_NE(std::string::npos, run.messages.find(c.second)) << c.first << ": " << run.messages;
        EXPECT_EQ(2, Extract().exitCode) << c.first;
        WriteText(output / "discview.exe", viewerFile);
    }
    EXPECT_FALSE(fs::exists(target / "Sample"));
}

}  // namespace
