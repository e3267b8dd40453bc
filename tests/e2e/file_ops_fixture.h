// The file operations driven as a person drives them: a disc made with the
// real mkdisc from files whose bytes differ from file to file and from place
// to place (so a copy from a wrong offset or of another file shows), opened
// in the real viewer; context menus opened with the right mouse button and
// entries clicked; the folder chooser and the message boxes answered.
#pragma once
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "main_window_disc.h"

namespace e2e {

// The entries of the tree's and the list's context menus, top to bottom.
constexpr int kFolderMenuExport = 0;
constexpr int kFolderMenuProperties = 1;
constexpr int kFolderMenuEntries = 2;
constexpr int kFileMenuViewOpen = 0;
constexpr int kFileMenuOpenWith = 1;
constexpr int kFileMenuExport = 2;
constexpr int kFileMenuProperties = 3;
constexpr int kFileMenuEntries = 4;

inline const std::string kExportingCaption = "Exporting...";
inline const std::string kCheckingCaption = "Checking...";
inline const std::string kChooseTitle = "Choose the directory to export too:";

// Writes the folders and files; each file's bytes come from a generator
// seeded with its path.
void WriteVariedContent(const std::filesystem::path& folder, const std::vector<std::string>& folders,
                        const std::vector<DiscFile>& files);

// The last part of a CP1252 path with '\' between the parts.
std::string LastPart(const std::string& path);

// C:\windows\Temp, where the viewer puts the copies it opens.
std::filesystem::path ViewerTempFolder();

class FileOpsTest : public MainWindowTest {
protected:
    void TearDown() override;

    // Writes the content to <scratch>/content, builds the disc (label
    // kDiscLabel) into <scratch>/disc, starts it and waits for the main
    // window; with a password the disc gets it (--password) and the reader
    // types it. Fatal failure when any step does not work.
    void OpenDisc(const std::vector<std::string>& folders, const std::vector<DiscFile>& files,
                  const std::vector<std::wstring>& options = {}, const std::wstring& password = L"");
    // Builds the disc only (for tests that change it before starting it).
    void BuildDiscOnly(const std::vector<std::string>& folders, const std::vector<DiscFile>& files,
                       const std::vector<std::wstring>& options = {});
    // Starts the disc built before, types the password when one is given,
    // and waits for the main window.
    void StartDisc(const std::wstring& password = L"");

    std::filesystem::path Content() const { return Scratch() / "content"; }
    std::filesystem::path DiscFolder() const { return Scratch() / "disc"; }
    // The source file of a disc file (CP1252 path below the content folder).
    std::filesystem::path Source(const std::string& path) const { return Content() / FromCp1252(path); }
    // An empty folder of the scratch folder, made now.
    std::filesystem::path NewFolder(const std::string& name) const;

    // Right-clicks an entry of the tree (which must be shown) or a row of the
    // list and returns the menu; null, with a failure added, when none opens.
    HWND OpenTreeMenu(const std::string& entry);
    HWND OpenListMenu(const std::string& row);

    // A real click on a folder, then waits until the list shows rows rows.
    void ShowFiles(const std::string& folder, size_t rows);
    // The list row showing that name; a failure when there is none.
    ListRow Row(const std::string& name) const;
    // Clicks the first name, Ctrl-clicks the others.
    void SelectRows(const std::vector<std::string>& names);
    void DoubleClickRow(const std::string& name);

    // The next message box of the viewer (its dialogs do not count).
    std::optional<MessageBoxInfo> WaitForMessage(std::chrono::milliseconds timeout = kWindowTimeout);
    // Waits for the next message box, presses its OK and returns what it said;
    // an empty caption, with a failure added, when none came.
    MessageBoxInfo AnswerMessage(std::chrono::milliseconds timeout = kWindowTimeout, int button = IDOK);
    // No message box comes within the time.
    ::testing::AssertionResult NoMessageWithin(std::chrono::milliseconds time);

    // Chooses "Export" in an open menu, then target in the folder chooser.
    // False, with a failure added, when a step does not work.
    bool ExportTo(HWND menu, int entry, int entries, const std::filesystem::path& target);

    // A named screenshot once window has answered and had time to paint
    // (a dialog just opened may still show unpainted controls).
    void ScreenshotOf(HWND window, const std::string& name);

    // A visible dialog of the viewer with that caption; null after the time-out.
    HWND WaitForDialog(const std::string& caption, std::chrono::milliseconds timeout = kWindowTimeout);

    // Presses Alt and the given keys on the main window's menu bar.
    void UseMenuBar(const std::vector<WORD>& keys);
    // "File" > "Exit" through the menu bar; the viewer ends with exit code 0.
    ::testing::AssertionResult ExitThroughFileMenu();
    // "File" > "Check disc" through the menu bar; the message that ends the
    // check (not yet answered), or nothing after the time-out.
    std::optional<MessageBoxInfo> CheckDiscThroughFileMenu(std::chrono::milliseconds timeout = kWindowTimeout);

private:
    std::vector<DiscFile> files_;  // of the disc built last: their copies go at the end
};

}  // namespace e2e
