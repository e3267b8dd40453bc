// A disc's custom font goes into the system Fonts folder and the registry on
// the first run only, and a stored font file name that is not a plain file
// name installs nothing anywhere.
#include <filesystem>

#include "layout_bytes.h"
#include "paths.h"
#include "registry.h"
#include "viewer_test.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::string kFontFile = "ArcsealTestFont.ttf";
const std::string kFace = "Arcseal Test Font";
const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kFirstChoiceFontKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
const char* const kSecondChoiceFontKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

class CustomFontTest : public ViewerTest {
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        auto folder = ReadRegistryString(HKEY_CURRENT_USER, kShellFolders, "Fonts");
        ASSERT_TRUE(folder) << "no Fonts shell folder in this prefix";
        fontsFolder_ = *folder;
        fontKey_ = RegistryKeyExists(HKEY_LOCAL_MACHINE, kFirstChoiceFontKey) ? kFirstChoiceFontKey
                                                                               : kSecondChoiceFontKey;
        RemoveTestFont();  // an earlier, killed run may have left it
    }

    void TearDown() override
    {
        ViewerTest::TearDown();  // the viewer is gone before its font file is removed
        RemoveTestFont();
    }

    void RemoveTestFont()
    {
        std::error_code ignored;
        fs::remove(fontsFolder_ / kFontFile, ignored);
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, fontKey_, kFace);
    }

    BuiltDisc BuildFontDisc()
    {
        return BuildSampleDisc("disc", {L"--font", (DataDir() / kFontFile).wstring(), L"--font-face",
                                        std::wstring(kFace.begin(), kFace.end())});
    }

    fs::path fontsFolder_;
    std::string fontKey_;
};

TEST_F(CustomFontTest, FirstRunInstallsAndRegistersLaterRunsLeaveItAlone)
{
    BuiltDisc disc = BuildFontDisc();
    ASSERT_TRUE(disc.ok) << disc.output;
    const fs::path installed = fontsFolder_ / kFontFile;
    ASSERT_FALSE(fs::exists(installed));

    ASSERT_TRUE(FinishesStartUpCleanly(StartViewer(disc.viewer)));
    ASSERT_TRUE(fs::exists(installed)) << installed << " was not written";
    EXPECT_TRUE(ReadBytes(installed) == ReadBytes(DataDir() / kFontFile))
        << "the installed font differs from the one put on the disc";
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, fontKey_, kFace), kFontFile)
        << "no font entry under HKLM\\" << fontKey_;

    // A second run finds the file and neither rewrites nor registers it.
    ASSERT_TRUE(DeleteRegistryValue(HKEY_LOCAL_MACHINE, fontKey_, kFace));
    const auto writeTime = fs::last_write_time(installed);
    ASSERT_TRUE(FinishesStartUpCleanly(StartViewer(disc.viewer)));
    EXPECT_FALSE(RegistryValueExists(HKEY_LOCAL_MACHINE, fontKey_, kFace)) << "registered again";
    EXPECT_TRUE(fs::last_write_time(installed) == writeTime) << "font file written again";
}

TEST_F(CustomFontTest, StoredFileNameThatIsNotAPlainNameInstallsNothing)
{
    BuiltDisc disc = BuildFontDisc();
    ASSERT_TRUE(disc.ok) << disc.output;
    const Bytes built = ReadBytes(disc.viewer);
    ASSERT_EQ(HeaderTextField(built, kFontFileName), kFontFile) << "disc header not as expected";
    ASSERT_EQ(HeaderTextField(built, kFontFaceName), kFace) << "disc header not as expected";

    const fs::path windows = WindowsFolder();
    const fs::path driveRoot = windows.root_path();
    for (const std::string name : {"..\\ArcsealEscaped.ttf", "sub\\ArcsealEscaped.ttf",
                                   "C:\\ArcsealEscaped.ttf", "..", ""}) {
        SCOPED_TRACE("font file name \"" + name + "\"");
        Bytes patched = built;
        SetHeaderTextField(patched, kFontFileName, name);
        fs::path viewer = Scratch() / "patched" / "discview.exe";
        fs::create_directories(viewer.parent_path());
        WriteBytes(viewer, patched);

        const auto fontsBefore = EntriesIn(fontsFolder_);
        const auto windowsBefore = EntriesIn(windows);
        const auto rootBefore = EntriesIn(driveRoot);
        EXPECT_TRUE(FinishesStartUpCleanly(StartViewer(viewer)));
        EXPECT_EQ(NewEntries(fontsBefore, EntriesIn(fontsFolder_)), std::set<std::string>{});
        EXPECT_EQ(NewEntries(windowsBefore, EntriesIn(windows)), std::set<std::string>{});
        EXPECT_EQ(NewEntries(rootBefore, EntriesIn(driveRoot)), std::set<std::string>{});
        EXPECT_FALSE(RegistryValueExists(HKEY_LOCAL_MACHINE, fontKey_, kFace)) << "registered anyway";
    }
}

}  // namespace
}  // namespace e2e
