// Export through the real menus and the real folder chooser, checked bit for
// bit: the whole disc, one folder and a selection of files come out with
// every byte of their sources, in the shape of the disc (empty folders
// included, nothing else written), and the final message says so.
#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

#include "context_menu.h"
#include "file_compare.h"
#include "file_ops_fixture.h"
#include "folder_chooser.h"
#include "input.h"
#include "mouse.h"
#include "item_table_bytes.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Nested folders, an empty one, empty files, names with blanks and CP1252
// letters, a file of 1 MiB + 1 byte. Zoom.jpg stands first in the item table
// (by byte value) but last in the list (by letter), so a list row taken for
// the wrong file shows. With a data file limit of 2,500,000
// bytes the contents fill more than one data file.
const std::vector<std::string> kFolders = {
    "Docs", "Docs\\Letters", "Docs\\Letters\\deep", "Docs\\Empty Folder", "Photos", "Photos\\Holiday 2004",
    "Caf\xE9",
};
const std::vector<DiscFile> kFiles = {
    {"readme.txt", 100},
    {"empty.txt", 0},
    {"big one.bin", 1048577},
    {"caf\xE9 menu.txt", 777},
    {"Docs\\report.doc", 3000},
    {"Docs\\Letters\\Dear \xE9l\xE8ve.txt", 12},
    {"Docs\\Letters\\deep\\bottom.bin", 2097155},
    {"Photos\\pic1.jpg", 5000},
    {"Photos\\pic2.jpg", 70000},
    {"Photos\\Zoom.jpg", 4321},
    {"Photos\\Holiday 2004\\beach.png", 1048576},
    {"Photos\\Holiday 2004\\blank.png", 0},
    {"Caf\xE9\\\xE9t\xE9.txt", 1234},
};
const std::vector<std::wstring> kSplitDataFiles = {L"--data-file-limit", L"2500000"};

std::string Utf8(const std::string& cp1252)
{
    return ToUtf8(FromCp1252(cp1252));
}

// What exporting the folder source into target as a folder named name writes.
std::set<std::string> ExpectedShape(const fs::path& source, const std::string& name)
{
    std::set<std::string> shape = {Utf8(name) + "/"};
    for (const std::string& entry : TreeShape(source))
        shape.insert(Utf8(name) + "/" + entry);
    return shape;
}

// Every file below source has its twin, byte for byte, below copy.
void ExpectSameFiles(const fs::path& source, const fs::path& copy)
{
    for (const std::string& entry : TreeShape(source)) {
        if (entry.back() == '/')
            continue;
        auto difference = FileDifference(source / FromUtf8(entry), copy / FromUtf8(entry));
        EXPECT_FALSE(difference) << *difference;
    }
}

class ExportTest : public FileOpsTest {
protected:
    // The contents really spread over two data files, and the second is used.
    void ExpectSecondDataFileUsed()
    {
        std::set<std::string> dataFiles;
        for (const StoredItem& item : ReadItemTable(ReadBytes(DiscFolder() / "discview.exe")))
            if (!item.dataFile.empty())
                dataFiles.insert(item.dataFile);
        EXPECT_TRUE(dataFiles.count("disc0002.dat")) << "no file lies in the second data file";
        EXPECT_TRUE(fs::exists(DiscFolder() / "disc0002.dat"));
    }
};

TEST_F(ExportTest, WholeDiscComesOutWithEveryFileAndFolder)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles, kSplitDataFiles));
    ExpectSecondDataFileUsed();
    const fs::path target = NewFolder("target");

    HWND menu = OpenTreeMenu(kDiscLabel);
    ASSERT_TRUE(menu);
    ScreenshotOf(menu, "context-menu-tree");
    ASSERT_TRUE(ChooseMenuEntry(menu, kFolderMenuExport, kFolderMenuEntries));
    HWND chooser = WaitForFolderChooser(viewer_->Id());
    ASSERT_TRUE(chooser) << "\"Export\" opened no folder chooser";
    std::vector<std::string> texts = ChildTexts(chooser);
    EXPECT_NE(std::find(texts.begin(), texts.end(), kChooseTitle), texts.end())
        << "the folder chooser does not ask \"" << kChooseTitle << "\"";
    // It starts in the reader's Documents, never on the disc itself.
    EXPECT_TRUE(WaitUntil(5s, [&] { return ChooserSelection(chooser) == "Documents"; })) << ChooserSelection(chooser);
    ASSERT_TRUE(SelectFolder(chooser, target));
    ScreenshotOf(chooser, "folder-chooser");
    ASSERT_TRUE(PressButton(chooser, IDOK) && WaitUntilGone(chooser, 5s));

    MessageBoxInfo done = AnswerMessage(60s);
    EXPECT_EQ(done.caption, "Finished:");
    EXPECT_EQ(done.text, kDiscLabel + " has been exported to " + target.string() + ".");
    EXPECT_EQ(TreeShape(target), ExpectedShape(Content(), kDiscLabel));
    ExpectSameFiles(Content(), target / FromCp1252(kDiscLabel));
    EXPECT_TRUE(NoMessageWithin(500ms));

    // Check disc reads every file and writes nothing.
    const auto shapeBefore = TreeShape(Scratch());
    auto checked = CheckDiscThroughFileMenu(60s);
    ASSERT_TRUE(checked) << "\"Check disc\" ended with no message";
    EXPECT_EQ(checked->caption, "Finished:");
    EXPECT_EQ(checked->text, "The disc was checked: all " + std::to_string(kFiles.size()) + " files are intact.");
    ScreenshotOf(checked->window, "check-disc");
    ASSERT_TRUE(PressButton(checked->window, IDOK) && WaitUntilGone(checked->window, 5s));
    EXPECT_EQ(TreeShape(Scratch()), shapeBefore) << "\"Check disc\" wrote something";
}

