// The Find window, dialog 130: files and folders found by part of their name
// across the whole disc, each with its folder. Enter or a double click opens
// a file (a folder shows its files), its menu opens it, opens it with a chosen
// program or shows it in its folder.
#pragma once
#include <windows.h>

INT_PTR CALLBACK FindDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
