// Small path-text helpers. No windows.h.
#pragma once

// Pointer just behind the last backslash of path, or null when path is null or
// holds no backslash.
char* FileNamePart(char* path);
const char* FileNamePart(const char* path);

// Cuts path at its last backslash, leaving the folder part; no backslash, no change.
void StripFileName(char* path);

// 1 when name can be joined to a folder as one file name: not empty, not "." or
// "..", free of control characters and of \ / : * ? " < > |, not a device
// name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension),
// and not ending in a dot or blank (Windows would drop them and write a
// file of another name).
int IsPlainFileName(const char* name);