// A strong disc, opened with its password: every file comes out byte for
// byte from the sealed chunks, over more than one data file.
TEST_F(ExportTest, StrongDiscComesOutWholeWithItsPassword)
{
    std::vector<std::wstring> options = kStrongDisc;
    options.insert(options.end(), kSplitDataFiles.begin(), kSplitDataFiles.end());
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles, options, L"Open Sesame-42"));
    EXPECT_TRUE(fs::exists(DiscFolder() / "disc0002.dat"));
    const fs::path target = NewFolder("target");
    ASSERT_TRUE(ExportTo(OpenTreeMenu(kDiscLabel), kFolderMenuExport, kFolderMenuEntries, target));
    MessageBoxInfo done = AnswerMessage(60s);
    EXPECT_EQ(done.caption, "Finished:");
    EXPECT_EQ(TreeShape(target), ExpectedShape(Content(), kDiscLabel));
    ExpectSameFiles(Content(), target / FromCp1252(kDiscLabel));
    auto checked = CheckDiscThroughFileMenu(60s);
    ASSERT_TRUE(checked);
    EXPECT_EQ(checked->text, "The disc was checked: all " + std::to_string(kFiles.size()) + " files are intact.");
    PressButton(checked->window, IDOK);
}

TEST_F(ExportTest, FolderComesOutWithItsSubFoldersAndCancellingExportsNothing)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles, kSplitDataFiles));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    // The list shows another folder: the tree's menu still acts on the
    // folder right-clicked.
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Photos", 3));
    const fs::path target = NewFolder("target");

    ASSERT_TRUE(ExportTo(OpenTreeMenu("Docs"), kFolderMenuExport, kFolderMenuEntries, target));
    MessageBoxInfo done = AnswerMessage(60s);
    EXPECT_EQ(done.caption, "Finished:");
    EXPECT_EQ(done.text, "Docs has been exported to " + target.string() + ".");
    EXPECT_EQ(TreeShape(target), ExpectedShape(Content() / "Docs", "Docs"));
    ExpectSameFiles(Content() / "Docs", target / "Docs");

    // Again, but cancelled in the folder chooser: no message, nothing written.
    const std::set<std::string> before = TreeShape(target);
    HWND menu = OpenTreeMenu("Photos");
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuEntry(menu, kFolderMenuExport, kFolderMenuEntries));
    HWND chooser = WaitForFolderChooser(viewer_->Id());
    ASSERT_TRUE(chooser);
    EXPECT_TRUE(WaitUntil(5s, [&] { return ChooserSelection(chooser) == "target"; }))
        << "the chooser does not start where the last export went: " << ChooserSelection(chooser);
    ASSERT_TRUE(CancelFolderChooser(chooser));
    EXPECT_TRUE(NoMessageWithin(1500ms));
    EXPECT_EQ(TreeShape(target), before);
    EXPECT_FALSE(WaitForDialog(kExportingCaption, 0ms)) << "an \"Exporting...\" window is open";
}

