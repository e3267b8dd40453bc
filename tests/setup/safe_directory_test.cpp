// Which installation directories the uninstaller refuses to empty.
#include <gtest/gtest.h>

#include "safe_directory.h"

namespace {

const char* const kWindows = "C:\\windows";
const char* const kSystem = "C:\\windows\\system32";

TEST(SafeDirectory, InstallationDirectoriesMayBeEmptied)
{
    for (const char* dir : {"C:\\Program Files\\Corvane Software\\Arcseal3", "c:\\Arcseal3\\", "D:\\x",
                            "C:\\windows2", "C:\\windowsx\\system32", "D:\\windows", "C:\\Program Files"})
        EXPECT_FALSE(IsProtectedDirectory(dir, kWindows, kSystem)) << dir;
}

TEST(SafeDirectory, DriveRootsAndOtherKindsOfPathAreProtected)
{
    for (const char* dir : {"C:\\", "c:\\\\", "C:", "c:", "", "Arcseal3", "\\Arcseal3", "\\\\server\\share\\x",
                            "\\\\?\\C:\\x", "\\\\.\\C:\\x", "1:\\x"})
        EXPECT_TRUE(IsProtectedDirectory(dir, kWindows, kSystem)) << dir;
    EXPECT_TRUE(IsProtectedDirectory(nullptr, kWindows, kSystem));
}

TEST(SafeDirectory, WindowsAndSystemDirectoriesAndWhatHoldsThemAreProtected)
{
    for (const char* dir : {"C:\\windows", "c:\\WINDOWS\\", "C:\\Windows\\System32", "c:\\windows\\system32\\\\"})
        EXPECT_TRUE(IsProtectedDirectory(dir, kWindows, kSystem)) << dir;
    // A Windows installed below another folder: that folder holds it.
    EXPECT_TRUE(IsProtectedDirectory("D:\\OS", "D:\\OS\\Windows", "D:\\OS\\Windows\\system32"));
    EXPECT_TRUE(IsProtectedDirectory("D:\\os\\", "D:\\OS\\Windows", "D:\\OS\\Windows\\system32"));
    EXPECT_FALSE(IsProtectedDirectory("D:\\OS\\Windows\\Temp\\x", "D:\\OS\\Windows", "D:\\Sys"));
    // Without the directories to compare with, nothing is emptied.
    EXPECT_TRUE(IsProtectedDirectory("C:\\x", "", kSystem));
    EXPECT_TRUE(IsProtectedDirectory("C:\\x", kWindows, nullptr));
}

}  // namespace
