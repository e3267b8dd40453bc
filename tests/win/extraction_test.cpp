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

#include "check_disc.h"
#include "disc_integrity.h"
#include "export_progress.h"
#include "extraction.h"
#include "item_list.h"
#include "item_records.h"
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
        LayoutHeader plainHeader = {};
        TakeIntegrityRecord(&plainHeader);  // the next test's disc has no record
    }

    // Makes this a verified disc: the record asks for CRC-32s, the item has its own.
    void MakeVerified()
    {
        LayoutHeader header = {};
        IntegrityRecord record = {};
        record.flags = INTEGRITY_FILE_CRC32;
        WriteIntegrityRecord(&record, &header);
        ASSERT_EQ(TakeIntegrityRecord(&header), RECORD_PRESENT);
        item.reserved = Crc32Of(plain.data(), plain.size());
    }

    void FlipDataByte(uint64_t offset)
    {
        std::vector<unsigned char> data = ReadAll(disc / "disc0001.dat");
        data[offset] ^= 0x01;
        WriteAll(disc / "disc0001.dat", data);
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

// A failed copy leaves no short file, and an earlier file of the name as it
// was; nothing of the viewer's own is left in the folder either.
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

    const std::vector<unsigned char> earlier = {'k', 'e', 'p', 't'};
    WriteAll(out, earlier);
    item.itemSize = (uint32_t)plain.size();
    item.dataOffset = 0xFFFFFF00u;  // past the end altogether
    MessageBoxCatcher second;
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_INCOMPLETE);
    EXPECT_EQ(ReadAll(out), earlier) << "the earlier file was touched by a failed copy";
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1)
        << "a temporary file was left beside the destination";
}

// The disc's own files are never written, by whatever name the destination
// reaches them; the refusal names the file.
// A verified disc's file whose bytes no longer match its CRC-32: no copy, an
// earlier file of the name untouched, a message naming the file; the good
// copy still comes through byte for byte.
TEST_F(Extraction, AVerifiedDiscsDamagedFileIsNeverWritten)
{
    ASSERT_NO_FATAL_FAILURE(MakeVerified());
    fs::path out = elsewhere / "a.bin";
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_DONE);
    EXPECT_EQ(ReadAll(out), plain);
    EXPECT_EQ(CheckItemFile(&item, nullptr, nullptr), CHECK_INTACT);

    const std::vector<unsigned char> earlier = {'k', 'e', 'p', 't'};
    WriteAll(out, earlier);
    FlipDataByte(100 + 69999);  // the last byte: found only at the end
    MessageBoxCatcher catcher;
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_DAMAGED);
    EXPECT_EQ(ReadAll(out), earlier) << "the earlier file was touched by a damaged copy";
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1)
        << "a staging file was left beside the destination";
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error:(34572)");
    EXPECT_EQ(catcher.Boxes()[0].text, "\"a.bin\" could not be copied: the disc's copy of it is damaged. "
                                       "Nothing was written to " + out.string() + ".");
    EXPECT_EQ(CheckItemFile(&item, nullptr, nullptr), CHECK_DAMAGED);
    fs::remove(out);
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_DAMAGED);
    EXPECT_FALSE(fs::exists(out));

    // Without the record the same bytes go out unchecked, as they always did.
    LayoutHeader plainHeader = {};
    TakeIntegrityRecord(&plainHeader);
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_DONE);
    EXPECT_EQ(CheckItemFile(&item, nullptr, nullptr), CHECK_INTACT);
}

