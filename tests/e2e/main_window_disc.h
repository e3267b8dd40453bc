// The disc the main-window tests look at, and a fixture that opens it in the
// real viewer: nested folders, an empty folder, files of known sizes (0 and
// 1536 bytes among them) whose names mix upper and lower case and hold
// code page 1252 letters, some at the very start of the name.
// Names are the CP1252 bytes the viewer shows; mkdisc is given them as Unicode.
#pragma once
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "remote_controls.h"
#include "viewer_test.h"

namespace e2e {

// A file below the content folder: CP1252 path with '\' between the parts.
struct DiscFile {
    std::string path;
    uint32_t size;
};

// The whole-disc item's name (--label).
extern const std::string kDiscLabel;
// Every folder below the content folder (CP1252 paths), the empty one included.
const std::vector<std::string>& DiscFolders();
const std::vector<DiscFile>& DiscFiles();

// A CP1252 text as Unicode, for file names and mkdisc's options.
std::wstring FromCp1252(const std::string& text);

// Writes the folders and files (each file's bytes a fixed pattern of its size).
void WriteDiscContent(const std::filesystem::path& folder, const std::vector<std::string>& folders,
                      const std::vector<DiscFile>& files);

// Polls every 20 ms until probe() holds; false after the time-out.
template <typename Probe>
bool WaitUntil(std::chrono::milliseconds timeout, Probe probe)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (probe())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Window and control rectangles in the main window's client coordinates.
struct MainWindowPanes {
    RECT client{};
    RECT tree{};
    RECT list{};
    RECT status{};
};

// The name and size of each row, without the type the shell names (which
// depends on the machine).
std::vector<std::vector<std::string>> NameAndSizeTexts(const std::vector<ListRow>& rows);

class MainWindowTest : public ViewerTest {
protected:
    // Builds the test disc (label kDiscLabel) with extra mkdisc options.
    BuiltDisc BuildTestDisc(const std::vector<std::wstring>& options = {});

    // Waits for the viewer's main window and for its message loop, which runs
    // once the item table is in the tree. Null, with the reason added to the
    // test's failures, when a message box or nothing comes instead.
    HWND WaitForMainWindow(Process& viewer);

    // Builds the test disc, starts it and fills viewer_, main_, tree_, list_ and
    // status_; a fatal failure when that does not work.
    void OpenTestDisc();

    MainWindowPanes ReadPanes() const;
    // The tree entry with that text as it stands now; a failure when there is none.
    TreeEntry Entry(const std::string& text) const;
    // A real click on the middle of an entry's text.
    void ClickTreeLabel(const std::string& text);
    // Expands a collapsed entry by clicking its +/- button; true once it shows expanded.
    bool ExpandWithButton(const std::string& text);
    // Every folder of the disc shown, by clicking the buttons from the top down.
    void ExpandWholeTree();

    // Polls the list until its texts equal expected; the last reading either way.
    std::vector<std::vector<std::string>> WaitForListTexts(const std::vector<std::vector<std::string>>& expected);

    Process* viewer_ = nullptr;
    HWND main_ = nullptr;
    HWND tree_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
};

}  // namespace e2e
