// The helpers every part of discview uses: message boxes and an existence test.
// ShowError and AskYesNo are declared in report.h.
#pragma once
#include "report.h"

// True when the path names an existing file or folder.
int PathExists(const char* path);
