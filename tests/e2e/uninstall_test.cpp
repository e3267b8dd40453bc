// arcs3uninst.exe after a real installation: No changes nothing; Yes removes
// exactly what setup installed - every file of the package, the folders it
// made once they are empty, the uninstall key and the links (the product key
// stays) - and never the user's own files; started from the installation, it
// leaves nothing of itself behind; what stays is named in its closing message.
#include <windows.h>

#include <filesystem>

#include "registry.h"
#include "setup_machine_state.h"
#include "setup_package_bytes.h"
#include "uninstall_test_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class UninstallAfterInstallTest : public UninstallTest {
protected:
    void InstallTo(const fs::path& installDir, bool folderQuestion = false)
    {
        defaultParentMade_ = !fs::exists(DefaultParentDir());
        ASSERT_TRUE(Install(SetupExe(), installDir.string(), folderQuestion));
    }

    // Every file of the package, as installed under installDir.
    std::vector<fs::path> InstalledFiles(const fs::path& installDir)
    {
        std::vector<fs::path> files;
        auto package = ReadPackage(ReadBytes(SetupExe()));
        EXPECT_TRUE(package);
        if (package) {
            for (const PackageEntryInfo& entry : package->entries)
                files.push_back(InstalledPathOf(entry.destination, installDir));
        }
        return files;
    }

    void ExpectKeyAndLinksRemoved(const fs::path& installDir)
    {
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
        EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kProductKey, "RootInstallDir"), installDir.string());
        EXPECT_FALSE(fs::exists(DesktopFolder() / "Arcseal3.lnk"));
        EXPECT_FALSE(fs::exists(ShortcutFolder()));
    }

    // The package's default directory goes with the installation when setup made it.
    void ExpectDefaultParentRemovedIfMade()
    {
        if (defaultParentMade_) {
            EXPECT_FALSE(fs::exists(DefaultParentDir()));
        }
    }

    // Only the copy of the uninstaller, which ran from the temporary folder,
    // is left to Windows.
    void ExpectOnlyTheCopyQueued()
    {
        ASSERT_FALSE(Copy().empty()) << "the uninstaller did not hand over to a copy";
        auto queued = RemovalsAtRestart();
        ASSERT_EQ(queued.size(), 1u);
        std::error_code error;
        EXPECT_TRUE(fs::equivalent(queued[0], Copy(), error)) << queued[0] << " is not " << Copy();
    }

    bool defaultParentMade_ = false;
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
    ExpectOnlyTheCopyQueued();
}

// Installed into a folder of the user's, which setup asked about; a note
// added beside the help pages later. Started from the installation, as its
// link and the uninstall string start it.
TEST_F(UninstallAfterInstallTest, UserFilesStayAndEveryInstalledFileGoes)
{
    const fs::path installDir = TestRoot() / "Documents";
    fs::create_directories(installDir / "Letters");
    WriteText(installDir / "report.txt", "mine, from before");
    WriteText(installDir / "Letters" / "letter.txt", "mine, from before");
    InstallTo(installDir, true);
    WriteText(installDir / "Help" / "notes.txt", "mine, from after");
    // The Start-menu folder is emptied whole, another maker's link with it.
    WriteText(ShortcutFolder() / "Other.lnk", "another program's link");
    WriteText(StartMenuFolder() / "Arcseal3.lnk", "a link directly in the Start menu");
    WriteText(OlderShortcutFolder() / "Arcseal3.lnk", "an older installation's link");

    auto end = RunAndAnswerYes(installDir / "arcs3uninst.exe", "uninstall-confirm");
    ASSERT_TRUE(end);
    EXPECT_EQ(*end, kNotRemovedText + "\r\n\r\n" + (installDir / "Help").string() +
                        " (holds files Arcseal3 did not install)");

    for (const fs::path& file : InstalledFiles(installDir))
        EXPECT_FALSE(fs::exists(file)) << file;
    EXPECT_EQ(EntriesIn(installDir), (std::set<std::string>{"Letters", "report.txt", "Help"}));
    EXPECT_EQ(EntriesIn(installDir / "Letters"), (std::set<std::string>{"letter.txt"}));
    EXPECT_EQ(EntriesIn(installDir / "Help"), (std::set<std::string>{"notes.txt"}));
    ExpectOnlyTheCopyQueued();
    ExpectDefaultParentRemovedIfMade();
    ExpectKeyAndLinksRemoved(installDir);
    EXPECT_FALSE(fs::exists(StartMenuFolder() / "Arcseal3.lnk"));
    EXPECT_FALSE(fs::exists(OlderShortcutFolder()));
}

