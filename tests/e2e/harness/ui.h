// Finding and driving another process's windows from outside: top-level
// windows by process, class and caption; control texts; buttons; message boxes.
// Reads use SendMessageTimeout and anything that may open modal UI is posted,
// so a hung or busy program can never block the test.
#pragma once
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Generous for the first window in a fresh prefix; a normal wait is far shorter.
constexpr std::chrono::milliseconds kWindowTimeout = 15s;

std::string ClassNameOf(HWND window);
// The text of a window or control (WM_GETTEXT with a time-out), in code page 1252.
std::string TextOf(HWND window);
// The same as the window holds it.
std::wstring WideTextOf(HWND window);
// A text in code page 1252, as the tests write the names they expect (what
// it cannot hold as Windows' nearest letter or "?").
std::string ToCp1252(const std::wstring& text);

// Visible top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD processId);

// Polls (every 20 ms) for a visible top-level window of the process with that
// class and, when given, that caption; null after the time-out.
HWND WaitForWindow(DWORD processId, const std::string& className,
                   const std::optional<std::string>& caption,
                   std::chrono::milliseconds timeout = kWindowTimeout);
bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout = kWindowTimeout);

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};

// A message box: a dialog (#32770) whose text is the static control 0xFFFF.
std::optional<MessageBoxInfo> ReadMessageBox(HWND window);
// The first message box of the process, waiting up to the time-out.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId,
                                                std::chrono::milliseconds timeout = kWindowTimeout);
// Message boxes the process shows right now.
std::vector<MessageBoxInfo> MessageBoxesOf(DWORD processId);

// Presses a dialog's button the way a click does (posted BM_CLICK).
bool PressButton(HWND dialog, int buttonId);
// The control that has the keyboard focus in the thread of window.
HWND FocusIn(HWND window);
// Sends a command (menu item or control id) to a window, posted: it may open modal UI.
bool PostCommand(HWND window, int commandId);
// Sets an edit control's text directly (no keystrokes).
bool SetControlText(HWND control, const std::string& text);  // code page 1252
bool SetControlText(HWND control, const std::wstring& text);

}  // namespace e2e
