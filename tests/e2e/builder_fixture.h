// The disc-building window Arcseal3.exe as a test drives it: started as its
// shortcut starts it, its controls filled and read, its messages answered.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

#include "../../builder/resource.h"
#include "context_menu.h"
#include "file_compare.h"
#include "file_ops_fixture.h"
#include "folder_chooser.h"
#include "input.h"
#include "layout_bytes.h"
#include "open_file_dialog.h"
#include "paths.h"
#include "registry.h"

namespace e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

inline const std::string kWindowClass = BUILDER_WINDOW_CLASS;
inline const std::string kCaption = "Arcseal 3";
inline const std::string kProductKey = "Software\\Corvane Software\\Arcseal3";
inline const std::string kLastProject = "LastProject";
inline const std::string kTitle = "Harbour Trust 2004";
inline const std::wstring kPassword = L"Harbour-7";
inline const int kViewerPasswordEdit = IDC_PASSWORD_EDIT;

inline const std::vector<std::string> kFolders = {"Letters", "Letters\\Old", "Empty"};
inline const std::vector<DiscFile> kFiles = {
    {"readme.txt", 120},
    {"empty.txt", 0},
    {"chart.bin", 1048577},
    {"Letters\\dear reader.txt", 3000},
    {"Letters\\Old\\1999.txt", 77},
};

// Every file of the folder with its bytes, and every folder.
inline std::map<std::string, Bytes> Snapshot(const fs::path& folder)
{
    std::map<std::string, Bytes> files;
    for (const std::string& entry : TreeShape(folder))
        files[entry] = entry.back() == '/' ? Bytes() : ReadBytes(folder / FromUtf8(entry));
    return files;
}

// A window of any process with that caption: the viewer "Open disc" starts.
inline HWND FindAnyWindow(const std::string& caption, std::chrono::milliseconds timeout)
{
    HWND found = nullptr;
    WaitUntil(timeout, [&] {
        found = FindWindowA(kMessageBoxClass.c_str(), caption.c_str());
        return found != nullptr && IsWindowVisible(found);
    });
    return found;
}

class BuilderTest : public FileOpsTest {
protected:
    void SetUp() override
    {
        FileOpsTest::SetUp();
        DeleteRegistryValue(HKEY_CURRENT_USER, kProductKey, kLastProject);
    }
    void TearDown() override
    {
        FileOpsTest::TearDown();
        DeleteRegistryValue(HKEY_CURRENT_USER, kProductKey, kLastProject);
    }

    // Starts Arcseal3.exe the way its shortcut does and waits for its window.
    void StartBuilder()
    {
        builder_ = &StartViewer(BuilderExe());
        window_ = WaitForWindow(builder_->Id(), kWindowClass, std::nullopt);
        ASSERT_TRUE(window_) << "Arcseal3.exe opened no window";
    }

    HWND Control(int id) const { return GetDlgItem(window_, id); }
    void Fill(int id, const std::string& text) { ASSERT_TRUE(SetControlText(Control(id), text)) << id; }
    std::string Read(int id) const { return TextOf(Control(id)); }
    bool Ticked(int id) const
    {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(Control(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
        return state == BST_CHECKED;
    }
    // Clicks into a field and types, as a person does.
    void Type(int id, const std::wstring& text)
    {
        ClickCentre(Control(id));
        TypeText(text);
    }

    HWND Focused() const { return FocusIn(window_); }

    // The builder's next message box: its caption and text, OK pressed.
    MessageBoxInfo AnswerBuilder(std::chrono::milliseconds timeout = kWindowTimeout, int button = IDOK)
    {
        auto box = WaitForMessageBox(builder_->Id(), timeout);
        if (!box) {
            ADD_FAILURE() << "Arcseal3.exe showed no message";
            return MessageBoxInfo();
        }
        EXPECT_TRUE(PressButton(box->window, button) && WaitUntilGone(box->window, 5s));
        return *box;
    }

    // "Open disc" in the summary starts the disc's viewer, which asks for the
    // password: it is typed, and the main window's panes are taken.
    void OpenDiscFromSummary(HWND summary, const std::wstring& typed)
    {
        ASSERT_TRUE(PressButton(summary, IDC_OPEN_DISC));
        EXPECT_TRUE(WaitUntilGone(summary, 5s));
        HWND password = FindAnyWindow(kPasswordCaption, kWindowTimeout);
        ASSERT_TRUE(password) << "\"Open disc\" started no viewer";
        DWORD viewerId = 0;
        GetWindowThreadProcessId(password, &viewerId);
        viewer_ = &AdoptProcess(viewerId);
        ClickCentre(GetDlgItem(password, kViewerPasswordEdit));
        TypeText(typed);
        ClickCentre(GetDlgItem(password, IDOK));
        main_ = WaitForMainWindow(*viewer_);
        ASSERT_TRUE(main_) << "the viewer did not take the password";
        tree_ = GetDlgItem(main_, IDC_FOLDER_TREE);
        list_ = GetDlgItem(main_, IDC_FILE_LIST);
        status_ = GetDlgItem(main_, IDC_STATUS_BAR);
    }

    HWND WaitForBuilderDialog(const std::string& caption, std::chrono::milliseconds timeout = kWindowTimeout)
    {
        return WaitForWindow(builder_->Id(), kMessageBoxClass, caption, timeout);
    }

    Process* builder_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace e2e
