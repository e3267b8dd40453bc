// Small operations the whole installer shares. Separate from the viewer's
// helpers of similar names: the installer's boxes have no icon.
#pragma once

// Formats the text printf-style (1,024 bytes at most) and shows it in a
// system-modal box with an OK button, no icon and no owner window.
void ShowError(const char* caption, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// 1 when the path's attributes can be read: files and directories alike.
int PathExists(const char* path);

// Creates every missing directory along path, below its drive ("c:") or its
// network share ("\\server\share"), and records each in the install log while
// one is kept. Returns 1 when they all exist afterwards; 0 after showing a
// box with the path that could not be made.
int MakeDirectoryPath(const char* path);
