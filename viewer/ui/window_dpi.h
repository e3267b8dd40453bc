// The DPI a window is shown at, and what a window does when Windows moves it
// to a monitor of another DPI (WM_DPICHANGED). Shared by all the programs'
// windows and dialogs.
#pragma once
#include <windows.h>

#include "dpi_scale.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The window's DPI: GetDpiForWindow where user32 has it (Windows 10 1607 and
// later; looked up at run time, so the programs still start on older
// Windows), else the screen's LOGPIXELSY. 96 when neither answers.
UINT WindowDpi(HWND window);

// A 96-DPI pixel size at the window's DPI.
int ScaleForWindow(HWND window, int px96);

// A 96-DPI pixel size in a dialog of 8-point MS Sans Serif, in proportion to
// the dialog's font: its 8 vertical dialog units are 13 pixels at 96 DPI.
// That raster face comes in a few sizes only (at 192 DPI the dialog grows by
// half, not twice), so a picture or font of the dialog keeps its place in
// the layout by this measure, not by the DPI.
int ScaleForDialogFont(HWND dialog, int px96);

// WM_DPICHANGED: the window moved and sized to the rectangle Windows
// suggests (lParam); nothing when there is none.
void MoveToSuggestedRect(HWND window, const RECT* suggested);

// A new font like current (the stock GUI font when null), its height
// rescaled from oldDpi to newDpi; null when it cannot be made.
HFONT RescaledFont(HFONT current, UINT oldDpi, UINT newDpi);
