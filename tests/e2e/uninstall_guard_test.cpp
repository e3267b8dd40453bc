// An uninstall key whose RootInstallDir names no installation of Arcseal 3 -
// a drive, the Windows directory, a folder without arcs3uninst.exe - leaves
// that folder untouched; the key and the links are removed all the same and
// the closing message says the folder was left in place.
#include <filesystem>

#include "files.h"
#include "registry.h"
#include "setup_machine_state.h"
#include "uninstall_test_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class UninstallGuardTest : public UninstallTest {
protected:
    void TearDown() override
    {
        for (const fs::path& marker : markers_) {
            std::error_code ignored;
            fs::remove(marker, ignored);
        }
        UninstallTest::TearDown();
    }

    // A file the uninstaller must not delete; removed after the test.
    fs::path Marker(const fs::path& folder)
    {
        fs::path marker = folder / "arcseal-e2e-marker.txt";
        WriteText(marker, "must stay");
        markers_.push_back(marker);
        return marker;
    }

    // Runs the uninstaller with RootInstallDir set to directory and links in
    // place; the folder must stay, the key and the links go.
    void ExpectLeftInPlace(const std::string& directory, const std::vector<fs::path>& mustStay)
    {
        SCOPED_TRACE("RootInstallDir " + directory);
        SetRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "RootInstallDir", directory);
        WriteText(DesktopFolder() / "Arcseal3.lnk", "link");
        fs::create_directories(ShortcutFolder());
        WriteText(ShortcutFolder() / "help.lnk", "link");

        auto end = RunAndAnswerYes(UninstallerExe());
        ASSERT_TRUE(end);
        EXPECT_EQ(*end, "Arcseal3 has been removed from your computer, but its folder was left in place:\r\n" +
                            directory +
                            "\r\n\r\nIt is a drive, the Windows folder or a folder without arcs3uninst.exe, so no "
                            "file in it was deleted.");
        for (const fs::path& path : mustStay)
            EXPECT_TRUE(fs::exists(path)) << path << " was deleted";
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
        EXPECT_FALSE(fs::exists(DesktopFolder() / "Arcseal3.lnk"));
        EXPECT_FALSE(fs::exists(ShortcutFolder()));
    }

    std::vector<fs::path> markers_;
};

TEST_F(UninstallGuardTest, DriveRootIsNotEmptied)
{
    fs::path marker = Marker("C:\\");
    ExpectLeftInPlace("C:\\", {marker});
    ExpectLeftInPlace("c:", {marker});
    ExpectLeftInPlace(WindowsFolder().string() + "\\system32\\..\\..", {marker});
}

TEST_F(UninstallGuardTest, WindowsAndSystemDirectoriesAreNotEmptied)
{
    fs::path windowsMarker = Marker(WindowsFolder());
    ExpectLeftInPlace(WindowsFolder().string(), {windowsMarker});
    ExpectLeftInPlace(WindowsFolder().string() + "\\", {windowsMarker});
    ExpectLeftInPlace((WindowsFolder() / "system32").string(), {windowsMarker, WindowsFolder() / "system32"});
}

TEST_F(UninstallGuardTest, FolderWithoutTheUninstallerIsNotEmptied)
{
    const fs::path folder = TestRoot() / "Documents";
    fs::create_directories(folder / "Letters");
    WriteText(folder / "report.txt", "mine");
    WriteText(folder / "Letters" / "letter.txt", "mine");
    ExpectLeftInPlace(folder.string(), {folder / "report.txt", folder / "Letters" / "letter.txt"});

    // A folder of that name is not the uninstaller.
    fs::create_directories(folder / "arcs3uninst.exe");
    ExpectLeftInPlace(folder.string(), {folder / "report.txt", folder / "arcs3uninst.exe"});
}

}  // namespace
}  // namespace e2e
