// Which installation directories the uninstaller may empty. No windows.h.
#pragma once

// 1 when emptying the directory could destroy more than an installation:
// anything but a plain "X:\name..." path (a drive root, a network or device
// path, a relative one), and the Windows or system directory or a directory
// that holds either of them. All three paths are full paths; the comparison
// ignores case and trailing backslashes.
int IsProtectedDirectory(const char* fullPath, const char* windowsDir, const char* systemDir);
