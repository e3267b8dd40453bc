// The splash screen: covers the screen while the start-up dialogs run.
#pragma once
#include <windows.h>

// Shows the splash window, runs the password gate and the licence agreement
// from its one-shot timer, and frees the splash bitmaps and the licence text
// when it ends. 1 when the start was not cancelled, 0 when it was.
// A close request to the splash is ignored; a splash destroyed, or a message
// loop ended, before the start dialogs were through counts as cancelled, and
// so does a start dialog that ends other than through its own buttons.
int RunSplash();

// The DPI the splash paints at (96 until the splash window is made): the
// pictures, the logo's and the text's offsets and the font are the layout's
// 96-DPI sizes scaled to it.
extern UINT splashDpi;

// Paints the splash (background image, logo, text block) into any device
// context of the screen's size at splashDpi; the background colour is
// already there.
void PaintSplash(HDC dc, int screenWidth, int screenHeight);

// Dialog procedure of the licence agreement, dialog 101. Accepting ends it
// with IDOK; declining (also Escape and the close box) sets startCancelled
// and ends it with IDCANCEL.
INT_PTR CALLBACK LicenceDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
