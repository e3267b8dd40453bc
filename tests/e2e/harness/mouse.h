// The real mouse at screen points: clicks, double clicks and drags with the
// left button, as a person gives them (SetCursorPos + SendInput). Like all
// real input it goes to whatever window is under the cursor, so tests that
// use it never run at the same time (CTest RESOURCE_LOCK).
#pragma once
#include <windows.h>

namespace e2e {

// A point of a window's client area in screen coordinates.
POINT ScreenPoint(HWND window, POINT clientPoint);
// The middle of a rectangle given in a window's client coordinates, on screen.
POINT ScreenCentre(HWND window, const RECT& clientRect);

void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);
// A click with the Ctrl key held, which adds to a list's selection.
void ControlClickAt(POINT screen);
void DoubleClickAt(POINT screen);

// The parts of a drag, for tests that look at the screen while the button is held.
void PressLeftAt(POINT screen);
void ReleaseLeft();
// Press at from, move to to in steps (the last one exactly at to), release.
void DragMouse(POINT from, POINT to, int steps);

}  // namespace e2e
