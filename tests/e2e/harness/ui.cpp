#include "ui.h"

#include <thread>

namespace e2e {

constexpr UINT kSendTimeoutMs = 2000;
constexpr int kMessageBoxTextId = 0xFFFF;

std::string ClassNameOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::wstring WideTextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), (LPARAM)text.data(), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied))
        return {};
    text.resize(copied);
    return text;
}

std::string ToCp1252(const std::wstring& text)
{
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(1252, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string narrow((size_t)size, '\0');
    WideCharToMultiByte(1252, 0, text.c_str(), (int)text.size(), &narrow[0], size, nullptr, nullptr);
    return narrow;
}

// Read as UTF-16: a window of a UTF-8 process answers an A message in UTF-8.
std::string TextOf(HWND window)
{
    return ToCp1252(WideTextOf(window));
}

std::vector<HWND> TopLevelWindows(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window))
                s->found.push_back(window);
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

// Polls every 20 ms until probe returns a value or the time-out passes.
template <typename Probe>
static auto PollFor(std::chrono::milliseconds timeout, Probe probe) -> decltype(probe())
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (auto result = probe())
            return result;
        if (std::chrono::steady_clock::now() >= deadline)
            return {};
        std::this_thread::sleep_for(20ms);
    }
}

HWND WaitForWindow(DWORD processId, const std::string& className,
                   const std::optional<std::string>& caption, std::chrono::milliseconds timeout)
{
    return PollFor(timeout, [&]() -> HWND {
        for (HWND window : TopLevelWindows(processId)) {
            if (ClassNameOf(window) == className && (!caption || TextOf(window) == *caption))
                return window;
        }
        return nullptr;
    });
}

bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout)
{
    return PollFor(timeout, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::optional<MessageBoxInfo> ReadMessageBox(HWND window)
{
    if (ClassNameOf(window) != "#32770")
        return std::nullopt;
    HWND text = GetDlgItem(window, kMessageBoxTextId);
    if (!text)
        return std::nullopt;
    return MessageBoxInfo{window, TextOf(window), TextOf(text)};
}

std::vector<MessageBoxInfo> MessageBoxesOf(DWORD processId)
{
    std::vector<MessageBoxInfo> boxes;
    for (HWND window : TopLevelWindows(processId)) {
        if (auto box = ReadMessageBox(window))
            boxes.push_back(*box);
    }
    return boxes;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout)
{
    return PollFor(timeout, [&]() -> std::optional<MessageBoxInfo> {
        auto boxes = MessageBoxesOf(processId);
        if (boxes.empty())
            return std::nullopt;
        return boxes.front();
    });
}

bool PressButton(HWND dialog, int buttonId)
{
    HWND button = GetDlgItem(dialog, buttonId);
    return button && PostMessageA(button, BM_CLICK, 0, 0);
}

HWND FocusIn(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool PostCommand(HWND window, int commandId)
{
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != 0;
}

bool SetControlText(HWND control, const std::wstring& text)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, (LPARAM)text.c_str(), SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &result) != 0;
}

// The tests' texts are code page 1252; sent as UTF-16, since a window of a
// UTF-8 process would read an A message's bytes as UTF-8.
bool SetControlText(HWND control, const std::string& text)
{
    int size = MultiByteToWideChar(1252, 0, text.c_str(), (int)text.size(), nullptr, 0);
    std::wstring wide((size_t)size, L'\0');
    if (size)
        MultiByteToWideChar(1252, 0, text.c_str(), (int)text.size(), &wide[0], size);
    return SetControlText(control, wide);
}

}  // namespace e2e
