// The About box (109): picture, product line, build line and the web-page button.
#pragma once
#include <windows.h>

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
