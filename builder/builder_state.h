// Process-wide state of Arcseal3.exe, the disc-building window.
#pragma once
#include <windows.h>

#include <string>

#include "build_progress.h"
#include "project_fields.h"

extern HINSTANCE builderInstance;
extern HWND mainWindow;               // the main dialog; null before it opens
extern std::wstring projectPath;      // the open project file; empty before the first save
extern ProjectSettings savedSettings; // as last opened or saved, to notice changes
extern std::string autoTitle;         // the disc title last filled in from the source folder

// The caption of the window and of its messages.
extern const wchar_t PROGRAM_CAPTION[];

// UTF-8 <-> UTF-16 for the W functions.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// A message box owned by the main window (or by none before it opens).
int ShowMessage(const std::string& text, UINT style);

// The folder this program was started from (the installation directory).
std::wstring ProgramFolder();
