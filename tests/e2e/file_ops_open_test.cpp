// View/Open and Open With: the file is written in plain form into the
// Windows Temp folder and handed to the shell, which starts the program
// registered for its type or the one chosen in the "Open" dialog. A stand-in
// program records what it was given. Every copy is gone after "File" > "Exit".
#include <chrono>
#include <set>

#include "context_menu.h"
#include "file_compare.h"
#include "file_ops_fixture.h"
#include "file_ops_probe.h"
#include "input.h"
#include "mouse.h"
#include "open_file_dialog.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A type no program claims, registered to the stand-in for these tests.
const std::string kProbeType = ".e2eview";

class OpenTest : public FileOpsTest {
protected:
    // Where the viewer puts the copy of a file of that (CP1252) name.
    static fs::path CopyPath(const std::string& name) { return ViewerTempFolder() / FromCp1252(name); }
    // The same path as the viewer's text: CP1252 bytes, as a program started
    // with it receives them.
    static std::string CopyPathText(const std::string& name)
    {
        char windows[MAX_PATH] = "";
        GetWindowsDirectoryA(windows, MAX_PATH);
        return std::string(windows) + "\\Temp\\" + name;
    }

    // The copy of disc file path holds exactly its source's bytes.
    void ExpectCopyOf(const std::string& path)
    {
        auto difference = FileDifference(Source(path), ViewerTempFolder() / FromCp1252(LastPart(path)));
        EXPECT_FALSE(difference) << *difference;
    }

    // The parameters of the recorded command lines, with the quotation marks
    // that the registered command puts around them taken off.
    static std::multiset<std::string> OpenedPaths(const std::vector<std::string>& commandLines)
    {
        std::multiset<std::string> paths;
        for (const std::string& line : commandLines) {
            std::string parameters = ParametersOf(line);
            if (parameters.size() >= 2 && parameters.front() == '"' && parameters.back() == '"')
                parameters = parameters.substr(1, parameters.size() - 2);
            paths.insert(parameters);
        }
        return paths;
    }
};

TEST_F(OpenTest, DoubleClickAndViewOpenHandPlainCopiesToTheRegisteredProgram)
{
    const fs::path probes = Scratch() / "registered";
    RegisteredFileType type(kProbeType, PlaceProbe(probes));
    ASSERT_TRUE(type.Ok()) << "cannot register " << kProbeType;
    const std::vector<DiscFile> files = {{"Docs\\my letter.e2eview", 5000},
                                         {"Docs\\caf\xE9.e2eview", 77},
                                         {"Docs\\plain.e2eview", 0},
                                         {"Docs\\other.e2eview", 10},
                                         {"Docs\\Zulu.e2eview", 7}};
    ASSERT_NO_FATAL_FAILURE(OpenDisc({"Docs"}, files));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    // Zulu stands first in the item table but last in the list: a row taken
    // for the wrong file shows.
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Docs", 5));

    ASSERT_NO_FATAL_FAILURE(DoubleClickRow("my letter.e2eview"));
    std::vector<std::string> opened = WaitForProbeCommandLines(probes, 1, 15s);
    ASSERT_EQ(opened.size(), 1u) << "the double click started no program";
    EXPECT_EQ(OpenedPaths(opened), std::multiset<std::string>{CopyPathText("my letter.e2eview")});
    ExpectCopyOf(files[0].path);

    // Three rows: each opened once.
    ASSERT_NO_FATAL_FAILURE(SelectRows({"my letter.e2eview", "caf\xE9.e2eview", "plain.e2eview"}));
    HWND menu = OpenListMenu("plain.e2eview");
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuEntry(menu, kFileMenuViewOpen, kFileMenuEntries));
    opened = WaitForProbeCommandLines(probes, 4, 15s);
    EXPECT_EQ(OpenedPaths(opened),
              (std::multiset<std::string>{CopyPathText("my letter.e2eview"), CopyPathText("my letter.e2eview"),
                                          CopyPathText("caf\xE9.e2eview"), CopyPathText("plain.e2eview")}));
    for (int i = 0; i < 3; ++i)
        ExpectCopyOf(files[i].path);
    EXPECT_FALSE(fs::exists(CopyPath("other.e2eview"))) << "a row not selected was opened";
    EXPECT_FALSE(fs::exists(CopyPath("Zulu.e2eview"))) << "a row not selected was opened";
    EXPECT_TRUE(NoMessageWithin(500ms));

    ASSERT_TRUE(ExitThroughFileMenu());
    for (const DiscFile& file : files)
        EXPECT_FALSE(fs::exists(CopyPath(LastPart(file.path)))) << LastPart(file.path) << " was left in Temp";
}

