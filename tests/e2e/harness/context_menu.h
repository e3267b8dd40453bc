// Context menus (#32768) as a person uses them: opened with a real right
// click, an entry chosen with a real left click inside the menu's window.
// A menu's handle is of no use from another process, so an entry is found by
// its place: the viewer's menus have entries of one height and no separators.
#pragma once
#include <windows.h>

#include <chrono>

namespace e2e {

void RightClickAt(POINT screen);

// The visible context menu of a process; null after the time-out.
HWND WaitForContextMenu(DWORD processId, std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Clicks entry index (0 at the top) of a menu with count entries. A greyed
// entry leaves the menu open.
void ClickMenuEntry(HWND menu, int index, int count);
// Clicks the entry and waits until the menu has gone; false when it stays.
bool ChooseMenuEntry(HWND menu, int index, int count);

}  // namespace e2e
