#include "mouse.h"

#include <chrono>
#include <thread>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// Time for the target to handle one step before the next one comes.
constexpr auto kSettle = 30ms;

static void Send(std::vector<INPUT> inputs)
{
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    std::this_thread::sleep_for(kSettle);
}

static INPUT MouseButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

static INPUT Key(WORD virtualKey, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    return input;
}

POINT ScreenPoint(HWND window, POINT clientPoint)
{
    ClientToScreen(window, &clientPoint);
    return clientPoint;
}

POINT ScreenCentre(HWND window, const RECT& clientRect)
{
    return ScreenPoint(window, {(clientRect.left + clientRect.right) / 2, (clientRect.top + clientRect.bottom) / 2});
}

void MoveMouseTo(POINT screen)
{
    // Wine turns a cursor move into the WM_MOUSEMOVE the window under it (or
    // the window holding the capture) receives, as a hardware move would.
    SetCursorPos(screen.x, screen.y);
    std::this_thread::sleep_for(kSettle);
}

void ClickAt(POINT screen)
{
    MoveMouseTo(screen);
    Send({MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP)});
}

void ControlClickAt(POINT screen)
{
    MoveMouseTo(screen);
    Send({Key(VK_CONTROL, 0), MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP),
          Key(VK_CONTROL, KEYEVENTF_KEYUP)});
}

void DoubleClickAt(POINT screen)
{
    MoveMouseTo(screen);
    // Both clicks in one batch: well inside the double-click time and at one spot.
    Send({MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP),
          MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP)});
}

void PressLeftAt(POINT screen)
{
    MoveMouseTo(screen);
    Send({MouseButton(MOUSEEVENTF_LEFTDOWN)});
}

void ReleaseLeft()
{
    Send({MouseButton(MOUSEEVENTF_LEFTUP)});
}

void DragMouse(POINT from, POINT to, int steps)
{
    PressLeftAt(from);
    if (steps < 1)
        steps = 1;
    for (int i = 1; i <= steps; ++i) {
        POINT step{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        MoveMouseTo(step);
    }
    ReleaseLeft();
}

}  // namespace e2e
