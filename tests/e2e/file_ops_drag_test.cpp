// Drag and drop out of the viewer, with the real mouse, onto a window that
// takes files as a folder window of the shell does (OLE, CF_HDROP, copied with
// SHFileOperation): what arrives is byte for byte the disc's file, a damaged
// file never arrives, a disc without export starts no drag, and the viewer's
// plain copies are gone when it ends.
#include <algorithm>
#include <chrono>
#include <memory>
#include <set>

#include "file_compare.h"
#include "file_ops_fixture.h"
#include "mouse.h"
#include "shell_drop_target.h"
#include "item_table_bytes.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::vector<std::string> kFolders = {"Docs", "Docs\\Letters", "Docs\\Empty", "Photos"};
const std::vector<DiscFile> kFiles = {
    {"readme.txt", 100},          {"Docs\\report.doc", 3000},   {"Docs\\Letters\\Dear \xE9l\xE8ve.txt", 12},
    {"Photos\\pic1.jpg", 5000},   {"Photos\\pic2.jpg", 700000}, {"Photos\\pic3.jpg", 10},
};

class DragTest : public FileOpsTest {
protected:
    // The "shell folder" window in the lower right corner of the screen,
    // clear of the viewer's panes.
    std::unique_ptr<ShellDropWindow> DropWindow(const fs::path& folder)
    {
        RECT screen{GetSystemMetrics(SM_CXSCREEN) - 260, GetSystemMetrics(SM_CYSCREEN) - 260, 0, 0};
        screen.right = screen.left + 240;
        screen.bottom = screen.top + 240;
        return std::make_unique<ShellDropWindow>(folder, screen);
    }

    // Drags from a point of the viewer onto the window, then answers the
    // calls of the drop.
    void DragOnto(POINT from, ShellDropWindow& window)
    {
        DragWhilePumping(from, window.Centre(), 12, 1500ms);
    }

    // Answers the drop's calls until the window has had that many drops.
    static bool WaitForDrops(ShellDropWindow& window, int drops)
    {
        return WaitUntil(10s, [&] {
            PumpMessagesFor(50ms);
            return window.Drops() == drops;
        });
    }

    std::set<std::string> DragFoldersLeft() const
    {
        std::set<std::string> left;
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(TempFolder(), ignored))
            if (entry.path().filename().wstring().rfind(L"Arcseal drag", 0) == 0)
                left.insert(ToUtf8(entry.path().filename().wstring()));
        return left;
    }
};

TEST_F(DragTest, FilesOfTheListAndAFolderOfTheTreeArriveByteForByte)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    const std::set<std::string> before = DragFoldersLeft();
    const fs::path target = NewFolder("dropped");
    auto window = DropWindow(target);

    // Two files of a folder, selected in the list, dragged by one of them.
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Photos", 3));
    ASSERT_NO_FATAL_FAILURE(SelectRows({"pic1.jpg", "pic2.jpg"}));
    DragOnto(ScreenCentre(list_, Row("pic2.jpg").bounds), *window);
    ASSERT_TRUE(WaitForDrops(*window, 1)) << "nothing was dropped";
    EXPECT_EQ(TreeShape(target), (std::set<std::string>{"pic1.jpg", "pic2.jpg"}));
    for (const char* name : {"pic1.jpg", "pic2.jpg"}) {
        auto difference = FileDifference(Source(std::string("Photos\\") + name), target / name);
        EXPECT_FALSE(difference) << *difference;
    }

    // A folder of the tree, with its sub-folders (an empty one too).
    const fs::path folderTarget = NewFolder("folder dropped");
    auto folderWindow = DropWindow(folderTarget);
    DragOnto(ScreenCentre(tree_, Entry("Docs").label), *folderWindow);
    ASSERT_TRUE(WaitForDrops(*folderWindow, 1)) << "the folder was not dropped";
    EXPECT_EQ(TreeShape(folderTarget),
              (std::set<std::string>{"Docs/", "Docs/Empty/", "Docs/Letters/", "Docs/Letters/Dear \xC3\xA9l\xC3\xA8ve.txt",
                                     "Docs/report.doc"}));
    for (const char* path : {"Docs\\report.doc", "Docs\\Letters\\Dear \xE9l\xE8ve.txt"}) {
        auto difference = FileDifference(Source(path), folderTarget / FromCp1252(path));
        EXPECT_FALSE(difference) << *difference;
    }

    // The plain copies behind the drops go with the viewer.
    EXPECT_NE(DragFoldersLeft(), before);
    EXPECT_TRUE(ExitThroughFileMenu());
    EXPECT_EQ(DragFoldersLeft(), before);
}

TEST_F(DragTest, ADamagedFileIsReportedAndNeverDropped)
{
    const std::vector<DiscFile> files = {{"good.bin", 4000}, {"bad.bin", 300000}};
    ASSERT_NO_FATAL_FAILURE(BuildDiscOnly({}, files, kVerifiedDisc));
    std::vector<StoredItem> stored = ReadItemTable(ReadBytes(DiscFolder() / "discview.exe"));
    auto bad = std::find_if(stored.begin(), stored.end(), [](const StoredItem& item) { return item.name == "bad.bin"; });
    ASSERT_NE(bad, stored.end());
    {
        Bytes data = ReadBytes(DiscFolder() / bad->dataFile);
        data.at(bad->dataOffset + 200000) ^= 0x01;
        WriteBytes(DiscFolder() / bad->dataFile, data);
    }
    ASSERT_NO_FATAL_FAILURE(StartDisc());
    ASSERT_NO_FATAL_FAILURE(ShowFiles(kDiscLabel, 2));
    const fs::path target = NewFolder("dropped");
    auto window = DropWindow(target);

    ASSERT_NO_FATAL_FAILURE(SelectRows({"bad.bin"}));
    DragOnto(ScreenCentre(list_, Row("bad.bin").bounds), *window);
    MessageBoxInfo refused = AnswerMessage(10s);
    EXPECT_EQ(refused.caption, "Error:(34572)");
    EXPECT_NE(refused.text.find("\"bad.bin\" could not be copied: the disc's copy of it is damaged."), std::string::npos)
        << refused.text;
    PumpMessagesFor(1s);
    EXPECT_EQ(window->Drops(), 0) << "the drop went on without its only file";
    EXPECT_TRUE(TreeShape(target).empty());

    // With a good file beside it, only the good one arrives.
    ASSERT_NO_FATAL_FAILURE(SelectRows({"good.bin", "bad.bin"}));
    DragOnto(ScreenCentre(list_, Row("good.bin").bounds), *window);
    AnswerMessage(10s);
    ASSERT_TRUE(WaitForDrops(*window, 1));
    EXPECT_EQ(TreeShape(target), std::set<std::string>{"good.bin"});
    auto difference = FileDifference(Source("good.bin"), target / "good.bin");
    EXPECT_FALSE(difference) << *difference;
}

TEST_F(DragTest, ADiscWithoutExportStartsNoDrag)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles, {L"--no-export"}));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Photos", 3));
    const fs::path target = NewFolder("dropped");
    auto window = DropWindow(target);
    DragOnto(ScreenCentre(list_, Row("pic1.jpg").bounds), *window);
    DragOnto(ScreenCentre(tree_, Entry("Docs").label), *window);
    EXPECT_FALSE(window->Entered());
    EXPECT_EQ(window->Drops(), 0);
    EXPECT_TRUE(TreeShape(target).empty());
    EXPECT_TRUE(NoMessageWithin(500ms));
}

}  // namespace
}  // namespace e2e