// The panes as Explorer's: arrow keys in the tree show the folder's files,
// Tab moves to the list, Ctrl+A selects every file, Enter opens them,
// Backspace goes up to the parent folder.
TEST_F(OpenTest, KeysMoveBetweenFoldersSelectAndOpenAsInExplorer)
{
    const fs::path probes = Scratch() / "registered";
    RegisteredFileType type(kProbeType, PlaceProbe(probes));
    ASSERT_TRUE(type.Ok()) << "cannot register " << kProbeType;
    const std::vector<DiscFile> files = {{"Docs\\a.e2eview", 10}, {"Docs\\b.e2eview", 20},
                                         {"Docs\\Inner\\c.e2eview", 30}};
    ASSERT_NO_FATAL_FAILURE(OpenDisc({"Docs", "Docs\\Inner"}, files));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Docs", 2));
    auto names = [&] {
        std::set<std::string> shown;
        for (const ListRow& row : ReadList(list_))
            shown.insert(row.cells.empty() ? "" : row.cells[0]);
        return shown;
    };

    PressKey(VK_DOWN);  // from "Docs" to "Inner", with the keyboard alone
    EXPECT_TRUE(WaitUntil(3s, [&] { return names() == std::set<std::string>{"c.e2eview"}; }))
        << "the list does not follow the tree's keyboard selection";
    PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil(2s, [&] { return FocusIn(main_) == list_; })) << "Tab did not move to the list";
    PressKey(VK_BACK);
    EXPECT_TRUE(WaitUntil(3s, [&] { return names() == std::set<std::string>{"a.e2eview", "b.e2eview"}; }))
        << "Backspace did not go up to the parent folder";
    PressKeyWith(VK_CONTROL, 'A');
    EXPECT_TRUE(WaitUntil(2s, [&] {
        std::vector<ListRow> rows = ReadList(list_);
        return rows.size() == 2 && rows[0].selected && rows[1].selected;
    })) << "Ctrl+A did not select every file";
    PressKeyWith(VK_SHIFT, VK_F10);
    HWND menu = WaitForContextMenu(viewer_->Id());
    EXPECT_TRUE(menu) << "Shift+F10 opened no menu";
    PressKey(VK_ESCAPE);
    if (menu) {
        EXPECT_TRUE(WaitUntilGone(menu, 5s));
    }
    PressKey(VK_RETURN);
    std::vector<std::string> opened = WaitForProbeCommandLines(probes, 2, 15s);
    EXPECT_EQ(OpenedPaths(opened), (std::multiset<std::string>{CopyPathText("a.e2eview"), CopyPathText("b.e2eview")}));
}

