// UnpackPackageFrom in this process: every entry lands in its place byte for
// byte whatever its size, the progress bar counts the entries, and each
// failure shows its message, stops, and keeps what must not be touched.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "message_box_catcher.h"
#include "package_test_files.h"
#include "install_log.h"
#include "package_unpack.h"
#include "setup_helpers.h"
#include "setup_state.h"

namespace setup_test {
namespace {

namespace fs = std::filesystem;

// A hidden progress bar for UnpackPackageFrom to drive.
class ProgressBar {
public:
    ProgressBar()
    {
        InitCommonControls();
        window_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
        SendMessageA(window_, PBM_SETSTEP, 1, 0);
        progressBar = window_;
    }
    ~ProgressBar()
    {
        progressBar = nullptr;
        DestroyWindow(window_);
    }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;
    int Position() const { return (int)SendMessageA(window_, PBM_GETPOS, 0, 0); }
    int Limit() const { return (int)SendMessageA(window_, PBM_GETRANGE, FALSE, 0); }

private:
    HWND window_;
};

class UnpackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        installDir_ = folder_.Path() / "install" / "Arcseal3";
        defaultDir_ = folder_.Path() / "install";
        snprintf(installDir, sizeof installDir, "%s", installDir_.string().c_str());
        unpackCancelled = 0;
    }

    fs::path Package(const std::vector<std::pair<std::string, Bytes>>& entries)
    {
        return MakePackage(folder_.Path() / ("package" + std::to_string(++packages_)), entries,
                           defaultDir_.string());
    }

    TempFolder folder_{"unpack"};
    fs::path installDir_, defaultDir_;
    int packages_ = 0;
};

TEST_F(UnpackTest, EveryEntryLandsInItsPlace)
{
    const std::vector<std::pair<std::string, Bytes>> entries = {
        {"ROOT\\empty.exe", Pattern(0)},
        {"ROOT\\one.bin", Pattern(1, 1)},
        {"ROOT\\piece.bin", Pattern(1048576, 2)},
        {"HELP\\piece-and-one.htm", Pattern(1048577, 3)},
        {"IMAGES\\two-pieces.jpg", Pattern(2097152, 4)},
        {"HELP\\guide\\deep\\page.htm", Pattern(5000, 5)},
    };
    const fs::path package = Package(entries);
    ProgressBar bar;
    MessageBoxCatcher catcher;
    ASSERT_EQ(UnpackPackageFrom(package.string().c_str()), 1);
    EXPECT_TRUE(catcher.Boxes().empty());
    EXPECT_EQ(ReadBytes(installDir_ / "empty.exe"), entries[0].second);
    EXPECT_EQ(ReadBytes(installDir_ / "one.bin"), entries[1].second);
    EXPECT_TRUE(ReadBytes(installDir_ / "piece.bin") == entries[2].second);
    EXPECT_TRUE(ReadBytes(installDir_ / "Help" / "piece-and-one.htm") == entries[3].second);
    EXPECT_TRUE(ReadBytes(installDir_ / "Help" / "images" / "two-pieces.jpg") == entries[4].second);
    EXPECT_EQ(ReadBytes(installDir_ / "Help" / "guide" / "deep" / "page.htm"), entries[5].second);
    EXPECT_EQ(bar.Limit(), 6);
    EXPECT_EQ(bar.Position(), 6);
    EXPECT_EQ(entryCount, 6);
}

TEST_F(UnpackTest, ExistingFilesAreOverwritten)
{
    fs::create_directories(installDir_);
    WriteBytes(installDir_ / "a.exe", Pattern(5000, 9));
    const fs::path package = Package({{"ROOT\\a.exe", Pattern(10, 1)}});
    MessageBoxCatcher catcher;
    ASSERT_EQ(UnpackPackageFrom(package.string().c_str()), 1);
    EXPECT_EQ(ReadBytes(installDir_ / "a.exe"), Pattern(10, 1));
}

