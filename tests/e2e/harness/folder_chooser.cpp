#include "folder_chooser.h"

#include <shlobj.h>

#include <thread>

#include "mouse.h"
#include "remote_buffer.h"
#include "remote_controls.h"

namespace e2e {

using namespace std::chrono_literals;

HWND WaitForFolderChooser(DWORD processId, std::chrono::milliseconds timeout)
{
    return WaitForWindow(processId, "#32770", kFolderChooserCaption, timeout);
}

std::vector<std::string> ChildTexts(HWND window)
{
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            if (IsWindowVisible(child))
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            return TRUE;
        },
        (LPARAM)&children);
    std::vector<std::string> texts;
    for (HWND child : children)
        texts.push_back(TextOf(child));
    return texts;
}

static HWND ChooserTree(HWND chooser)
{
    return FindWindowExA(chooser, nullptr, WC_TREEVIEWA, nullptr);
}

std::string ChooserSelection(HWND chooser)
{
    HWND tree = ChooserTree(chooser);
    if (!tree)
        return {};
    for (const TreeEntry& entry : ReadTree(tree)) {
        if (entry.selected)
            return entry.text;
    }
    return {};
}

// A real click on the chooser's entry of that name, when one is in view.
static void ClickChooserEntry(HWND chooser, const std::string& name)
{
    HWND tree = ChooserTree(chooser);
    RECT client{};
    if (!tree || !GetClientRect(tree, &client))
        return;
    for (const TreeEntry& entry : ShownTreeEntries(tree)) {
        POINT centre{(entry.label.left + entry.label.right) / 2, (entry.label.top + entry.label.bottom) / 2};
        if (entry.text == name && PtInRect(&client, centre)) {
            ClickAt(ScreenPoint(tree, centre));
            return;
        }
    }
}

// A path as the program's ANSI text.
static std::string AnsiText(const std::wstring& text)
{
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string ansi(length > 0 ? length : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), (int)text.size(), ansi.data(), length, nullptr, nullptr);
    return ansi;
}

bool SelectFolder(HWND chooser, const std::filesystem::path& folder, std::string* why)
{
    const std::string path = AnsiText(folder.wstring());
    const std::string name = AnsiText(folder.filename().wstring());
    RemoteBuffer buffer(chooser, path.size() + 1);
    if (!buffer.Write(0, path.c_str(), path.size() + 1))
        return false;
    // The chooser selects its start folder as it opens, and may do so after
    // it shows; filling its tree from a large drive keeps it busy for
    // seconds. The selection is asked for again until it holds; when the
    // chooser keeps ignoring the request, the folder is clicked in its tree.
    int answered = 0, unanswered = 0, clicks = 0;
    auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() < start + 20s) {
        if (std::chrono::steady_clock::now() > start + 3s) {
            ClickChooserEntry(chooser, name);
            ++clicks;
        } else if (SendWithTimeout(chooser, BFFM_SETSELECTIONA, TRUE, (LPARAM)buffer.At())) {
            // Sent, not posted: the buffer must outlive the dialog's handling
            // of it, and selecting opens no modal window.
            ++answered;
        } else {
            ++unanswered;
            continue;
        }
        std::this_thread::sleep_for(100ms);
        if (ChooserSelection(chooser) != name)
            continue;
        std::this_thread::sleep_for(200ms);
        if (ChooserSelection(chooser) == name)
            return true;
    }
    if (why)
        *why = std::to_string(answered) + " selection requests answered, " + std::to_string(unanswered) +
               " not answered, " + std::to_string(clicks) + " clicks; \"" + ChooserSelection(chooser) +
               "\" stays selected";
    return false;
}

bool ChooseFolder(HWND chooser, const std::filesystem::path& folder, std::string* why)
{
    return SelectFolder(chooser, folder, why) && PressButton(chooser, IDOK) && WaitUntilGone(chooser, 5s);
}

bool CancelFolderChooser(HWND chooser)
{
    return PressButton(chooser, IDCANCEL) && WaitUntilGone(chooser, 5s);
}

}  // namespace e2e
