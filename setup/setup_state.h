// Installer-wide state, one instance per run. The user-interface thread
// writes everything before the worker starts, except what the worker reports:
// the entry count and the completion flag.
#pragma once
#include <windows.h>

#include "package_format.h"

const size_t SETUP_PATH_SIZE = 256;   // path buffers: 255 characters and the NUL

extern HINSTANCE setupInstance;

// From the user's shell folders.
extern char programsFolder[SETUP_PATH_SIZE];
extern char desktopFolder[SETUP_PATH_SIZE];
extern char startMenuFolder[SETUP_PATH_SIZE];

// The installation directory, as typed in the destination dialog.
extern char installDir[SETUP_PATH_SIZE];

// What the package check at start found; sizes the destination check.
extern PackageSummary packageSummary;

extern HWND progressDialog;
extern HWND progressBar;

// Written by the worker thread.
extern volatile LONG entryCount;
extern volatile LONG completionFlag;   // 0 at start, 1 once every entry is written

// Set when the user closes the progress dialog while the worker unpacks: the
// worker stops at its next piece and removes the file it was writing.
extern volatile LONG unpackCancelled;

// Set by "Cancel Install" (Esc, close box) in the agreement or destination dialog.
extern int installCancelled;
