// Small path-text helpers. No windows.h.
#pragma once
#include <cstddef>

// Pointer just behind the last backslash of path, or null when path is null or
// holds no backslash.
char* FileNamePart(char* path);
const char* FileNamePart(const char* path);

// Cuts path at its last backslash, leaving the folder part; no backslash, no change.
void StripFileName(char* path);

// The same, except that a folder which is a root keeps its backslash
// ("F:\discview.exe" gives "F:\", "\\server\share\discview.exe" gives
// "\\server\share\", "\discview.exe" gives "\"): the result can be made the
// current directory.
void StripFileNameKeepRoot(char* path);

// Length of the part of a path that names no folder to create: the drive
// ("C:"), the share of a network path ("\\server\share"), nothing for a
// path that starts with one backslash, and else the first name.
size_t PathRootLength(const char* path);

// Why a name cannot be joined to a folder as one file name Windows creates as
// given, or null when it can: it is empty, "." or "..", holds a control
// character or one of \ / : * ? " < > |, ends in a dot or blank (Windows
// would drop them and write a file of another name), or is a device name
// (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$, with or without an
// extension), which opens the device instead of a file.
const char* FileNameProblem(const char* name);

// 1 when FileNameProblem finds nothing.
int IsPlainFileName(const char* name);
