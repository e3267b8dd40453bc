// Damaged discs: a data file that ends too early or is missing, and stored
// names that Windows cannot hold as one file name. The viewer refuses just
// the file concerned, with a message, goes on with the others, never leaves
// a short copy and never writes outside the chosen folder or its Temp folder.
#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <set>

#include "context_menu.h"
#include "file_compare.h"
#include "file_ops_fixture.h"
#include "folder_chooser.h"
#include "item_table_bytes.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DamagedDiscTest : public FileOpsTest {
protected:
    std::vector<StoredItem> StoredFiles()
    {
        std::vector<StoredItem> files;
        for (const StoredItem& item : ReadItemTable(ReadBytes(DiscFolder() / "discview.exe")))
            if (!item.dataFile.empty())
                files.push_back(item);
        return files;
    }
};

// The data file is cut inside the contents of a file larger than one copy
// piece (1 MiB), after its first piece: that file, and any stored behind it,
// must not be left as a short copy. (mkdisc stores a folder's files by name,
// so z-big.e2e comes last.)
TEST_F(DamagedDiscTest, DataFileEndingTooEarlyRefusesTheFilesItCuts)
{
    const std::vector<DiscFile> files = {
        {"Shelf\\first.e2e", 1000}, {"Shelf\\z-big.e2e", 2621440}, {"Shelf\\third.e2e", 2000}};
    ASSERT_NO_FATAL_FAILURE(BuildDiscOnly({"Shelf"}, files));
    std::vector<StoredItem> stored = StoredFiles();
    ASSERT_EQ(stored.size(), 3u);
    auto big = std::find_if(stored.begin(), stored.end(), [](const StoredItem& item) { return item.name == "z-big.e2e"; });
    ASSERT_NE(big, stored.end());
    const uint64_t cut = big->dataOffset + 1572864;
    fs::resize_file(DiscFolder() / big->dataFile, cut);
    std::set<std::string> damaged;
    for (const StoredItem& item : stored)
        if (item.dataFile == big->dataFile && (uint64_t)item.dataOffset + item.size > cut)
            damaged.insert(item.name);
    ASSERT_NO_FATAL_FAILURE(StartDisc());
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());

    // The folder: each damaged file refused by name, the others written.
    const fs::path target = NewFolder("target");
    ASSERT_TRUE(ExportTo(OpenTreeMenu("Shelf"), kFolderMenuExport, kFolderMenuEntries, target));
    std::set<std::string> refusedNames;
    for (size_t i = 0; i < damaged.size(); ++i) {
        MessageBoxInfo refused = AnswerMessage(30s);
        EXPECT_EQ(refused.caption, "Error:(34566)");
        for (const std::string& name : damaged)
            if (refused.text.find(name) != std::string::npos)
                refusedNames.insert(name);
    }
    EXPECT_EQ(refusedNames, damaged);
    MessageBoxInfo done = AnswerMessage(30s);
    EXPECT_EQ(done.caption, "Incomplete:");
    EXPECT_EQ(done.text, "Shelf was not exported in full to " + target.string() + ": " +
                             std::to_string(damaged.size()) + " of its 3 files could not be exported.");
    std::set<std::string> expected = {"Shelf/"};
    for (const DiscFile& file : files) {
        if (damaged.count(LastPart(file.path)))
            continue;
        expected.insert("Shelf/" + LastPart(file.path));
        auto difference = FileDifference(Source(file.path), target / "Shelf" / LastPart(file.path));
        EXPECT_FALSE(difference) << *difference;
    }
    EXPECT_EQ(TreeShape(target), expected) << "a short copy was left";

    // View/Open: refused, no short copy in the Temp folder.
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Shelf", 3));
    ASSERT_NO_FATAL_FAILURE(DoubleClickRow("z-big.e2e"));
    MessageBoxInfo refused = AnswerMessage(10s);
    EXPECT_EQ(refused.caption, "Error:(34566)");
    EXPECT_NE(refused.text.find("z-big.e2e"), std::string::npos) << refused.text;
    EXPECT_FALSE(fs::exists(ViewerTempFolder() / "z-big.e2e")) << "a short copy was left in the Temp folder";

    // Exported from the list with an undamaged file: only that one is written.
    ASSERT_FALSE(damaged.count("first.e2e") && damaged.count("third.e2e"));
    const std::string whole = damaged.count("first.e2e") ? "third.e2e" : "first.e2e";
    ASSERT_NO_FATAL_FAILURE(SelectRows({"z-big.e2e", whole}));
    const fs::path chosen = NewFolder("chosen");
    ASSERT_TRUE(ExportTo(OpenListMenu(whole), kFileMenuExport, kFileMenuEntries, chosen));
    refused = AnswerMessage(10s);
    EXPECT_EQ(refused.caption, "Error:(34566)");
    done = AnswerMessage(10s);
    EXPECT_EQ(done.caption, "Incomplete:");
    EXPECT_EQ(done.text, "Not every file was exported to " + chosen.string() + ": 1 of 2 files could not be exported.");
    EXPECT_EQ(TreeShape(chosen), std::set<std::string>{whole});
}