TEST_F(UninstallAfterInstallTest, SecondRunRemovesOnlyLinksLeft)
{
    const fs::path installDir = TestRoot() / "Arcseal3";
    InstallTo(installDir);
    auto first = RunAndAnswerYes(installDir / "arcs3uninst.exe");
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, kRemovedText);
    EXPECT_FALSE(fs::exists(installDir)) << "the folder setup made goes with its last file";
    ExpectDefaultParentRemovedIfMade();
    ExpectOnlyTheCopyQueued();

    // The product key still names a directory; a link has come back.
    fs::create_directories(installDir);
    WriteText(installDir / "arcs3uninst.exe", "not removed by a second run");
    WriteText(DesktopFolder() / "Arcseal3.lnk", "left behind");
    auto second = RunAndAnswerYes(UninstallerExe());
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, kRemovedText);
    EXPECT_TRUE(fs::exists(installDir / "arcs3uninst.exe"));
    EXPECT_FALSE(fs::exists(DesktopFolder() / "Arcseal3.lnk"));
}

TEST_F(UninstallAfterInstallTest, WhatCannotBeDeletedIsNamed)
{
    const fs::path installDir = TestRoot() / "Arcseal3";
    // The test's own folder is there before: not setup's, so not named.
    fs::create_directories(TestRoot());
    InstallTo(installDir);
    const fs::path readOnly = installDir / "Help" / "images" / "logo.gif";
    ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const fs::path inUse = installDir / "discview.dll";
    HANDLE held = CreateFileW(inUse.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // A folder of the user's, hidden: not setup's, so never looked into.
    const fs::path usersFolder = installDir / "Extra";
    fs::create_directories(usersFolder);
    WriteText(usersFolder / "kept.txt", "kept");
    ASSERT_TRUE(SetFileAttributesW(usersFolder.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));

    auto end = RunAndAnswerYes(UninstallerExe());
    CloseHandle(held);
    ASSERT_TRUE(end);
    const std::string notEmptied = " (not everything in it could be deleted)\r\n";
    EXPECT_EQ(*end, kNotRemovedText + "\r\n\r\n" + inUse.string() + " (in use)\r\n" + readOnly.string() +
                        " (read-only)\r\n" + readOnly.parent_path().string() + notEmptied +
                        (installDir / "Help").string() + notEmptied + installDir.string() +
                        " (holds files Arcseal3 did not install)");
    EXPECT_EQ(EntriesIn(installDir), (std::set<std::string>{"Extra", "Help", "discview.dll"}));
    EXPECT_EQ(EntriesIn(installDir / "Help"), (std::set<std::string>{"images"}));
    EXPECT_EQ(EntriesIn(installDir / "Help" / "images"), (std::set<std::string>{"logo.gif"}));
    EXPECT_EQ(EntriesIn(usersFolder), (std::set<std::string>{"kept.txt"}));
    ExpectKeyAndLinksRemoved(installDir);
}

// An older installation, without a log, is emptied whole. Where no copy can
// be made (here: the temporary folder is missing), the uninstaller leaves its
// own file and the folder that then holds only it to Windows.
TEST_F(UninstallAfterInstallTest, WithoutACopyItsOwnFileIsLeftToWindows)
{
    const fs::path installDir = TestRoot() / "Arcseal3";
    InstallTo(installDir);
    ASSERT_TRUE(fs::remove(installDir / kInstallLogName));
    WriteText(installDir / "Help" / "notes.txt", "goes with an older installation");

    // The uninstaller finds its temporary folder where the environment says.
    const fs::path missing = TestRoot() / "no-temp";
    std::wstring saved[2];
    const wchar_t* names[2] = {L"TMP", L"TEMP"};
    for (int i = 0; i < 2; ++i) {
        wchar_t value[MAX_PATH] = L"";
        GetEnvironmentVariableW(names[i], value, MAX_PATH);
        saved[i] = value;
        SetEnvironmentVariableW(names[i], missing.c_str());
    }
    auto end = RunAndAnswerYes(installDir / "arcs3uninst.exe");
    for (int i = 0; i < 2; ++i)
        SetEnvironmentVariableW(names[i], saved[i].c_str());
    ASSERT_TRUE(end);
    EXPECT_TRUE(Copy().empty()) << "a copy ran without a temporary folder";
    const fs::path own = installDir / "arcs3uninst.exe";
    EXPECT_EQ(*end,
              kNotRemovedText + "\r\n\r\n" + own.string() + kAtRestart + "\r\n" + installDir.string() + kAtRestart);
    EXPECT_EQ(EntriesIn(installDir), (std::set<std::string>{"arcs3uninst.exe"}));
    EXPECT_EQ(RemovalsAtRestart(), (std::vector<std::string>{own.string(), installDir.string()}));
    ExpectKeyAndLinksRemoved(installDir);
}

}  // namespace
}  // namespace e2e
