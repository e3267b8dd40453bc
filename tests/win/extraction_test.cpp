// The extraction sequence, directory creation and the export progress window,
// in this process against real files under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "export_progress.h"
#include "extraction.h"
#include "item_list.h"
#include "message_box_catcher.h"
#include "scramble.h"
#include "viewer_state.h"

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

// A disc folder: a viewer path and disc0001.dat holding, behind 100 bytes of
// other contents, the scrambled bytes of one file.
class Extraction : public ::testing::Test {
protected:
    fs::path disc = fs::temp_directory_path() / "extraction_test_disc";
    fs::path elsewhere = fs::temp_directory_path() / "extraction_test_elsewhere";
    std::vector<unsigned char> plain;
    ArcsealItem item = {};
    char dataName[16] = "disc0001.dat";
    char name[16] = "a.bin";

    void SetUp() override
    {
        fs::remove_all(disc);
        fs::remove_all(elsewhere);
        fs::create_directories(disc);
        fs::create_directories(elsewhere);
        snprintf(viewerPath, sizeof viewerPath, "%s\\discview.exe", disc.string().c_str());
        strcpy(layoutHeader.contentKey, "secretTk9w");
        for (int i = 0; i < 70000; ++i)
            plain.push_back((unsigned char)(i * 7));
        std::vector<unsigned char> data(100, 0xEE);
        std::vector<unsigned char> scrambled = plain;
        XorScramble(layoutHeader.contentKey, scrambled.data(), (int32_t)scrambled.size());
        data.insert(data.end(), scrambled.begin(), scrambled.end());
        WriteAll(disc / "disc0001.dat", data);
        item.itemType = 2;
        item.itemSize = (uint32_t)plain.size();
        item.itemName = name;
        item.dataFileName = dataName;
        item.dataOffset = 100;
        // Data file names are relative to the viewer's folder, wherever we are.
        SetCurrentDirectoryA(elsewhere.string().c_str());
    }

    void TearDown() override
    {
        SetCurrentDirectoryA(fs::temp_directory_path().string().c_str());
        fs::remove_all(disc);
        fs::remove_all(elsewhere);
    }
};

TEST_F(Extraction, WritesThePlainContentsFromTheViewersFolder)
{
    fs::path out = elsewhere / "a.bin";
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_DONE);
    EXPECT_EQ(ReadAll(out), plain);
    // Twice with the same key gives the same file.
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_DONE);
    EXPECT_EQ(ReadAll(out), plain);

    item.itemSize = 0;
    fs::path empty = elsewhere / "empty.bin";
    EXPECT_EQ(ExtractItemFile(&item, empty.string().c_str()), EXTRACT_DONE);
    EXPECT_TRUE(fs::exists(empty));
    EXPECT_EQ(fs::file_size(empty), 0u);
}

TEST_F(Extraction, ADataFileThatEndsTooEarlyLeavesNoFileAndSaysSo)
{
    item.itemSize += 1;  // one byte more than the data file holds
    fs::path out = elsewhere / "a.bin";
    MessageBoxCatcher catcher;
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_INCOMPLETE);
    EXPECT_FALSE(fs::exists(out));
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error:(34566)");
    EXPECT_NE(catcher.Boxes()[0].text.find("\"a.bin\""), std::string::npos) << catcher.Boxes()[0].text;

    item.itemSize = (uint32_t)plain.size();
    item.dataOffset = 0xFFFFFF00u;  // past the end altogether
    MessageBoxCatcher second;
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_INCOMPLETE);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(Extraction, MissingDataFileOrDestinationFolderAreReportedToTheCaller)
{
    char missing[] = "disc0002.dat";
    item.dataFileName = missing;
    fs::path out = elsewhere / "a.bin";
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_NO_DATA_FILE);
    EXPECT_FALSE(fs::exists(out));
    item.dataFileName = dataName;
    fs::path nowhere = elsewhere / "no such folder" / "a.bin";
    EXPECT_EQ(ExtractItemFile(&item, nowhere.string().c_str()), EXTRACT_NO_DESTINATION);
}

TEST(MakeDirectoryPath, CreatesEveryMissingFolderAndShowsTheOneThatFails)
{
    fs::path root = fs::temp_directory_path() / "make_directory_path_test";
    fs::remove_all(root);
    fs::create_directories(root);
    std::string nested = root.string() + "\\a\\\\b\\c\\";
    EXPECT_EQ(MakeDirectoryPath(nested.c_str()), 1);
    EXPECT_TRUE(fs::is_directory(root / "a" / "b" / "c"));
    EXPECT_EQ(MakeDirectoryPath(nested.c_str()), 1) << "existing folders are fine";

    std::ofstream(root / "file").put('x');
    std::string underFile = root.string() + "\\file\\sub\\deeper";
    MessageBoxCatcher catcher;
    EXPECT_EQ(MakeDirectoryPath(underFile.c_str()), 0);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error Making Dir...(4311)");
    EXPECT_EQ(catcher.Boxes()[0].text, root.string() + "\\file\\sub");
    fs::remove_all(root);
}

HWND ProgressWindow()
{
    return FindWindowA(nullptr, "Exporting...");
}

HWND WaitForProgressWindow()
{
    for (int i = 0; i < 250; ++i) {
        if (HWND window = ProgressWindow())
            return window;
        Sleep(20);
    }
    return nullptr;
}

TEST(ExportProgress, ClosesAlsoWhenTheExportEndsBeforeTheWindowAppears)
{
    appInstance = GetModuleHandleA(nullptr);
    for (int round = 0; round < 5; ++round) {
        StartExportProgress();
        FinishExportProgress();  // no time for the window to appear
        EXPECT_EQ(ProgressWindow(), nullptr) << "round " << round;
    }
}

TEST(ExportProgress, FinishedOrAbortedTheWindowGoes)
{
    appInstance = GetModuleHandleA(nullptr);
    InterlockedExchange(&exportAborted, 0);
    StartExportProgress();
    ASSERT_NE(WaitForProgressWindow(), nullptr);
    EXPECT_EQ(exportAborted, 0);
    FinishExportProgress();
    EXPECT_EQ(ProgressWindow(), nullptr);

    InterlockedExchange(&exportAborted, 0);
    StartExportProgress();
    HWND window = WaitForProgressWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);  // "Abort"
    for (int i = 0; i < 250 && !exportAborted; ++i)
        Sleep(20);
    EXPECT_EQ(exportAborted, 1) << "the export sees the abort between two files";
    FinishExportProgress();
    EXPECT_EQ(ProgressWindow(), nullptr);
}

}  // namespace
