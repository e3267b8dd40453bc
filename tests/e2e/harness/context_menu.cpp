#include "context_menu.h"

#include <thread>

#include "mouse.h"
#include "ui.h"

namespace e2e {

using namespace std::chrono_literals;

static INPUT MouseButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

void RightClickAt(POINT screen)
{
    MoveMouseTo(screen);
    INPUT clicks[] = {MouseButton(MOUSEEVENTF_RIGHTDOWN), MouseButton(MOUSEEVENTF_RIGHTUP)};
    SendInput(2, clicks, sizeof(INPUT));
    std::this_thread::sleep_for(30ms);
}

HWND WaitForContextMenu(DWORD processId, std::chrono::milliseconds timeout)
{
    return WaitForWindow(processId, "#32768", std::nullopt, timeout);
}

void ClickMenuEntry(HWND menu, int index, int count)
{
    RECT client{};
    if (!GetClientRect(menu, &client) || count < 1)
        return;
    // The middle of the index-th of count equal slices; the menu's margins
    // move the true middle by a few pixels at most, well inside one entry.
    const LONG height = client.bottom - client.top;
    POINT entry{(client.left + client.right) / 2, client.top + height * (2 * index + 1) / (2 * count)};
    // A moment on the entry first, as a hand would rest there: the menu
    // highlights it before the click.
    MoveMouseTo(ScreenPoint(menu, entry));
    std::this_thread::sleep_for(50ms);
    ClickAt(ScreenPoint(menu, entry));
}

bool ChooseMenuEntry(HWND menu, int index, int count)
{
    ClickMenuEntry(menu, index, count);
    return WaitUntilGone(menu, 5s);
}

}  // namespace e2e
