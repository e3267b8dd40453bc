// A disc appears under its final names only when it is whole; a cancelled
// build leaves the output folder as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "build_progress.h"
#include "disc_builder.h"
#include "disc_test_support.h"
#include "folder_checks.h"
#include "staged_output.h"

namespace {

TEST(StagedOutputTest, AbandonedBuildLeavesTheOldDiscAndNoTemporaryFiles)
{
    ScratchFolder scratch;
    WriteText(scratch / "discview.exe", "old viewer");
    WriteText(scratch / "disc0001.dat", "old data");
    {
        StagedOutput output(scratch.path());
        WriteText(output.Stage("discview.exe"), "new viewer");
        WriteText(output.Stage("disc0001.dat"), "new data");
        // Destroyed without Commit, as when a later step throws.
    }
    EXPECT_EQ("old viewer", ReadText(scratch / "discview.exe"));
    EXPECT_EQ("old data", ReadText(scratch / "disc0001.dat"));
    EXPECT_EQ(2, std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()));
}

TEST(StagedOutputTest, CommitReplacesTheDiscAndClearsStaleFiles)
{
    ScratchFolder scratch;
    fs::path folder = scratch / "new/out";
    WriteText(folder / "disc0001.dat", "old 1");
    WriteText(folder / "DISC0002.DAT", "old 2");
    WriteText(folder / "disc0009.dat.mkdisc-part", "left by a crash");
    WriteText(folder / "notes.txt", "not ours");
    StagedOutput output(folder);
    WriteText(output.Stage("discview.exe"), "viewer");
    WriteText(output.Stage("disc0001.dat"), "data");
    output.Commit("discview.exe", 1);
    EXPECT_EQ("viewer", ReadText(folder / "discview.exe"));
    EXPECT_EQ("data", ReadText(folder / "disc0001.dat"));
    EXPECT_EQ("not ours", ReadText(folder / "notes.txt"));
    EXPECT_EQ(3, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A disc's own files, in any case and as leftovers of a crash, are what a
// build may replace; anything else in the folder is the author's.
TEST(StagedOutputTest, OnlyTheAuthorsOwnFilesCountAsOtherFiles)
{
    ScratchFolder scratch;
    fs::path folder = scratch / "out";
    EXPECT_TRUE(OtherFilesInOutput(folder).empty()) << "a missing folder holds nothing";
    for (const char* name : {"DiscView.EXE", "autorun.inf", "disc0001.dat", "DISC0012.DAT", "disc0003.dat.mkdisc-part",
                             "discview.exe.mkdisc-part"}) {
        EXPECT_TRUE(IsDiscFileName(name)) << name;
        WriteText(folder / name, "disc");
    }
    EXPECT_TRUE(OtherFilesInOutput(folder).empty());
    for (const char* name : {"disc0000.dat", "disc01.dat", "discview.exe.bak", "notes.txt"})
        EXPECT_FALSE(IsDiscFileName(name)) << name;
    fs::create_directories(folder / "disc0002.dat");  // a folder by a data file's name is no data file
    WriteText(folder / "notes.txt", "mine");
    WriteText(folder / "b.txt", "mine");
    WriteText(folder / "a.txt", "mine");
    WriteText(folder / "c.txt", "mine");
    std::vector<std::string> others = OtherFilesInOutput(folder);
    EXPECT_EQ(others, (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "disc0002.dat", "notes.txt"}));
    EXPECT_NE(std::string::npos, OtherFilesText(folder, others).find("(a.txt, b.txt, c.txt and 2 more)"));
}

}  // namespace

namespace {

// What a build reports, and a cancel after the given number of reports.
class RecordingProgress : public BuildProgress {
public:
    explicit RecordingProgress(size_t cancelAfter = SIZE_MAX) : cancelAfter_(cancelAfter) {}
    void Planned(const BuildTotals& totals) override
    {
        planned = totals;
        ++plannedCalls;
    }
    void Advanced(uint64_t files, uint64_t bytes) override { steps.push_back({files, bytes}); }
    bool CancelRequested() override { return steps.size() >= cancelAfter_; }

    BuildTotals planned;
    int plannedCalls = 0;
    std::vector<std::pair<uint64_t, uint64_t>> steps;

private:
    size_t cancelAfter_;
};

// Every file below a folder with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[fs::relative(entry.path(), folder).string()] = entry.is_regular_file() ? ReadText(entry.path()) : "/";
    return files;
}

class BuildProgressTest : public ::testing::Test {
protected:
    ScratchFolder scratch;
    DiscOptions options;

    void SetUp() override
    {
        WriteText(scratch / "viewer.exe", FAKE_VIEWER);
        WriteText(scratch / "src/big.bin", std::string(10u << 20, 'b'));  // three slices
        WriteText(scratch / "src/sub/small.txt", "small");
        WriteText(scratch / "src/empty.txt", "");
        options.viewer = (scratch / "viewer.exe").string();
        options.sourceDir = (scratch / "src").string();
        options.outputDir = (scratch / "out").string();
    }
};

TEST_F(BuildProgressTest, ReportsFilesAndBytesUpToThePlannedTotals)
{
    RecordingProgress progress;
    BuildTotals built = BuildDisc(options, &progress);
    EXPECT_EQ(1, progress.plannedCalls);
    EXPECT_EQ(3u, built.files);
    EXPECT_EQ(1u, built.folders);
    EXPECT_EQ((10u << 20) + 5u, built.bytes);
    EXPECT_EQ(1u, built.dataFiles);
    EXPECT_EQ(built.bytes, progress.planned.bytes);
    ASSERT_GE(progress.steps.size(), 6u) << "slices of the big file and every file's end";
    for (size_t i = 1; i < progress.steps.size(); ++i) {
        EXPECT_GE(progress.steps[i].first, progress.steps[i - 1].first);
        EXPECT_GE(progress.steps[i].second, progress.steps[i - 1].second);
    }
    EXPECT_EQ(std::make_pair(built.files, built.bytes), progress.steps.back());
}

TEST_F(BuildProgressTest, CancelLeavesAnEarlierDiscAsItWasAndMakesNoNewFolder)
{
    BuildDisc(options);
    const auto before = Snapshot(scratch / "out");
    ASSERT_TRUE(before.count("autorun.inf") && before.count("disc0001.dat"));
    WriteText(scratch / "src/new.txt", "a file the cancelled disc would have had");
    for (size_t cancelAfter : {0u, 1u, 2u}) {
        RecordingProgress progress(cancelAfter);
        EXPECT_THROW(BuildDisc(options, &progress), BuildCancelled) << cancelAfter;
        EXPECT_EQ(before, Snapshot(scratch / "out")) << cancelAfter;
    }

    options.outputDir = (scratch / "new/deeper/out").string();
    RecordingProgress progress(1);
    EXPECT_THROW(BuildDisc(options, &progress), BuildCancelled);
    EXPECT_FALSE(fs::exists(scratch / "new"));
}

}  // namespace
