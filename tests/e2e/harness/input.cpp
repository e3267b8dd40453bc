#include "input.h"

#include <chrono>
#include <thread>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

static void Send(std::vector<INPUT> inputs)
{
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    // Let the target handle the events before the next step looks at it.
    std::this_thread::sleep_for(30ms);
}

static INPUT MouseButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

static INPUT Key(WORD virtualKey, WCHAR unicode, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = unicode;
    input.ki.dwFlags = flags;
    return input;
}

void ClickCentre(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    std::this_thread::sleep_for(30ms);
    Send({MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP)});
}

void TypeText(const std::wstring& text)
{
    for (wchar_t c : text)
        Send({Key(0, c, KEYEVENTF_UNICODE), Key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
}

void PressKey(WORD virtualKey)
{
    Send({Key(virtualKey, 0, 0), Key(virtualKey, 0, KEYEVENTF_KEYUP)});
}

void PressKeyWith(WORD modifier, WORD virtualKey)
{
    Send({Key(modifier, 0, 0), Key(virtualKey, 0, 0), Key(virtualKey, 0, KEYEVENTF_KEYUP),
          Key(modifier, 0, KEYEVENTF_KEYUP)});
}

}  // namespace e2e
