// The installation directories the destination dialog accepts.
#include <gtest/gtest.h>

#include <string>

#include "install_dir.h"

namespace {

PackageSummary WithTail(uint32_t tail)
{
    PackageSummary summary{};
    summary.longestInstallTail = tail;
    return summary;
}

TEST(InstallDir, FullPathsWithADriveAreAccepted)
{
    PackageSummary summary = WithTail(29);
    for (const char* dir : {"c:\\Program Files\\Corvane Software\\Arcseal3", "D:\\Arcseal3", "c:\\", "c:\\a\\",
                            "c:\\a\\\\b", "z:\\caf\xe9\\x"})
        EXPECT_EQ(CheckInstallDir(dir, &summary), INSTALL_DIR_OK) << dir;
}

TEST(InstallDir, EmptyRelativeAndNetworkPathsAreRefused)
{
    PackageSummary summary = WithTail(29);
    EXPECT_EQ(CheckInstallDir("", &summary), INSTALL_DIR_EMPTY);
    EXPECT_EQ(CheckInstallDir(nullptr, &summary), INSTALL_DIR_EMPTY);
    for (const char* dir : {"Arcseal3", "c:", "c:Arcseal3", "\\Arcseal3", "\\\\server\\share", "1:\\x", " c:\\x",
                            "c:/x"})
        EXPECT_EQ(CheckInstallDir(dir, &summary), INSTALL_DIR_NOT_ABSOLUTE) << dir;
}

TEST(InstallDir, NamesWindowsWouldRefuseOrChangeAreRefused)
{
    PackageSummary summary = WithTail(29);
    for (const char* dir : {"c:\\a|b", "c:\\a\\..\\b", "c:\\.\\b", "c:\\a.", "c:\\a \\b", "c:\\nul\\x",
                            "c:\\a:b", "c:\\a/b", "c:\\a*"})
        EXPECT_EQ(CheckInstallDir(dir, &summary), INSTALL_DIR_BAD_NAME) << dir;
}

TEST(InstallDir, LengthLeavesRoomForTheDeepestFile)
{
    PackageSummary summary = WithTail(29);
    EXPECT_EQ(LongestInstallDir(&summary), 226u);
    std::string longest = "c:\\" + std::string(223, 'd');
    EXPECT_EQ(CheckInstallDir(longest.c_str(), &summary), INSTALL_DIR_OK);
    EXPECT_EQ(CheckInstallDir((longest + "d").c_str(), &summary), INSTALL_DIR_TOO_LONG);
    // An empty package still needs the directory itself to fit.
    PackageSummary empty = WithTail(0);
    EXPECT_EQ(LongestInstallDir(&empty), 255u);
    EXPECT_EQ(CheckInstallDir(("c:\\" + std::string(253, 'd')).c_str(), &empty), INSTALL_DIR_TOO_LONG);
    PackageSummary huge = WithTail(300);
    EXPECT_EQ(LongestInstallDir(&huge), 0u);
}

}  // namespace