// A verified disc (the default without a password) with one byte of one
// file flipped on the disc: exporting the whole disc writes every other file
// byte for byte and no copy of that one, View/Open opens nothing, and Check
// disc names it.
TEST_F(DamagedDiscTest, FlippedByteOfAVerifiedDiscIsCaughtEverywhere)
{
    const std::vector<DiscFile> files = {
        {"top.e2e", 3000}, {"Shelf\\first.e2e", 1000}, {"Shelf\\middle.e2e", 1572864}, {"Shelf\\third.e2e", 2000}};
    ASSERT_NO_FATAL_FAILURE(BuildDiscOnly({"Shelf"}, files, kVerifiedDisc));
    std::vector<StoredItem> stored = StoredFiles();
    auto middle = std::find_if(stored.begin(), stored.end(), [](const StoredItem& item) { return item.name == "middle.e2e"; });
    ASSERT_NE(middle, stored.end());
    {
        Bytes data = ReadBytes(DiscFolder() / middle->dataFile);
        data.at(middle->dataOffset + 1234567) ^= 0x20;  // in its second copy piece
        WriteBytes(DiscFolder() / middle->dataFile, data);
    }
    ASSERT_NO_FATAL_FAILURE(StartDisc());
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());

    const fs::path target = NewFolder("target");
    ASSERT_TRUE(ExportTo(OpenTreeMenu(kDiscLabel), kFolderMenuExport, kFolderMenuEntries, target));
    const fs::path exported = target / FromCp1252(kDiscLabel);
    MessageBoxInfo refused = AnswerMessage(30s);
    EXPECT_EQ(refused.caption, "Error:(34572)");
    // The message names the path in CP1252, as the viewer has it.
    EXPECT_EQ(refused.text, "\"middle.e2e\" could not be copied: the disc's copy of it is damaged. "
                            "Nothing was written to " + target.string() + "\\" + kDiscLabel + "\\Shelf\\middle.e2e.");
    MessageBoxInfo done = AnswerMessage(30s);
    EXPECT_EQ(done.caption, "Incomplete:");
    EXPECT_EQ(done.text, kDiscLabel + " was not exported in full to " + target.string() +
                             ": 1 of its 4 files could not be exported.");
    const std::string label = ToUtf8(FromCp1252(kDiscLabel));
    std::set<std::string> expected = {label + "/", label + "/Shelf/"};
    for (const DiscFile& file : files) {
        if (LastPart(file.path) == "middle.e2e")
            continue;
        std::string inDisc = file.path;
        std::replace(inDisc.begin(), inDisc.end(), '\\', '/');
        expected.insert(label + "/" + inDisc);
        auto difference = FileDifference(Source(file.path), exported / FromCp1252(file.path));
        EXPECT_FALSE(difference) << *difference;
    }
    EXPECT_EQ(TreeShape(target), expected) << "a copy of the damaged file was left";

    // View/Open: the same message, nothing in the Temp folder to open.
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Shelf", 3));
    ASSERT_NO_FATAL_FAILURE(DoubleClickRow("middle.e2e"));
    refused = AnswerMessage(10s);
    EXPECT_EQ(refused.caption, "Error:(34572)");
    EXPECT_NE(refused.text.find("\"middle.e2e\""), std::string::npos) << refused.text;
    EXPECT_FALSE(fs::exists(ViewerTempFolder() / "middle.e2e")) << "a copy of the damaged file was opened";
    EXPECT_TRUE(NoMessageWithin(300ms));

    auto checked = CheckDiscThroughFileMenu(30s);
    ASSERT_TRUE(checked) << "\"Check disc\" ended with no message";
    EXPECT_EQ(checked->caption, "Damaged:");
    EXPECT_EQ(checked->text, "The disc was checked: 1 of its 4 files is damaged or cannot be read.\r\n\r\n"
                             "Shelf\\middle.e2e - damaged\r\n");
    PressButton(checked->window, IDOK);
}