// Check disc over every kind of file, behind "Checking...", writing nothing.
TEST_F(Extraction, CheckDiscNamesEveryFileThatIsNotIntact)
{
    appInstance = GetModuleHandleA(nullptr);
    ASSERT_NO_FATAL_FAILURE(MakeVerified());
    std::vector<unsigned char> data = ReadAll(disc / "disc0001.dat");
    data.insert(data.end(), data.begin() + 100, data.end());  // a second copy at 70100
    WriteAll(disc / "disc0001.dat", data);
    FreeItems();
    auto add = [&](uint32_t id, uint32_t parent, uint32_t type, const char* itemName, const char* dataFile,
                   uint32_t offset, uint32_t size) {
        SetItemId(NewItem(parent, type, size, item.reserved, 0, itemName, dataFile, offset), id);
    };
    add(1, 0, ITEM_DISC_ROOT_BIT, "Arcseal", nullptr, 0, 0);
    add(2, 1, ITEM_WHOLE_DISC, "Label", nullptr, 0, 0);
    add(3, 2, ITEM_FOLDER, "Letters", nullptr, 0, 0);
    add(4, 2, ITEM_FILE, "good.bin", "disc0001.dat", 100, item.itemSize);
    add(5, 3, ITEM_FILE, "bad.bin", "disc0001.dat", 70100, item.itemSize);
    add(6, 3, ITEM_FILE, "gone.bin", "disc0009.dat", 100, item.itemSize);
    add(7, 2, ITEM_FILE, "short.bin", "disc0001.dat", 70200, item.itemSize);

    {
        MessageBoxCatcher catcher;
        OnCheckDisc();
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].text,
                  "The disc was checked: 2 of its 4 files are damaged or cannot be read.\r\n\r\n"
                  "Letters\\gone.bin - cannot be read\r\nshort.bin - cannot be read\r\n");
    }
    FlipDataByte(70100 + 5);
    {
        MessageBoxCatcher catcher;
        OnCheckDisc();
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_NE(catcher.Boxes()[0].text.find("Letters\\bad.bin - damaged\r\n"), std::string::npos)
            << catcher.Boxes()[0].text;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 0) << "wrote something";
    FreeItems();
    for (uint32_t id = 1; id <= 3; ++id)
        add(id, id - 1, id == 1 ? ITEM_DISC_ROOT_BIT : id == 2 ? ITEM_WHOLE_DISC : ITEM_FILE, "x", "disc0001.dat",
            100, item.itemSize);
    {
        MessageBoxCatcher catcher;
        OnCheckDisc();
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].caption, "Finished:");
        EXPECT_EQ(catcher.Boxes()[0].text, "The disc was checked: all 1 files are intact.");
    }
    FreeItems();
}

TEST_F(Extraction, NeverWritesOverTheViewerOrADataFile)
{
    WriteAll(disc / "discview.exe", {'M', 'Z'});
    const std::vector<unsigned char> dataBefore = ReadAll(disc / "disc0001.dat");
    for (const fs::path& own : {disc / "discview.exe", disc / "DISC0001.DAT", elsewhere / ".." / disc.filename() / "disc0001.dat"}) {
        SCOPED_TRACE(own.string());
        MessageBoxCatcher catcher;
        EXPECT_EQ(ExtractItemFile(&item, own.string().c_str()), EXTRACT_REFUSED);
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].caption, "Error:(34571)");
        EXPECT_NE(catcher.Boxes()[0].text.find(own.string()), std::string::npos) << catcher.Boxes()[0].text;
    }
    EXPECT_EQ(ReadAll(disc / "discview.exe"), (std::vector<unsigned char>{'M', 'Z'}));
    EXPECT_EQ(ReadAll(disc / "disc0001.dat"), dataBefore);
    EXPECT_EQ(std::distance(fs::directory_iterator(disc), fs::directory_iterator()), 2);
}

// A viewer at a drive root (R:, a drive of the test prefix): "R:" alone would
// be the current folder of R:, which an export to that drive has moved.
TEST_F(Extraction, AViewerAtADriveRootFindsItsDataFileWhereverThatDrivesFolderIs)
{
    ASSERT_TRUE(fs::is_directory("R:\\")) << "the test prefix has no drive R:";
    fs::remove_all("R:\\sub");
    fs::create_directories("R:\\sub");
    fs::copy_file(disc / "disc0001.dat", "R:\\disc0001.dat", fs::copy_options::overwrite_existing);
    strcpy(viewerPath, "R:\\discview.exe");
    ASSERT_TRUE(SetCurrentDirectoryA("R:\\sub"));
    fs::path out = elsewhere / "a.bin";
    EXPECT_EQ(ExtractItemFile(&item, out.string().c_str()), EXTRACT_DONE);
    EXPECT_EQ(ReadAll(out), plain);
    fs::remove("R:\\disc0001.dat");
    fs::remove_all("R:\\sub");
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

    // On a network share (one of the test prefix), below the share itself,
    // and nothing in the current folder instead.
    const std::string share = "\\\\arcseal-host\\share";
    ASSERT_TRUE(fs::is_directory(share)) << "the test prefix has no share " << share;
    fs::remove_all(share + "\\out");
    SetCurrentDirectoryA(root.string().c_str());
    EXPECT_EQ(MakeDirectoryPath((share + "\\out\\deep").c_str()), 1);
    EXPECT_TRUE(fs::is_directory(share + "\\out\\deep"));
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 2) << "made in the current folder";
    fs::remove_all(share + "\\out");
    SetCurrentDirectoryA(fs::temp_directory_path().string().c_str());
    fs::remove_all(root);
}

HWND ProgressWindow(const char* caption = "Exporting...")
{
    return FindWindowA(nullptr, caption);
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

    // Check disc's caption, and the next export's own again.
    StartExportProgress("Checking...");
    for (int i = 0; i < 250 && !ProgressWindow("Checking..."); ++i)
        Sleep(20);
    EXPECT_NE(ProgressWindow("Checking..."), nullptr);
    FinishExportProgress();
    StartExportProgress();
    EXPECT_NE(WaitForProgressWindow(), nullptr);
    FinishExportProgress();
}

}  // namespace
