// The three dialog procedures of setup, one per dialog resource.
#pragma once
#include <windows.h>

// Messages the dialogs receive besides the platform's.
const UINT WM_UNPACK_FINISHED = WM_APP + 1;   // posted by the worker when it ends

INT_PTR CALLBACK AgreementDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DestinationDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgressDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the progress dialog, which unpacks the package on a worker thread
// while it is open; returns when the dialog has closed and the worker ended.
void RunProgressDialog();
