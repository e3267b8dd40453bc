// Texts between the disc and this process's ANSI calls. The viewer's manifest
// sets the process code page to UTF-8 (Windows 10 1903 and later, Wine 8), so
// every name the tree, the list, message boxes and the file calls take can
// be any Unicode name. Where Windows ignores that, design discs read exactly
// as before (their names are code page 1252 bytes, as the process expects).
#pragma once
#include <windows.h>

#include <cstddef>

// 1 when the process code page is UTF-8.
int ProcessUsesUtf8();

// A stored name as this process's ANSI calls take it, into out (size bytes,
// always ended): code page 1252 names (utf8Stored 0) become UTF-8 when the
// process runs in UTF-8; UTF-8 names become the process code page's where it
// is not UTF-8, with "?" for what it cannot hold, which no file name may
// contain: such a file is refused by name, never written under a wrong one.
void StoredNameToProcess(const char* stored, int utf8Stored, char* out, size_t size);

// Code page 1252 text (the licence, the splash) as UTF-16 for the W calls,
// into out (size units, ended); returns the units written.
int Cp1252ToWide(const char* text, int length, wchar_t* out, int size);

// The password typed into edit as the disc takes it, into out (size bytes,
// ended): UTF-8 in NFC for discs of the wide records, code page 1252 for the
// others (the process code page's bytes, as before, where that is not UTF-8).
// Returns 0 when the text cannot be a password of the disc.
int TypedPassword(HWND edit, int wideDisc, char* out, size_t size);
