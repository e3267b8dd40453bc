// The shell's "Browse for Folder" dialog, driven from outside: a folder is
// selected the way the dialog selects one by path (BFFM_SETSELECTIONA with
// the path in the dialog's process), then OK is pressed.
#pragma once
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "ui.h"

namespace e2e {

inline const std::string kFolderChooserCaption = "Browse for Folder";

// The process's folder chooser; null after the time-out.
HWND WaitForFolderChooser(DWORD processId, std::chrono::milliseconds timeout = kWindowTimeout);

// The texts of a window's visible child windows, in their order (labels, buttons...).
std::vector<std::string> ChildTexts(HWND window);

// The name of the folder the chooser has selected now.
std::string ChooserSelection(HWND chooser);

// Selects folder in the chooser, as the viewer itself selects its start
// folder; when that does not work, why says what was tried.
bool SelectFolder(HWND chooser, const std::filesystem::path& folder, std::string* why = nullptr);
// Selects folder and presses OK; false when the chooser did not take the
// selection or did not close.
bool ChooseFolder(HWND chooser, const std::filesystem::path& folder, std::string* why = nullptr);
// Presses Cancel; false when the chooser stays.
bool CancelFolderChooser(HWND chooser);

}  // namespace e2e
