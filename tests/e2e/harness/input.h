// Real mouse and keyboard input (SetCursorPos + SendInput), as a person gives
// it: it goes to whatever window has the focus, so tests that use it must not
// run at the same time as each other (CTest RESOURCE_LOCK).
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// Moves the mouse to the middle of a window or control and clicks it.
void ClickCentre(HWND window);
// Types text character by character (KEYEVENTF_UNICODE: no keyboard layout involved).
void TypeText(const std::wstring& text);
// Presses and releases one virtual key.
void PressKey(WORD virtualKey);
// Presses a key while holding a modifier down (VK_CONTROL, VK_SHIFT, VK_MENU).
void PressKeyWith(WORD modifier, WORD virtualKey);

}  // namespace e2e
