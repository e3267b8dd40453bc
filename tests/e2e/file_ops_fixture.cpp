#include "file_ops_fixture.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "context_menu.h"
#include "folder_chooser.h"
#include "input.h"
#include "mouse.h"

namespace e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kPasswordEditId = IDC_PASSWORD_EDIT;

// The viewer's own dialogs: not message boxes, though some hold a static
// with the message box's text id.
static bool IsViewerDialog(const std::string& caption)
{
    return caption == "Properties" || caption == "About Arcseal  ver. 3.2" || caption == kExportingCaption ||
           caption == kCheckingCaption || caption == kPasswordCaption ||
           caption == kFolderChooserCaption || caption == "Open";
}

void WriteVariedContent(const fs::path& folder, const std::vector<std::string>& folders,
                        const std::vector<DiscFile>& files)
{
    fs::create_directories(folder);
    for (const std::string& path : folders)
        fs::create_directories(folder / FromCp1252(path));
    std::vector<char> block(1 << 20);
    for (const DiscFile& file : files) {
        // xorshift64 seeded with the path: no two files, and no two places
        // of one file, hold the same run of bytes.
        uint64_t state = 1469598103934665603ull;
        for (unsigned char c : file.path)
            state = (state ^ c) * 1099511628211ull;
        std::ofstream out(folder / FromCp1252(file.path), std::ios::binary);
        for (uint32_t done = 0; done < file.size;) {
            uint32_t piece = std::min<uint32_t>(file.size - done, (uint32_t)block.size());
            for (uint32_t i = 0; i < piece; i += 8) {
                state ^= state << 13;
                state ^= state >> 7;
                state ^= state << 17;
                for (uint32_t b = 0; b < 8 && i + b < piece; ++b)
                    block[i + b] = (char)(state >> (8 * b));
            }
            out.write(block.data(), piece);
            done += piece;
        }
        if (!out)
            throw std::runtime_error("cannot write the content file " + file.path);
    }
}