TEST_F(DamagedDiscTest, MissingDataFileRefusesItsFilesOnly)
{
    const std::vector<DiscFile> files = {
        {"Split\\a.e2e", 600000}, {"Split\\b.e2e", 600000}, {"Split\\c.e2e", 600000}};
    ASSERT_NO_FATAL_FAILURE(BuildDiscOnly({"Split"}, files, {L"--data-file-limit", L"1000000"}));
    std::string lost;
    for (const StoredItem& item : StoredFiles())
        if (item.dataFile == "disc0002.dat")
            lost = item.name;
    ASSERT_FALSE(lost.empty()) << "no file lies in disc0002.dat";
    fs::remove(DiscFolder() / "disc0002.dat");
    ASSERT_NO_FATAL_FAILURE(StartDisc());
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Split", 3));

    const fs::path target = NewFolder("target");
    ASSERT_TRUE(ExportTo(OpenTreeMenu("Split"), kFolderMenuExport, kFolderMenuEntries, target));
    std::optional<MessageBoxInfo> shown = WaitForMessage(30s);
    ASSERT_TRUE(shown);
    // While the message is up the main window waits: it owns the box, a
    // click on another folder does not rebuild the list, and a command that
    // arrives starts no second export.
    EXPECT_EQ(GetWindow(shown->window, GW_OWNER), main_) << "the message box has no owner";
    ClickTreeLabel(kDiscLabel);
    PostCommand(main_, 7656);  // "Export"
    EXPECT_FALSE(WaitForFolderChooser(viewer_->Id(), 1s)) << "a second export started under the message";
    EXPECT_EQ(ReadList(list_).size(), 3u) << "the list was rebuilt under the message";
    MessageBoxInfo refused = AnswerMessage(5s);
    EXPECT_EQ(refused.caption, "Error:(345634)");
    EXPECT_EQ(refused.text, "Cannot open .dat file.");
    MessageBoxInfo done = AnswerMessage(30s);
    EXPECT_EQ(done.caption, "Incomplete:");
    EXPECT_EQ(done.text, "Split was not exported in full to " + target.string() + ": 1 of its 3 files could not be exported.");
    std::set<std::string> expected = {"Split/"};
    for (const DiscFile& file : files) {
        if (LastPart(file.path) == lost)
            continue;
        expected.insert("Split/" + LastPart(file.path));
        auto difference = FileDifference(Source(file.path), target / "Split" / LastPart(file.path));
        EXPECT_FALSE(difference) << *difference;
    }
    EXPECT_EQ(TreeShape(target), expected);

    // A file of the copy's name in the Temp folder that the viewer did not
    // write: the failed View/Open leaves it, and so does the end of the run.
    const fs::path foreign = ViewerTempFolder() / lost;
    WriteText(foreign, "not the viewer's");
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Split", 3));
    ASSERT_NO_FATAL_FAILURE(DoubleClickRow(lost));
    refused = AnswerMessage(10s);
    EXPECT_EQ(refused.caption, "Error:(345634)");
    EXPECT_EQ(refused.text, "Cannot open .dat file.");
    EXPECT_TRUE(NoMessageWithin(500ms));
    ASSERT_TRUE(ExitThroughFileMenu());
    EXPECT_TRUE(fs::exists(foreign)) << "the viewer deleted a file it did not write";
    fs::remove(foreign);
}

// Names mkdisc never writes, put into the built viewer's item table: each
// would lead out of the folder it is joined to, or is no file name at all.
const std::map<std::string, std::string> kUnsafeFileNames = {
    {"placeholder-file-1.e2e", "..\\..\\escaped.e2e"},
    {"placeholder-file-2.e2e", "CON"},
    {"placeholder-file-3.e2e", "com1.e2e"},
    {"placeholder-file-4.e2e", "a:b.e2e"},
    {"placeholder-file-5.e2e", "trail."},
    {"placeholder-file-6.e2e", "blank "},
    {"placeholder-file-7.e2e", ""},
    {"placeholder-file-8.e2e", ".."},
    {"placeholder-file-9.e2e", "sub/evil.e2e"},
};
const std::string kUnsafeFolderPlaceholder = "placeholder-folder-1";
const std::string kUnsafeFolderName = "..\\..\\outside";