TEST_F(UnpackTest, EmptyPackageStillMakesTheDefaultDirectory)
{
    defaultDir_ = folder_.Path() / "a" / "b" / "c";
    const fs::path package = Package({});
    ProgressBar bar;
    MessageBoxCatcher catcher;
    ASSERT_EQ(UnpackPackageFrom(package.string().c_str()), 1);
    EXPECT_TRUE(catcher.Boxes().empty());
    EXPECT_TRUE(fs::is_directory(defaultDir_));
    EXPECT_FALSE(fs::exists(installDir_));
    EXPECT_EQ(bar.Limit(), 0);
}

TEST_F(UnpackTest, FileThatCannotBeCreatedStopsAtItsEntry)
{
    fs::create_directories(installDir_);
    WriteBytes(installDir_ / "f.bin", Pattern(3, 7));
    ASSERT_TRUE(SetFileAttributesW((installDir_ / "f.bin").c_str(), FILE_ATTRIBUTE_READONLY));
    const fs::path package = Package({{"ROOT\\a.bin", Pattern(1)}, {"ROOT\\b.bin", Pattern(2)},
                                      {"ROOT\\c.bin", Pattern(3)}, {"ROOT\\d.bin", Pattern(4)},
                                      {"ROOT\\e.bin", Pattern(5)}, {"ROOT\\f.bin", Pattern(6)},
                                      {"ROOT\\g.bin", Pattern(7)}});
    ProgressBar bar;
    MessageBoxCatcher catcher;
    EXPECT_EQ(UnpackPackageFrom(package.string().c_str()), 0);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error:(3439)");
    EXPECT_EQ(catcher.Boxes()[0].text, "Cannot create file from package 5.");
    EXPECT_EQ(bar.Position(), 5);
    EXPECT_TRUE(fs::exists(installDir_ / "e.bin"));
    EXPECT_EQ(ReadBytes(installDir_ / "f.bin"), Pattern(3, 7));
    EXPECT_FALSE(fs::exists(installDir_ / "g.bin"));
    SetFileAttributesW((installDir_ / "f.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(UnpackTest, DirectoryThatCannotBeMadeStopsAtItsEntry)
{
    // The installation directory would lie below a file.
    WriteBytes(folder_.Path() / "file", Pattern(1));
    installDir_ = folder_.Path() / "file" / "Arcseal3";
    snprintf(installDir, sizeof installDir, "%s", installDir_.string().c_str());
    const fs::path package = Package({{"ROOT\\a.exe", Pattern(1)}});
    MessageBoxCatcher catcher;
    EXPECT_EQ(UnpackPackageFrom(package.string().c_str()), 0);
    ASSERT_EQ(catcher.Boxes().size(), 2u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error Making Dir...(9834311)");
    EXPECT_EQ(catcher.Boxes()[0].text, installDir_.string());
    EXPECT_EQ(catcher.Boxes()[1].caption, "Error:(3438)");
    EXPECT_EQ(catcher.Boxes()[1].text, "Cannot make dir. from package 0 - Aborting.");
}

TEST_F(UnpackTest, FileWhereAFolderShouldBeStopsAtItsEntry)
{
    fs::create_directories(installDir_);
    WriteBytes(installDir_ / "Help", Pattern(1));
    const fs::path package = Package({{"ROOT\\a.exe", Pattern(1)}, {"HELP\\index.htm", Pattern(2)}});
    MessageBoxCatcher catcher;
    EXPECT_EQ(UnpackPackageFrom(package.string().c_str()), 0);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error:(3439)");
    EXPECT_EQ(catcher.Boxes()[0].text, "Cannot create file from package 1.");
    EXPECT_EQ(ReadBytes(installDir_ / "Help"), Pattern(1));
}

TEST_F(UnpackTest, DefaultDirectoryThatCannotBeMadeStopsBeforeTheEntries)
{
    WriteBytes(folder_.Path() / "blocked", Pattern(1));
    defaultDir_ = folder_.Path() / "blocked" / "dir";
    const fs::path package = Package({{"ROOT\\a.exe", Pattern(1)}});
    MessageBoxCatcher catcher;
    EXPECT_EQ(UnpackPackageFrom(package.string().c_str()), 0);
    ASSERT_EQ(catcher.Boxes().size(), 2u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error Making Dir...(9834311)");
    EXPECT_EQ(catcher.Boxes()[1].caption, "Error:(3437)");
    EXPECT_EQ(catcher.Boxes()[1].text, "Cannot make dirs. Aborting.");
    EXPECT_FALSE(fs::exists(installDir_));
}

TEST_F(UnpackTest, DamagedOrMissingPackageWritesNothing)
{
    const fs::path package = Package({{"ROOT\\a.exe", Pattern(100)}});
    Bytes bytes = ReadBytes(package);
    bytes.pop_back();
    WriteBytes(package, bytes);
    MessageBoxCatcher catcher;
    EXPECT_EQ(UnpackPackageFrom(package.string().c_str()), 0);
    EXPECT_EQ(UnpackPackageFrom((folder_.Path() / "missing.exe").string().c_str()), 0);
    ASSERT_EQ(catcher.Boxes().size(), 2u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error:(3436)");
    EXPECT_EQ(catcher.Boxes()[0].text, "Installer corrupt. Please re-download and try again.");
    EXPECT_EQ(catcher.Boxes()[1].caption, "Error:(3435)");
    EXPECT_EQ(catcher.Boxes()[1].text, "Cannot open host installer for unpacking.");
    EXPECT_FALSE(fs::exists(defaultDir_));
}

TEST_F(UnpackTest, InstallationDirectoryTooLongForAnEntryWritesNothing)
{
    const fs::path package = Package({{"ROOT\\a.exe", Pattern(1)}, {"IMAGES\\long-name.gif", Pattern(1)}});
    std::string dir = defaultDir_.string() + "\\" + std::string(240 - defaultDir_.string().size(), 'd');
    snprintf(installDir, sizeof installDir, "%s", dir.c_str());
    MessageBoxCatcher catcher;
    EXPECT_EQ(UnpackPackageFrom(package.string().c_str()), 0);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error:");
    EXPECT_FALSE(fs::exists(dir));
}

TEST_F(UnpackTest, CancelStopsWithoutAMessage)
{
    const fs::path package = Package({{"ROOT\\a.exe", Pattern(1)}});
    unpackCancelled = 1;
    MessageBoxCatcher catcher;
    EXPECT_EQ(UnpackPackageFrom(package.string().c_str()), 0);
    EXPECT_TRUE(catcher.Boxes().empty());
    EXPECT_FALSE(fs::exists(installDir_ / "a.exe"));
    unpackCancelled = 0;
}

// The log names what setup made - not the folders and files that were
// there - and a second run keeps the first run's entries.
TEST_F(UnpackTest, InstallLogNamesWhatWasCreated)
{
    const fs::path package = Package({{"ROOT\\a.exe", Pattern(1)}, {"IMAGES\\x.gif", Pattern(2)}});
    MessageBoxCatcher catcher;
    ASSERT_EQ(UnpackPackageFrom(package.string().c_str()), 1);
    const std::string dir = installDir_.string();
    const std::string first = "Arcseal3 install log\r\nD " + defaultDir_.string() + "\r\nD " + dir +
                              "\r\nF " + dir + "\\a.exe\r\nD " + dir + "\\Help\r\nD " + dir +
                              "\\Help\\images\r\nF " + dir + "\\Help\\images\\x.gif\r\n";
    Bytes log = ReadBytes(installDir_ / INSTALL_LOG_NAME);
    EXPECT_EQ(std::string(log.begin(), log.end()), first);

    WriteBytes(installDir_ / "mine.txt", Pattern(3));
    fs::create_directories(installDir_ / "Mine");
    const fs::path again = Package({{"ROOT\\a.exe", Pattern(1)}, {"ROOT\\Mine\\b.exe", Pattern(2)},
                                    {"ROOT\\mine.txt", Pattern(4)}});
    ASSERT_EQ(UnpackPackageFrom(again.string().c_str()), 1);
    log = ReadBytes(installDir_ / INSTALL_LOG_NAME);
    EXPECT_EQ(std::string(log.begin(), log.end()),
              first + "F " + dir + "\\Mine\\b.exe\r\nF " + dir + "\\mine.txt\r\n")
        << "files of the package in the installation are setup's, even where one was before";
    EXPECT_TRUE(catcher.Boxes().empty());
}

TEST(CopyPackageData, ShortReadsAndFailedWritesFail)
{
    File source = StreamOf(Pattern(100));
    File target(tmpfile());
    EXPECT_EQ(CopyPackageData(target.get(), source.get(), 101), 0) << "only 100 bytes to read";

    TempFolder folder("copy");
    WriteBytes(folder.Path() / "in.bin", Pattern(10));
    File readOnly(fopen((folder.Path() / "in.bin").string().c_str(), "rb"));
    source = StreamOf(Pattern(100000));
    EXPECT_EQ(CopyPackageData(readOnly.get(), source.get(), 100000), 0) << "a stream that cannot be written";
}

TEST(MakeDirectoryPath, MakesEveryMissingDirectory)
{
    TempFolder folder("mkdir");
    const std::string base = folder.Path().string();
    MessageBoxCatcher catcher;
    EXPECT_EQ(MakeDirectoryPath((base + "\\a\\b\\c").c_str()), 1);
    EXPECT_TRUE(fs::is_directory(folder.Path() / "a" / "b" / "c"));
    EXPECT_EQ(MakeDirectoryPath((base + "\\\\a\\\\d\\").c_str()), 1) << "empty names are skipped";
    EXPECT_TRUE(fs::is_directory(folder.Path() / "a" / "d"));
    EXPECT_EQ(MakeDirectoryPath((base + "\\a").c_str()), 1) << "existing directories are fine";
    EXPECT_TRUE(catcher.Boxes().empty());
}

TEST(MakeDirectoryPath, FailuresShowThePathThatCouldNotBeMade)
{
    TempFolder folder("mkdir-fail");
    WriteBytes(folder.Path() / "file", Pattern(1));
    MessageBoxCatcher catcher;
    EXPECT_EQ(MakeDirectoryPath((folder.Path().string() + "\\file\\sub\\deeper").c_str()), 0);
    EXPECT_EQ(MakeDirectoryPath(""), 0);
    EXPECT_EQ(MakeDirectoryPath("\\\\\\"), 0);
    // A network path keeps its server and share (none answers here); the
    // names are never made in the current folder instead.
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    SetCurrentDirectoryA(folder.Path().string().c_str());
    EXPECT_EQ(MakeDirectoryPath("\\\\server\\share\\Start Menu\\Corvane Software"), 0);
    EXPECT_EQ(MakeDirectoryPath("\\\\server"), 0);
    SetCurrentDirectoryA(before);
    EXPECT_FALSE(fs::exists(folder.Path() / "server"));
    ASSERT_EQ(catcher.Boxes().size(), 5u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error Making Dir...(9834311)");
    EXPECT_EQ(catcher.Boxes()[0].text, folder.Path().string() + "\\file\\sub");
    EXPECT_EQ(catcher.Boxes()[3].text, "\\\\server\\share\\Start Menu");
    EXPECT_EQ(catcher.Boxes()[4].text, "\\\\server");
    EXPECT_FALSE(PathExists((folder.Path().string() + "\\file\\sub").c_str()));
}

}  // namespace
}  // namespace setup_test