// Find (Ctrl+F, or File > Find...): every file and folder whose name holds
// the text, with its folder; a result is shown in its folder.
TEST_F(OpenTest, FindListsMatchesWithTheirFoldersAndShowsOneInItsFolder)
{
    const std::vector<DiscFile> files = {{"Docs\\Annual Report.txt", 10}, {"Docs\\Old\\Deep\\report 1999.txt", 20},
                                         {"notes.txt", 30}};
    ASSERT_NO_FATAL_FAILURE(OpenDisc({"Docs", "Docs\\Old", "Docs\\Old\\Deep", "Reports"}, files));
    ClickCentre(tree_);
    PressKeyWith(VK_CONTROL, 'F');
    HWND find = WaitForDialog("Find", 5s);
    ASSERT_TRUE(find) << "Ctrl+F opened no Find window";
    TypeText(L"REPORT");
    PressKey(VK_RETURN);
    HWND results = GetDlgItem(find, IDC_FIND_RESULTS);
    std::vector<std::vector<std::string>> rows;
    EXPECT_TRUE(WaitUntil(3s, [&] {
        rows = ListTexts(ReadList(results));
        return rows.size() == 3;
    }));
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"Annual Report.txt", "Docs"}, {"report 1999.txt", "Docs\\Old\\Deep"}, {"Reports", ""}}));
    EXPECT_EQ(TextOf(GetDlgItem(find, IDC_FIND_COUNT)), "3 found.");
    ScreenshotOf(find, "find");

    ClickAt(ScreenCentre(results, ReadList(results)[1].bounds));
    ASSERT_TRUE(PressButton(find, IDC_FIND_SHOW));
    EXPECT_TRUE(WaitUntilGone(find, 5s));
    EXPECT_TRUE(WaitUntil(3s, [&] {
        std::vector<ListRow> shown = ReadList(list_);
        return shown.size() == 1 && shown[0].cells[0] == "report 1999.txt" && shown[0].selected;
    })) << "the result is not shown selected in its folder";

    // A result's menu exports it as the list's does (the Find window stays).
    ClickCentre(tree_);
    PressKeyWith(VK_CONTROL, 'F');
    find = WaitForDialog("Find", 5s);
    ASSERT_TRUE(find);
    TypeText(L"annual");
    PressKey(VK_RETURN);
    results = GetDlgItem(find, IDC_FIND_RESULTS);
    ASSERT_TRUE(WaitUntil(3s, [&] { return ReadList(results).size() == 1; }));
    const fs::path target = NewFolder("found");
    RightClickAt(ScreenCentre(results, ReadList(results)[0].bounds));
    ASSERT_TRUE(ExportTo(WaitForContextMenu(viewer_->Id()), 3, 4, target));
    HWND done = WaitForDialog("Finished:", 10s);  // beside the Find window, which stays
    ASSERT_TRUE(done) << "the export ended with no message";
    EXPECT_TRUE(PressButton(done, IDOK) && WaitUntilGone(done, 5s));
    auto difference = FileDifference(Source("Docs\\Annual Report.txt"), target / "Annual Report.txt");
    EXPECT_FALSE(difference) << *difference;
}

// The chosen program gets the copy's path in quotation marks, so a path
// with a blank arrives as one argument.
TEST_F(OpenTest, OpenWithHandsTheChosenProgramTheCopysPathQuoted)
{
    const fs::path probes = Scratch() / "probe dir";
    const fs::path probe = PlaceProbe(probes);
    const std::vector<DiscFile> files = {{"Docs\\my notes.e2e", 3000}, {"Docs\\second file.e2e", 40}};
    ASSERT_NO_FATAL_FAILURE(OpenDisc({"Docs"}, files));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Docs", 2));

    // No program claims the type: opening it says so and offers the choice.
    ASSERT_NO_FATAL_FAILURE(DoubleClickRow("my notes.e2e"));
    MessageBoxInfo none = AnswerMessage(15s, IDYES);
    EXPECT_EQ(none.caption, "Open With");
    EXPECT_EQ(none.text, "No program on this computer is set to open \"my notes.e2e\". Choose a program to open it "
                         "with?");
    HWND dialog = WaitForOpenFileDialog(viewer_->Id());
    ASSERT_TRUE(dialog) << "\"View/Open With...\" showed no \"Open\" dialog";
    ScreenshotOf(dialog, "open-with-dialog");
    ASSERT_TRUE(OpenFileInDialog(dialog, probe));
    std::vector<std::string> opened = WaitForProbeCommandLines(probes, 1, 15s);
    ASSERT_EQ(opened.size(), 1u) << "the chosen program was not started";
    EXPECT_EQ(ParametersOf(opened[0]), "\"" + CopyPathText("my notes.e2e") + "\"") << "command line: " << opened[0];
    ExpectCopyOf(files[0].path);

    // Cancelled: nothing opened, no copy written.
    HWND menu = OpenListMenu("second file.e2e");
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuEntry(menu, kFileMenuOpenWith, kFileMenuEntries));
    dialog = WaitForOpenFileDialog(viewer_->Id());
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(CancelOpenFileDialog(dialog));
    EXPECT_EQ(WaitForProbeCommandLines(probes, 2, 1500ms).size(), 1u) << "a cancelled Open With started the program";
    EXPECT_FALSE(fs::exists(CopyPath("second file.e2e")));

    // Two rows, one program: each handed over once.
    ASSERT_NO_FATAL_FAILURE(SelectRows({"my notes.e2e", "second file.e2e"}));
    menu = OpenListMenu("second file.e2e");
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuEntry(menu, kFileMenuOpenWith, kFileMenuEntries));
    dialog = WaitForOpenFileDialog(viewer_->Id());
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(OpenFileInDialog(dialog, probe));
    opened = WaitForProbeCommandLines(probes, 3, 15s);
    EXPECT_EQ(OpenedPaths(opened), (std::multiset<std::string>{CopyPathText("my notes.e2e"), CopyPathText("my notes.e2e"),
                                                               CopyPathText("second file.e2e")}));
    ExpectCopyOf(files[1].path);
    EXPECT_TRUE(NoMessageWithin(500ms));

    // Closing the window ends the run as "File" > "Exit" does.
    PostMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(viewer_->WaitForExit(10s)) << "the viewer did not end when its window was closed";
    EXPECT_EQ(viewer_->ExitCode(), 0u);
    for (const DiscFile& file : files)
        EXPECT_FALSE(fs::exists(CopyPath(LastPart(file.path)))) << LastPart(file.path) << " was left in Temp";
}