TEST_F(DamagedDiscTest, UnsafeNamesAreRefusedAndNothingIsWrittenOutside)
{
    std::vector<DiscFile> files = {{"ok.e2e", 50}, {kUnsafeFolderPlaceholder + "\\inner.e2e", 20}};
    for (const auto& [placeholder, name] : kUnsafeFileNames)
        files.push_back({placeholder, 10});
    ASSERT_NO_FATAL_FAILURE(BuildDiscOnly({kUnsafeFolderPlaceholder}, files));
    Bytes viewer = ReadBytes(DiscFolder() / "discview.exe");
    for (const auto& [placeholder, name] : kUnsafeFileNames)
        RenameStoredItem(viewer, placeholder, name);
    RenameStoredItem(viewer, kUnsafeFolderPlaceholder, kUnsafeFolderName);
    WriteBytes(DiscFolder() / "discview.exe", viewer);
    ASSERT_NO_FATAL_FAILURE(StartDisc());

    // Export of the whole disc into <scratch>\target: the names joined as
    // they stand would write into the scratch folder.
    const fs::path target = NewFolder("target");
    const std::set<std::string> scratchBefore = EntriesIn(Scratch());
    ASSERT_TRUE(ExportTo(OpenTreeMenu(kDiscLabel), kFolderMenuExport, kFolderMenuEntries, target));
    std::multiset<std::string> refusedTexts;
    MessageBoxInfo last;
    for (;;) {
        last = AnswerMessage(30s);
        if (last.caption != "Error:(34568)")
            break;
        refusedTexts.insert(last.text);
    }
    // The files of the folder whose name was refused count as not exported.
    EXPECT_EQ(last.caption, "Incomplete:");
    EXPECT_EQ(last.text, kDiscLabel + " was not exported in full to " + target.string() + ": " +
                             std::to_string(kUnsafeFileNames.size() + 1) + " of its " +
                             std::to_string(kUnsafeFileNames.size() + 2) + " files could not be exported.");
    EXPECT_EQ(refusedTexts.size(), kUnsafeFileNames.size() + 1) << "one refusal per unsafe name";
    auto refusedName = [&](const std::string& name) {
        return std::any_of(refusedTexts.begin(), refusedTexts.end(), [&](const std::string& text) {
            return text.find("\"" + name + "\"") != std::string::npos;
        });
    };
    for (const auto& [placeholder, name] : kUnsafeFileNames)
        EXPECT_TRUE(refusedName(name)) << "no message names \"" << name << "\"";
    EXPECT_TRUE(refusedName(kUnsafeFolderName)) << "no message names the folder";

    const std::string label = ToUtf8(FromCp1252(kDiscLabel));
    EXPECT_EQ(TreeShape(target), (std::set<std::string>{label + "/", label + "/ok.e2e"}));
    EXPECT_EQ(EntriesIn(Scratch()), scratchBefore);
    auto difference = FileDifference(Source("ok.e2e"), target / FromCp1252(kDiscLabel) / "ok.e2e");
    EXPECT_FALSE(difference) << *difference;

    // View/Open of every unsafe file: refused one by one, nothing written
    // beside or above the Temp folder.
    const fs::path drive = WindowsFolder().parent_path();
    const std::set<std::string> driveBefore = EntriesIn(drive);
    const std::set<std::string> windowsBefore = EntriesIn(WindowsFolder());
    const std::set<std::string> tempBefore = EntriesIn(ViewerTempFolder());
    ASSERT_NO_FATAL_FAILURE(ShowFiles(kDiscLabel, files.size() - 1));
    std::vector<std::string> unsafeRows;
    for (const auto& [placeholder, name] : kUnsafeFileNames)
        unsafeRows.push_back(name);
    ASSERT_NO_FATAL_FAILURE(SelectRows(unsafeRows));
    HWND menu = OpenListMenu(unsafeRows.front());
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuEntry(menu, kFileMenuViewOpen, kFileMenuEntries));
    refusedTexts.clear();
    for (size_t i = 0; i < unsafeRows.size(); ++i) {
        MessageBoxInfo refused = AnswerMessage(10s);
        EXPECT_EQ(refused.caption, "Error:(34568)");
        refusedTexts.insert(refused.text);
    }
    for (const std::string& name : unsafeRows)
        EXPECT_TRUE(refusedName(name)) << "View/Open: no message names \"" << name << "\"";
    EXPECT_TRUE(NoMessageWithin(1s));
    EXPECT_EQ(EntriesIn(drive), driveBefore);
    EXPECT_EQ(EntriesIn(WindowsFolder()), windowsBefore);
    EXPECT_EQ(EntriesIn(ViewerTempFolder()), tempBefore);
}