std::string LastPart(const std::string& path)
{
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

fs::path ViewerTempFolder()
{
    return WindowsFolder() / "Temp";
}

void FileOpsTest::TearDown()
{
    // The viewer, when still running, is killed here: its copies stay behind
    // and are removed by name.
    MainWindowTest::TearDown();
    std::error_code ignored;
    for (const DiscFile& file : files_)
        fs::remove(ViewerTempFolder() / FromCp1252(LastPart(file.path)), ignored);
}

void FileOpsTest::BuildDiscOnly(const std::vector<std::string>& folders, const std::vector<DiscFile>& files,
                                const std::vector<std::wstring>& options)
{
    files_ = files;
    // Copies left by an earlier run that was killed would pass for new ones.
    std::error_code ignored;
    for (const DiscFile& file : files)
        fs::remove(ViewerTempFolder() / FromCp1252(LastPart(file.path)), ignored);
    ASSERT_NO_THROW(WriteVariedContent(Content(), folders, files));
    BuiltDisc disc = BuildTestDisc(options);
    ASSERT_TRUE(disc.ok) << disc.output;
}

void FileOpsTest::StartDisc(const std::wstring& password)
{
    viewer_ = &StartViewer(DiscFolder() / "discview.exe");
    if (!password.empty()) {
        HWND dialog = WaitForPasswordDialog(*viewer_);
        ASSERT_TRUE(dialog);
        ClickCentre(GetDlgItem(dialog, kPasswordEditId));
        TypeText(password);
        ClickCentre(GetDlgItem(dialog, IDOK));
        ASSERT_TRUE(WaitUntilGone(dialog, 10s)) << "the password was not taken";
    }
    main_ = WaitForMainWindow(*viewer_);
    ASSERT_TRUE(main_);
    tree_ = GetDlgItem(main_, IDC_FOLDER_TREE);
    list_ = GetDlgItem(main_, IDC_FILE_LIST);
    status_ = GetDlgItem(main_, IDC_STATUS_BAR);
    ASSERT_TRUE(tree_ && list_ && status_) << "the main window lacks its tree, list or status bar";
}

void FileOpsTest::OpenDisc(const std::vector<std::string>& folders, const std::vector<DiscFile>& files,
                           const std::vector<std::wstring>& options, const std::wstring& password)
{
    std::vector<std::wstring> all = options;
    if (!password.empty())
        all.insert(all.end(), {L"--password", password});
    ASSERT_NO_FATAL_FAILURE(BuildDiscOnly(folders, files, all));
    ASSERT_NO_FATAL_FAILURE(StartDisc(password));
}

fs::path FileOpsTest::NewFolder(const std::string& name) const
{
    fs::path folder = Scratch() / name;
    fs::create_directories(folder);
    return folder;
}

HWND FileOpsTest::OpenTreeMenu(const std::string& entry)
{
    TreeEntry found = Entry(entry);
    if (!found.shown) {
        ADD_FAILURE() << "\"" << entry << "\" is not shown in the tree";
        return nullptr;
    }
    RightClickAt(ScreenCentre(tree_, found.label));
    HWND menu = WaitForContextMenu(viewer_->Id());
    if (!menu)
        ADD_FAILURE() << "no context menu on the tree entry \"" << entry << "\"";
    return menu;
}

HWND FileOpsTest::OpenListMenu(const std::string& row)
{
    ListRow found = Row(row);
    if (found.cells.empty())
        return nullptr;
    RightClickAt(ScreenCentre(list_, found.bounds));
    HWND menu = WaitForContextMenu(viewer_->Id());
    if (!menu)
        ADD_FAILURE() << "no context menu on the list row \"" << row << "\"";
    return menu;
}

void FileOpsTest::ShowFiles(const std::string& folder, size_t rows)
{
    ASSERT_NO_FATAL_FAILURE(ClickTreeLabel(folder));
    ASSERT_TRUE(WaitUntil(3s, [&] { return ReadList(list_).size() == rows; }))
        << "the list of \"" << folder << "\" does not show " << rows << " rows";
}

ListRow FileOpsTest::Row(const std::string& name) const
{
    for (const ListRow& row : ReadList(list_)) {
        if (!row.cells.empty() && row.cells[0] == name)
            return row;
    }
    ADD_FAILURE() << "no list row \"" << name << "\"";
    return {};
}

void FileOpsTest::SelectRows(const std::vector<std::string>& names)
{
    for (size_t i = 0; i < names.size(); ++i) {
        ListRow row = Row(names[i]);
        ASSERT_FALSE(row.cells.empty());
        POINT centre = ScreenCentre(list_, row.bounds);
        if (i == 0)
            ClickAt(centre);
        else
            ControlClickAt(centre);
    }
    ASSERT_TRUE(WaitUntil(2s, [&] {
        size_t selected = 0;
        for (const ListRow& row : ReadList(list_))
            selected += row.selected ? 1 : 0;
        return selected == names.size();
    })) << "the list does not show the " << names.size() << " rows selected";
}

void FileOpsTest::DoubleClickRow(const std::string& name)
{
    ListRow row = Row(name);
    ASSERT_FALSE(row.cells.empty());
    DoubleClickAt(ScreenCentre(list_, row.bounds));
}

std::optional<MessageBoxInfo> FileOpsTest::WaitForMessage(std::chrono::milliseconds timeout)
{
    std::optional<MessageBoxInfo> found;
    WaitUntil(timeout, [&] {
        for (const MessageBoxInfo& box : MessageBoxesOf(viewer_->Id())) {
            if (!IsViewerDialog(box.caption)) {
                found = box;
                return true;
            }
        }
        return false;
    });
    return found;
}

MessageBoxInfo FileOpsTest::AnswerMessage(std::chrono::milliseconds timeout, int button)
{
    auto box = WaitForMessage(timeout);
    if (!box) {
        ADD_FAILURE() << "no message box came";
        return {};
    }
    if (!PressButton(box->window, button) || !WaitUntilGone(box->window, 5s))
        ADD_FAILURE() << "message box \"" << box->caption << "\" did not close on button " << button;
    return *box;
}

::testing::AssertionResult FileOpsTest::NoMessageWithin(std::chrono::milliseconds time)
{
    if (auto box = WaitForMessage(time))
        return ::testing::AssertionFailure() << "message box \"" << box->caption << "\": \"" << box->text << "\"";
    return ::testing::AssertionSuccess();
}

bool FileOpsTest::ExportTo(HWND menu, int entry, int entries, const fs::path& target)
{
    if (!menu)
        return false;
    if (!ChooseMenuEntry(menu, entry, entries)) {
        ADD_FAILURE() << "the menu did not close on \"Export\"";
        return false;
    }
    HWND chooser = WaitForFolderChooser(viewer_->Id());
    if (!chooser) {
        ADD_FAILURE() << "no folder chooser";
        return false;
    }
    std::string why;
    if (!ChooseFolder(chooser, target, &why)) {
        ADD_FAILURE() << "the folder chooser did not take " << target.string() << ": " << why;
        return false;
    }
    return true;
}

void FileOpsTest::ScreenshotOf(HWND window, const std::string& name)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    std::this_thread::sleep_for(500ms);
    Screenshot(name);
}

HWND FileOpsTest::WaitForDialog(const std::string& caption, std::chrono::milliseconds timeout)
{
    return WaitForWindow(viewer_->Id(), kMessageBoxClass, caption, timeout);
}

void FileOpsTest::UseMenuBar(const std::vector<WORD>& keys)
{
    // The keys go to the focused window: the main window first gets the
    // focus the way a person gives it, with a click on its status bar.
    ClickCentre(status_);
    PressKey(VK_MENU);
    for (WORD key : keys)
        PressKey(key);
}

::testing::AssertionResult FileOpsTest::ExitThroughFileMenu()
{
    UseMenuBar({'F', 'X'});  // through the access keys of "&File" and "E&xit"
    if (!viewer_->WaitForExit(10s))
        return ::testing::AssertionFailure() << "the viewer did not end after \"File\" > \"Exit\"";
    if (viewer_->ExitCode() != 0u)
        return ::testing::AssertionFailure() << "the viewer ended with exit code " << *viewer_->ExitCode();
    return ::testing::AssertionSuccess();
}

std::optional<MessageBoxInfo> FileOpsTest::CheckDiscThroughFileMenu(std::chrono::milliseconds timeout)
{
    UseMenuBar({'F', 'C'});
    return WaitForMessage(timeout);
}

}  // namespace e2e