TEST_F(ExportTest, SelectedFilesComeOutWithoutFolders)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles, kSplitDataFiles));
    ASSERT_NO_FATAL_FAILURE(ShowFiles(kDiscLabel, 4));
    const std::vector<std::string> chosen = {"big one.bin", "empty.txt", "caf\xE9 menu.txt"};
    ASSERT_NO_FATAL_FAILURE(SelectRows(chosen));
    const fs::path target = NewFolder("target");

    HWND menu = OpenListMenu(chosen.back());
    ASSERT_TRUE(menu);
    ScreenshotOf(menu, "context-menu-list");
    ASSERT_TRUE(ExportTo(menu, kFileMenuExport, kFileMenuEntries, target));
    MessageBoxInfo done = AnswerMessage(60s);
    EXPECT_EQ(done.caption, "Finished:");
    EXPECT_EQ(done.text, "File(s) has been exported to " + target.string() + ".");

    std::set<std::string> expected;
    for (const std::string& name : chosen)
        expected.insert(Utf8(name));
    EXPECT_EQ(TreeShape(target), expected);
    for (const std::string& name : chosen) {
        auto difference = FileDifference(Source(name), target / FromCp1252(name));
        EXPECT_FALSE(difference) << *difference;
    }
    EXPECT_FALSE(WaitForDialog(kExportingCaption, 0ms)) << "a file export showed an \"Exporting...\" window";

    // One row of a folder whose list order differs from the item table's.
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Photos", 3));
    ASSERT_NO_FATAL_FAILURE(SelectRows({"Zoom.jpg"}));
    const fs::path single = NewFolder("single");
    ASSERT_TRUE(ExportTo(OpenListMenu("Zoom.jpg"), kFileMenuExport, kFileMenuEntries, single));
    done = AnswerMessage(30s);
    EXPECT_EQ(done.caption, "Finished:");
    EXPECT_EQ(TreeShape(single), std::set<std::string>{"Zoom.jpg"});
    auto difference = FileDifference(Source("Photos\\Zoom.jpg"), single / "Zoom.jpg");
    EXPECT_FALSE(difference) << *difference;
}

// Files already in the target are replaced without a question, to their
// exact new length, and nothing else is left there; a file that cannot be
// created (a folder of its name is in the way) is reported, the others are
// still written, and the final message counts the one that was not.
TEST_F(ExportTest, ReplacesExistingFilesAndReportsOneThatCannotBeCreated)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles, kSplitDataFiles));
    ASSERT_NO_FATAL_FAILURE(ShowFiles(kDiscLabel, 4));
    const fs::path target = NewFolder("target");
    fs::create_directories(target / "readme.txt" / "kept");
    WriteText(target / "empty.txt", "stale contents of an earlier export");
    WriteBytes(target / "big one.bin", Bytes(3u << 20, 0x55));

    ASSERT_NO_FATAL_FAILURE(SelectRows({"readme.txt", "empty.txt", "big one.bin"}));
    ASSERT_TRUE(ExportTo(OpenListMenu("readme.txt"), kFileMenuExport, kFileMenuEntries, target));
    MessageBoxInfo refused = AnswerMessage(30s);
    EXPECT_EQ(refused.caption, "Error:(34565)");
    EXPECT_EQ(refused.text, "Cannot create new export file.");
    MessageBoxInfo done = AnswerMessage(30s);
    EXPECT_EQ(done.caption, "Incomplete:");
    EXPECT_EQ(done.text, "Not every file was exported to " + target.string() + ": 1 of 3 files could not be exported.");

    EXPECT_EQ(TreeShape(target),
              (std::set<std::string>{"big one.bin", "empty.txt", "readme.txt/", "readme.txt/kept/"}));
    for (const char* name : {"empty.txt", "big one.bin"}) {
        auto difference = FileDifference(Source(name), target / name);
        EXPECT_FALSE(difference) << *difference;
    }
}

// Right-clicking beside the tree's entries or below the list's rows opens no menu.
TEST_F(ExportTest, EmptySpaceInTheTreeOrTheListShowsNoMenu)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles));
    ASSERT_NO_FATAL_FAILURE(ShowFiles(kDiscLabel, 4));
    for (HWND pane : {tree_, list_}) {
        RECT client{};
        GetClientRect(pane, &client);
        RightClickAt(ScreenPoint(pane, {client.right / 2, client.bottom - 20}));
        HWND menu = WaitForContextMenu(viewer_->Id(), 700ms);
        EXPECT_FALSE(menu) << "a menu opened on the empty space of the " << (pane == tree_ ? "tree" : "list");
        if (menu)
            PressKey(VK_ESCAPE);
    }
}

// A folder of one empty file is exported before its progress window can
// show; the window must not stay open anyway, also the next times.
TEST_F(ExportTest, TinyFolderExportLeavesNoProgressWindow)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc({"Tiny"}, {{"Tiny\\nothing.txt", 0}, {"top.txt", 10}}));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("export number " + std::to_string(round));
        const fs::path target = NewFolder("target" + std::to_string(round));
        ASSERT_TRUE(ExportTo(OpenTreeMenu("Tiny"), kFolderMenuExport, kFolderMenuEntries, target));
        MessageBoxInfo done = AnswerMessage(30s);
        EXPECT_EQ(done.caption, "Finished:");
        EXPECT_EQ(done.text, "Tiny has been exported to " + target.string() + ".");
        std::this_thread::sleep_for(1s);
        EXPECT_FALSE(WaitForDialog(kExportingCaption, 0ms)) << "the \"Exporting...\" window stayed open";
        EXPECT_EQ(TreeShape(target), (std::set<std::string>{"Tiny/", "Tiny/nothing.txt"}));
        EXPECT_EQ(fs::file_size(target / "Tiny" / "nothing.txt"), 0u);
    }
}