// Device names in the forms Windows also takes for devices: with the
// superscript digits of code page 1252 (0xB9, 0xB2, 0xB3) as the number of
// COMn and LPTn, with blanks before the extension, and the console's
// CONIN$ and CONOUT$. Each names a port or device in every folder. (Wine
// does not treat them so: a name let through shows here as a missing
// message and a file written under that name.)
TEST_F(DamagedDiscTest, DeviceNameVariantsAreRefused)
{
    const std::map<std::string, std::string> devices = {
        {"placeholder-file-1.e2e", "COM\xB9.e2e"},
        {"placeholder-file-2.e2e", "lpt\xB2"},
        {"placeholder-file-3.e2e", "nul .e2e"},
        {"placeholder-file-4.e2e", "CONIN$"},
        {"placeholder-file-5.e2e", "conout$.txt"},
    };
    std::vector<DiscFile> files = {{"ok.e2e", 50}};
    for (const auto& [placeholder, name] : devices)
        files.push_back({placeholder, 10});
    ASSERT_NO_FATAL_FAILURE(BuildDiscOnly({}, files));
    Bytes viewer = ReadBytes(DiscFolder() / "discview.exe");
    for (const auto& [placeholder, name] : devices)
        RenameStoredItem(viewer, placeholder, name);
    WriteBytes(DiscFolder() / "discview.exe", viewer);
    ASSERT_NO_FATAL_FAILURE(StartDisc());

    const fs::path target = NewFolder("target");
    ASSERT_TRUE(ExportTo(OpenTreeMenu(kDiscLabel), kFolderMenuExport, kFolderMenuEntries, target));
    std::vector<MessageBoxInfo> refused;
    MessageBoxInfo last;
    for (;;) {
        last = AnswerMessage(30s);
        if (last.caption != "Error:(34568)")
            break;
        refused.push_back(last);
    }
    EXPECT_EQ(last.caption, "Incomplete:");
    EXPECT_EQ(refused.size(), devices.size()) << "one refusal per device name";
    const std::string label = ToUtf8(FromCp1252(kDiscLabel));
    EXPECT_EQ(TreeShape(target), (std::set<std::string>{label + "/", label + "/ok.e2e"}))
        << "a file was written under a device name";
}

// Files of the disc named like the disc's own files, exported into the disc's
// folder: the viewer and the data file are refused by name and stay as they
// were, the other file is written.
TEST_F(DamagedDiscTest, ExportIntoTheDiscFolderNeverReplacesTheDiscsOwnFiles)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc({}, {{"DISCVIEW.EXE", 300}, {"disc0001.dat", 200}, {"notes.e2e", 100}}));
    ASSERT_NO_FATAL_FAILURE(ShowFiles(kDiscLabel, 3));
    const Bytes viewerBefore = ReadBytes(DiscFolder() / "discview.exe");
    const Bytes dataBefore = ReadBytes(DiscFolder() / "disc0001.dat");
    ASSERT_NO_FATAL_FAILURE(SelectRows({"DISCVIEW.EXE", "disc0001.dat", "notes.e2e"}));
    ASSERT_TRUE(ExportTo(OpenListMenu("notes.e2e"), kFileMenuExport, kFileMenuEntries, DiscFolder()));
    for (const char* name : {"DISCVIEW.EXE", "disc0001.dat"}) {
        MessageBoxInfo refused = AnswerMessage(10s);
        EXPECT_EQ(refused.caption, "Error:(34571)");
        EXPECT_NE(refused.text.find("\"" + std::string(name) + "\""), std::string::npos) << refused.text;
    }
    MessageBoxInfo done = AnswerMessage(10s);
    EXPECT_EQ(done.caption, "Incomplete:");
    EXPECT_EQ(done.text, "Not every file was exported to " + DiscFolder().string() + ": 2 of 3 files could not be exported.");
    EXPECT_EQ(ReadBytes(DiscFolder() / "discview.exe"), viewerBefore);
    EXPECT_EQ(ReadBytes(DiscFolder() / "disc0001.dat"), dataBefore);
    auto difference = FileDifference(Source("notes.e2e"), DiscFolder() / "notes.e2e");
    EXPECT_FALSE(difference) << *difference;
    // autorun.inf and the browser reader are mkdisc's own.
    EXPECT_EQ(EntriesIn(DiscFolder()), (std::set<std::string>{"autorun.inf", "discview.exe", "disc0001.dat", "notes.e2e",
                                                               "Open in browser.html", "browser-reader"}));
}

}  // namespace
}  // namespace e2e
