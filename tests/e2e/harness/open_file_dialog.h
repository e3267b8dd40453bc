// The common "Open" dialog (GetOpenFileNameA) of another process: the path is
// put into its file-name field and OK pressed, as after typing it.
#pragma once
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "ui.h"

namespace e2e {

inline const std::string kOpenDialogCaption = "Open";
inline const std::string kSaveDialogCaption = "Save As";

HWND WaitForOpenFileDialog(DWORD processId, std::chrono::milliseconds timeout = kWindowTimeout);
// The common "Save As" dialog (GetSaveFileName), which has the same field.
HWND WaitForSaveFileDialog(DWORD processId, std::chrono::milliseconds timeout = kWindowTimeout);

// Enters path into the file-name field and presses OK; false when the
// dialog has no such field or does not close.
bool OpenFileInDialog(HWND dialog, const std::filesystem::path& path);
// Presses Cancel; false when the dialog stays.
bool CancelOpenFileDialog(HWND dialog);

}  // namespace e2e
