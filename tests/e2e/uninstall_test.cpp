// arcs3uninst.exe after a real installation: No changes nothing; Yes removes
// the installation directory, the uninstall key and the links (the product
// key stays); what cannot be deleted stays with the folders that hold it; a
// second run finds nothing to remove and says so all the same.
#include <filesystem>

#include "registry.h"
#include "setup_machine_state.h"
#include "uninstall_test_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class UninstallAfterInstallTest : public UninstallTest {
protected:
    void InstallTo(const fs::path& installDir) { ASSERT_TRUE(Install(SetupExe(), installDir.string())); }
};

TEST_F(UninstallAfterInstallTest, AnsweringNoLeavesEverything)
{
    const fs::path installDir = TestRoot() / "Arcseal3";
    InstallTo(installDir);
    auto before = EntriesIn(installDir);
    RunAndAnswerNo(installDir / "arcs3uninst.exe");
    EXPECT_EQ(EntriesIn(installDir), before);
    EXPECT_EQ(EntriesIn(installDir / "Help").size(), 21u);
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(fs::exists(DesktopFolder() / "Arcseal3.lnk"));
    EXPECT_EQ(EntriesIn(ShortcutFolder()).size(), 3u);
}

// Started from the installation directory, as its link and the uninstall
// string start it.
TEST_F(UninstallAfterInstallTest, YesRemovesFilesKeyAndLinks)
{
    const fs::path installDir = TestRoot() / "Arcseal3";
    InstallTo(installDir);
    // What else lies there goes too: a reader's file, another maker's link.
    WriteTextFile(installDir / "Help" / "notes.txt", "mine");
    WriteTextFile(ShortcutFolder() / "Other.lnk", "another program's link");
    WriteTextFile(StartMenuFolder() / "Arcseal3.lnk", "a link directly in the Start menu");

    auto end = RunAndAnswerYes(installDir / "arcs3uninst.exe", "uninstall-confirm");
    ASSERT_TRUE(end);
    EXPECT_EQ(*end, kRemovedText);

    // The running uninstaller's own file cannot be deleted: it stays, and
    // with it the installation directory.
    EXPECT_EQ(EntriesIn(installDir), (std::set<std::string>{"arcs3uninst.exe"}));
    EXPECT_TRUE(fs::exists(DefaultParentDir())) << "the package's default directory is not the uninstaller's";
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kProductKey, "RootInstallDir"), installDir.string());
    EXPECT_FALSE(fs::exists(DesktopFolder() / "Arcseal3.lnk"));
    EXPECT_FALSE(fs::exists(StartMenuFolder() / "Arcseal3.lnk"));
    EXPECT_FALSE(fs::exists(ShortcutFolder()));
}

TEST_F(UninstallAfterInstallTest, SecondRunRemovesOnlyLinksLeft)
{
    const fs::path installDir = TestRoot() / "Arcseal3";
    InstallTo(installDir);
    // Started from elsewhere, the uninstaller removes the directory itself too.
    auto first = RunAndAnswerYes(UninstallerExe());
    ASSERT_TRUE(first);
    EXPECT_FALSE(fs::exists(installDir));

    // The product key still names a directory; a link has come back.
    fs::create_directories(installDir);
    WriteTextFile(installDir / "arcs3uninst.exe", "not removed by a second run");
    WriteTextFile(DesktopFolder() / "Arcseal3.lnk", "left behind");
    auto second = RunAndAnswerYes(UninstallerExe());
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, kRemovedText);
    EXPECT_TRUE(fs::exists(installDir / "arcs3uninst.exe"));
    EXPECT_FALSE(fs::exists(DesktopFolder() / "Arcseal3.lnk"));
}

TEST_F(UninstallAfterInstallTest, WhatCannotBeDeletedStaysWithItsFolders)
{
    const fs::path installDir = TestRoot() / "Arcseal3";
    InstallTo(installDir);
    const fs::path lockedFile = installDir / "Help" / "images" / "logo.gif";
    ASSERT_TRUE(SetFileAttributesW(lockedFile.c_str(), FILE_ATTRIBUTE_READONLY));
    // A folder with attributes beyond "directory" (hidden here) is not
    // entered, so its contents stay too.
    const fs::path lockedFolder = installDir / "Extra";
    fs::create_directories(lockedFolder);
    WriteTextFile(lockedFolder / "kept.txt", "kept");
    ASSERT_TRUE(SetFileAttributesW(lockedFolder.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));

    auto end = RunAndAnswerYes(UninstallerExe());
    ASSERT_TRUE(end);
    EXPECT_EQ(*end, kRemovedText);
    EXPECT_EQ(EntriesIn(installDir), (std::set<std::string>{"Extra", "Help"}));
    EXPECT_EQ(EntriesIn(installDir / "Help"), (std::set<std::string>{"images"}));
    EXPECT_EQ(EntriesIn(installDir / "Help" / "images"), (std::set<std::string>{"logo.gif"}));
    EXPECT_EQ(EntriesIn(lockedFolder), (std::set<std::string>{"kept.txt"}));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(fs::exists(ShortcutFolder()));
}

}  // namespace
}  // namespace e2e
