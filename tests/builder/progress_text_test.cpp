// The numbers the progress window and the summary show.
#include <gtest/gtest.h>

#include "progress_text.h"

namespace {

TEST(ProgressTextTest, CountsAndPositions)
{
    EXPECT_EQ("0", GroupedNumber(0));
    EXPECT_EQ("999", GroupedNumber(999));
    EXPECT_EQ("1,000", GroupedNumber(1000));
    EXPECT_EQ("4,294,967,295", GroupedNumber(4294967295u));
    EXPECT_EQ("3 of 12 files", FilesProgressText(3, 12));
    EXPECT_EQ("0 of 1 file", FilesProgressText(0, 1));
    EXPECT_EQ("1,048,576 of 3,145,728 bytes", BytesProgressText(1048576, 3145728));

    BuildTotals totals;
    totals.files = 4;
    totals.bytes = 9998ull * 4294967295ull;  // near the largest disc there can be
    EXPECT_EQ(0, ProgressPosition(0, 0, totals, 1000));
    EXPECT_EQ(500, ProgressPosition(2, totals.bytes / 2, totals, 1000));
    EXPECT_EQ(1000, ProgressPosition(4, totals.bytes, totals, 1000));
    totals.bytes = 0;  // only empty files: the files tell
    EXPECT_EQ(250, ProgressPosition(1, 0, totals, 1000));
    totals.files = 0;
    EXPECT_EQ(0, ProgressPosition(0, 0, totals, 1000));
}

TEST(ProgressTextTest, SummaryTellsWhatTheDiscHolds)
{
    BuildTotals totals;
    totals.files = 1;
    totals.folders = 2;
    totals.bytes = 12345;
    totals.dataFiles = 1;
    EXPECT_EQ("The disc is built in C:\\Discs\\Out.\r\n\r\n"
              "1 file in 2 folders, 12,345 bytes\r\n"
              "1 data file beside the viewer discview.exe",
              SummaryText(totals, "C:\\Discs\\Out"));
}

}  // namespace