// A file where the exported folder should go: each of the folder's files is
// reported, the sub-folder that cannot be made is named with its path, and
// the export still ends with its message.
TEST_F(ExportTest, FolderBlockedByAFileIsReportedFileByFile)
{
    ASSERT_NO_FATAL_FAILURE(
        OpenDisc({"Tiny", "Tiny\\Inner"}, {{"Tiny\\nothing.txt", 0}, {"Tiny\\Inner\\deeper.txt", 5}}));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    const fs::path target = NewFolder("target");
    WriteText(target / "Tiny", "a file, not a folder");

    ASSERT_TRUE(ExportTo(OpenTreeMenu("Tiny"), kFolderMenuExport, kFolderMenuEntries, target));
    MessageBoxInfo file = AnswerMessage(30s);
    EXPECT_EQ(file.caption, "Error:(34565)");
    EXPECT_EQ(file.text, "Cannot create new export file.");
    MessageBoxInfo directory = AnswerMessage(30s);
    EXPECT_EQ(directory.caption, "Error Making Dir...(4311)");
    EXPECT_EQ(directory.text, (target / "Tiny" / "Inner").string());
    file = AnswerMessage(30s);
    EXPECT_EQ(file.caption, "Error:(34565)");
    MessageBoxInfo done = AnswerMessage(30s);
    EXPECT_EQ(done.caption, "Incomplete:");
    EXPECT_EQ(done.text, "Tiny was not exported in full to " + target.string() + ": 2 of its 2 files could not be exported.");
    EXPECT_EQ(TreeShape(target), std::set<std::string>{"Tiny"});
    EXPECT_EQ(ReadBytes(target / "Tiny").size(), 20u) << "the file in the way was changed";
    EXPECT_FALSE(WaitForDialog(kExportingCaption, 0ms)) << "the \"Exporting...\" window stayed open";
}

// With export disabled, "Export" is greyed in both menus: choosing it does
// nothing. "Properties" in the same menus still works, which shows that the
// clicks land on the entries meant.
TEST_F(ExportTest, DisabledExportDoesNothingFromEitherMenu)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles, {L"--no-export"}));

    HWND menu = OpenTreeMenu(kDiscLabel);
    ASSERT_TRUE(menu);
    ScreenshotOf(menu, "context-menu-tree-export-disabled");
    ClickMenuEntry(menu, kFolderMenuExport, kFolderMenuEntries);
    EXPECT_FALSE(WaitForFolderChooser(viewer_->Id(), 1500ms)) << "the tree's greyed \"Export\" opened the chooser";
    if (IsWindow(menu) && IsWindowVisible(menu))
        PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(menu, 3s));
    menu = OpenTreeMenu(kDiscLabel);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuEntry(menu, kFolderMenuProperties, kFolderMenuEntries));
    HWND properties = WaitForDialog("Properties", 5s);
    ASSERT_TRUE(properties) << "\"Properties\" in the same menu opened nothing";
    ASSERT_TRUE(PressButton(properties, IDCANCEL) && WaitUntilGone(properties, 5s));

    ASSERT_NO_FATAL_FAILURE(ShowFiles(kDiscLabel, 4));
    menu = OpenListMenu("readme.txt");
    ASSERT_TRUE(menu);
    ScreenshotOf(menu, "context-menu-list-export-disabled");
    ClickMenuEntry(menu, kFileMenuExport, kFileMenuEntries);
    EXPECT_FALSE(WaitForFolderChooser(viewer_->Id(), 1500ms)) << "the list's greyed \"Export\" opened the chooser";
    if (IsWindow(menu) && IsWindowVisible(menu))
        PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(menu, 3s));
    menu = OpenListMenu("readme.txt");
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuEntry(menu, kFileMenuProperties, kFileMenuEntries));
    properties = WaitForDialog("Properties", 5s);
    ASSERT_TRUE(properties) << "\"Properties\" in the same menu opened nothing";
    ASSERT_TRUE(PressButton(properties, IDCANCEL) && WaitUntilGone(properties, 5s));
    EXPECT_TRUE(NoMessageWithin(500ms));
}

}  // namespace
}  // namespace e2e
