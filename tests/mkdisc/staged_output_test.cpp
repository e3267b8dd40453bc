// A disc appears under its final names only when it is whole.
#include <gtest/gtest.h>

#include "disc_test_support.h"
#include "staged_output.h"

namespace {

TEST(StagedOutputTest, AbandonedBuildLeavesTheOldDiscAndNoTemporaryFiles)
{
    ScratchFolder scratch;
    WriteFile(scratch / "discview.exe", "old viewer");
    WriteFile(scratch / "disc0001.dat", "old data");
    {
        StagedOutput output(scratch.path());
        WriteFile(output.Stage("discview.exe"), "new viewer");
        WriteFile(output.Stage("disc0001.dat"), "new data");
        // Destroyed without Commit, as when a later step throws.
    }
    EXPECT_EQ("old viewer", ReadFile(scratch / "discview.exe"));
    EXPECT_EQ("old data", ReadFile(scratch / "disc0001.dat"));
    EXPECT_EQ(2, std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()));
}

TEST(StagedOutputTest, CommitReplacesTheDiscAndClearsStaleFiles)
{
    ScratchFolder scratch;
    fs::path folder = scratch / "new/out";
    WriteFile(folder / "disc0001.dat", "old 1");
    WriteFile(folder / "DISC0002.DAT", "old 2");
    WriteFile(folder / "disc0009.dat.mkdisc-part", "left by a crash");
    WriteFile(folder / "notes.txt", "not ours");
    StagedOutput output(folder);
    WriteFile(output.Stage("discview.exe"), "viewer");
    WriteFile(output.Stage("disc0001.dat"), "data");
    output.Commit("discview.exe", 1);
    EXPECT_EQ("viewer", ReadFile(folder / "discview.exe"));
    EXPECT_EQ("data", ReadFile(folder / "disc0001.dat"));
    EXPECT_EQ("not ours", ReadFile(folder / "notes.txt"));
    EXPECT_EQ(3, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

}  // namespace
