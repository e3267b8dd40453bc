#include "main_window_disc.h"

#include <algorithm>
#include <fstream>

#include "mouse.h"

namespace e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Control identifiers of the main window's children.
constexpr int kStatusBarId = IDC_STATUS_BAR;
constexpr int kTreeId = IDC_FOLDER_TREE;
constexpr int kListId = IDC_FILE_LIST;

const std::string kDiscLabel = "D\xE9mo 2004";

const std::vector<std::string>& DiscFolders()
{
    static const std::vector<std::string> folders = {
        "Docs", "Docs\\Letters", "Docs\\Letters\\deep", "Empty", "archive", "\xDC" "ber",
    };
    return folders;
}

const std::vector<DiscFile>& DiscFiles()
{
    static const std::vector<DiscFile> files = {
        {"Alpha.txt", 100},
        {"alpha2.txt", 0},
        {"beta.txt", 1536},
        {"Bravo.txt", 1},
        {"caf\xE9.txt", 7},
        {"\xC9t\xE9.txt", 5},
        {"Zed.txt", 2047},
        {"_notes.txt", 20},
        {"Docs\\Report.TXT", 2048},
        {"Docs\\notes.txt", 300},
        {"Docs\\Letters\\Dear.txt", 12},
        {"Docs\\Letters\\deep\\bottom.bin", 1572864},
        {"archive\\old.dat", 4096},
        {"\xDC" "ber\\" "\xFC" "n" "\xEF" "code.txt", 10},
    };
    return files;
}

std::wstring FromCp1252(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    int length = MultiByteToWideChar(1252, 0, text.data(), (int)text.size(), wide.data(), (int)wide.size());
    wide.resize(length > 0 ? length : 0);
    return wide;
}

void WriteDiscContent(const fs::path& folder, const std::vector<std::string>& folders,
                      const std::vector<DiscFile>& files)
{
    fs::create_directories(folder);
    for (const std::string& path : folders)
        fs::create_directories(folder / FromCp1252(path));
    for (const DiscFile& file : files) {
        std::ofstream out(folder / FromCp1252(file.path), std::ios::binary);
        for (uint32_t i = 0; i < file.size; ++i)
            out.put((char)(i * 31 + 7));
    }
}

BuiltDisc MainWindowTest::BuildTestDisc(const std::vector<std::wstring>& options)
{
    fs::path content = Scratch() / "content";
    if (!fs::exists(content))
        WriteDiscContent(content, DiscFolders(), DiscFiles());
    std::vector<std::wstring> all = {L"--label", FromCp1252(kDiscLabel)};
    all.insert(all.end(), options.begin(), options.end());
    return BuildDisc(content, Scratch() / "disc", all);
}

HWND MainWindowTest::WaitForMainWindow(Process& viewer)
{
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    for (;;) {
        auto boxes = MessageBoxesOf(viewer.Id());
        if (!boxes.empty()) {
            ADD_FAILURE() << "instead of the main window, message box \"" << boxes.front().caption
                          << "\": \"" << boxes.front().text << "\"";
            return nullptr;
        }
        if (HWND main = WaitForWindow(viewer.Id(), kMainWindowClass, std::nullopt, 0ms)) {
            // The loop that answers this starts once the tree is loaded.
            DWORD_PTR ignored = 0;
            if (!SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored)) {
                ADD_FAILURE() << "the main window does not answer";
                return nullptr;
            }
            return main;
        }
        if (!viewer.Running() || std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "no main window";
            return nullptr;
        }
        std::this_thread::sleep_for(20ms);
    }
}

void MainWindowTest::OpenTestDisc()
{
    BuiltDisc disc = BuildTestDisc();
    ASSERT_TRUE(disc.ok) << disc.output;
    viewer_ = &StartViewer(disc.viewer);
    main_ = WaitForMainWindow(*viewer_);
    ASSERT_TRUE(main_);
    tree_ = GetDlgItem(main_, kTreeId);
    list_ = GetDlgItem(main_, kListId);
    status_ = GetDlgItem(main_, kStatusBarId);
    ASSERT_TRUE(tree_ && list_ && status_) << "the main window lacks its tree, list or status bar";
}

MainWindowPanes MainWindowTest::ReadPanes() const
{
    // The viewer answers only between two messages, so a layout it is
    // applying right now is complete before the rectangles are read.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    MainWindowPanes panes;
    GetClientRect(main_, &panes.client);
    panes.tree = RectInParent(tree_);
    panes.list = RectInParent(list_);
    panes.status = RectInParent(status_);
    return panes;
}

TreeEntry MainWindowTest::Entry(const std::string& text) const
{
    auto entry = FindTreeEntry(ReadTree(tree_), text);
    if (!entry) {
        ADD_FAILURE() << "no tree entry \"" << text << "\"";
        return {};
    }
    return *entry;
}

void MainWindowTest::ClickTreeLabel(const std::string& text)
{
    TreeEntry entry = Entry(text);
    ASSERT_TRUE(entry.shown) << "\"" << text << "\" is inside a collapsed branch";
    ClickAt(ScreenCentre(tree_, entry.label));
}

bool MainWindowTest::ExpandWithButton(const std::string& text)
{
    TreeEntry entry = Entry(text);
    auto button = ExpandButtonCentre(tree_, entry);
    if (!button) {
        ADD_FAILURE() << "\"" << text << "\" shows no +/- button";
        return false;
    }
    ClickAt(ScreenPoint(tree_, *button));
    return WaitUntil(2s, [&] { return Entry(text).expanded; });
}

void MainWindowTest::ExpandWholeTree()
{
    // Each click shows more entries, so the tree is read again every time.
    for (int round = 0; round < 32; ++round) {
        std::optional<TreeEntry> collapsed;
        for (const TreeEntry& entry : ReadTree(tree_)) {
            if (entry.shown && entry.hasChildren && !entry.expanded) {
                collapsed = entry;
                break;
            }
        }
        if (!collapsed)
            return;
        ASSERT_TRUE(ExpandWithButton(collapsed->text)) << "\"" << collapsed->text << "\" did not expand";
    }
    FAIL() << "the tree never showed every entry";
}

std::vector<std::vector<std::string>> NameAndSizeTexts(const std::vector<ListRow>& rows)
{
    std::vector<std::vector<std::string>> texts = ListTexts(rows);
    for (std::vector<std::string>& row : texts)
        row.resize(std::min<size_t>(row.size(), 2));
    return texts;
}

std::vector<std::vector<std::string>> MainWindowTest::WaitForListTexts(
    const std::vector<std::vector<std::string>>& expected)
{
    std::vector<std::vector<std::string>> texts;
    WaitUntil(2s, [&] {
        texts = NameAndSizeTexts(ReadList(list_));
        return texts == expected;
    });
    return texts;
}

}  // namespace e2e
