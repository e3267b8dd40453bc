// The steps of the installation between the dialogs: the user's shell
// folders, the registry entries and the shortcuts.
#pragma once
#include <windows.h>

// Reads "Programs", "Desktop" and "Start Menu" of the user's shell folders.
// Returns 1, or 0 when one of them cannot be read (nothing is reported here).
int ReadSystemFolders();

// Records the installation directory under the product key and the uninstall
// key of HKEY_LOCAL_MACHINE. A product key that cannot be opened is reported
// and the uninstall key left alone; an uninstall key that cannot be opened is not.
void WriteRegistryEntries();

// Makes a shell link at linkPath to target with a description; the link's
// icon is the target's first. Returns the result of the last shell call.
HRESULT CreateShortcut(const char* target, const char* linkPath, const char* description);

// The desktop link and, in the Start menu's folder "Corvane Software" (under
// Programs), the program, uninstall and help links.
void MakeShortcuts();

// Says that the installation is complete, where it went and how to start it.
void ShowFinishedMessage();
