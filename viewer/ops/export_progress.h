// The "Exporting..." window of a folder export: a modal dialog with a
// seven-frame animation on a thread of its own, while the export copies.
#pragma once
#include <windows.h>

const UINT WM_EXPORT_FINISHED = WM_USER + 100;

// Set to 1 whenever the progress window closes, by "Abort" as well as at the
// end; cleared by the export command. The export stops between files when
// the reader aborts.
extern volatile LONG exportAborted;

// Starts the progress window's thread; does not wait for the window. A
// caption other than null replaces "Exporting..." (Check disc uses it).
void StartExportProgress(const char* caption = nullptr);

// Closes the progress window, also when it has not appeared yet, and waits
// for its thread to end.
void FinishExportProgress();

INT_PTR CALLBACK ExportProgress(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