// Two files of one name share one copy path. While the first copy is held
// open elsewhere, the second is refused with a message instead of showing
// the first one's contents; once it is free, the second replaces it.
TEST_F(OpenTest, SameNameFromAnotherFolderIsRefusedWhileTheFirstCopyIsLocked)
{
    const fs::path probes = Scratch() / "registered";
    RegisteredFileType type(kProbeType, PlaceProbe(probes));
    ASSERT_TRUE(type.Ok()) << "cannot register " << kProbeType;
    const std::vector<DiscFile> files = {{"One\\same.e2eview", 1000}, {"Two\\same.e2eview", 2000}};
    ASSERT_NO_FATAL_FAILURE(OpenDisc({"One", "Two"}, files));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    const fs::path copy = CopyPath("same.e2eview");

    ASSERT_NO_FATAL_FAILURE(ShowFiles("One", 1));
    ASSERT_NO_FATAL_FAILURE(DoubleClickRow("same.e2eview"));
    ASSERT_EQ(WaitForProbeCommandLines(probes, 1, 15s).size(), 1u);
    ExpectCopyOf(files[0].path);

    {
        // Held the way a program showing it would hold it: shared with nobody.
        HANDLE lock = CreateFileW(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        ASSERT_NO_FATAL_FAILURE(ShowFiles("Two", 1));
        ASSERT_NO_FATAL_FAILURE(DoubleClickRow("same.e2eview"));
        MessageBoxInfo refused = AnswerMessage(10s);
        CloseHandle(lock);
        EXPECT_EQ(refused.caption, "Error:(34569)");
        EXPECT_NE(refused.text.find(CopyPathText("same.e2eview")), std::string::npos) << refused.text;
        EXPECT_EQ(WaitForProbeCommandLines(probes, 2, 1s).size(), 1u) << "the locked copy was opened again";
    }
    ExpectCopyOf(files[0].path);

    ASSERT_NO_FATAL_FAILURE(DoubleClickRow("same.e2eview"));
    ASSERT_EQ(WaitForProbeCommandLines(probes, 2, 15s).size(), 2u);
    ExpectCopyOf(files[1].path);

    // Windows ends the session: the viewer agrees, and its copies go as on "Exit".
    DWORD_PTR agreed = 0;
    ASSERT_TRUE(SendMessageTimeoutA(main_, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &agreed));
    EXPECT_EQ(agreed, (DWORD_PTR)TRUE);
    EXPECT_TRUE(fs::exists(copy)) << "the copy went before the session ended";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main_, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ASSERT_TRUE(viewer_->WaitForExit(10s)) << "the viewer did not end with the session";
    EXPECT_FALSE(fs::exists(copy)) << "the copy was left in Temp";
}

}  // namespace
}  // namespace e2e
