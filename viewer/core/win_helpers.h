// The helpers every part of discview uses: message boxes and an existence test.
// ShowError and AskYesNo are declared in report.h.
#pragma once
#include <windows.h>

#include "report.h"

// True when the path names an existing file or folder.
int PathExists(const char* path);

// The owner of every message box: the main window once it exists (so the box
// blocks it while it is up), else none.
HWND MessageOwner();
void SetMessageOwner(HWND window);
