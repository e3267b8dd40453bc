// File > New, Open, Save and Save As, the question about unsaved changes,
// and the last project, which the window opens again when it starts.
#pragma once
#include <windows.h>

#include <string>

// The registry key and value that remember the last project (per user).
extern const wchar_t PRODUCT_KEY[];
extern const wchar_t LAST_PROJECT_VALUE[];

void NewProject(HWND window);
void OpenProject(HWND window);
// 1 when the settings are saved, 0 when not (cancelled or failed, reported).
int SaveProject(HWND window);
int SaveProjectAs(HWND window);

// Asks whether to save changes that are not in the project file yet;
// 1 to go on (saved, or not wanted), 0 when the author cancelled.
int KeepChangesBeforeLeaving(HWND window);

// Reads a project file into the window; 1, or 0 after a message.
int LoadProjectFile(HWND window, const std::wstring& path);
// Opens the project of last time, when there is one; quiet when it is gone.
void OpenLastProject(HWND window);

// "Arcseal 3" with the project's name after it.
void ShowProjectCaption(HWND window);
