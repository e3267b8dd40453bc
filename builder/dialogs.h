// The dialog procedures of Arcseal3.exe, one per dialog resource.
#pragma once
#include <windows.h>

#include "build_progress.h"
#include "disc_options.h"

// Messages the dialogs receive besides the platform's.
const UINT WM_BUILD_FINISHED = WM_APP + 1;  // posted by the worker when it ends

INT_PTR CALLBACK MainDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgressDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SummaryDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// How a build ended.
enum BuildOutcome { BUILD_DONE = 1, BUILD_FAILED = 2, BUILD_CANCELLED = 3 };

struct BuildResult {
    BuildOutcome outcome = BUILD_FAILED;
    BuildTotals totals;
    std::string message;  // why it failed
};

// Builds the disc on a worker thread while the progress dialog shows how far
// it has come; returns when the worker has ended.
BuildResult RunBuild(HWND owner, const DiscOptions& options);

// The summary of a built disc, with its "Open disc" button.
void ShowSummary(HWND owner, const BuildTotals& totals, const std::string& outputFolder);
