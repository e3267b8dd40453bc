// The main window's controls as the settings of a disc: which control shows
// which field, reading and filling them, and pointing the author at one.
#pragma once
#include <windows.h>

#include "project_fields.h"

// The control of a field; 0 for FIELD_NONE.
int FieldControl(Field field);

// Fills the placement lists (once, when the window opens).
void FillPlacementLists(HWND window);

ProjectSettings SettingsFromWindow(HWND window);
void ShowSettingsInWindow(HWND window, const ProjectSettings& settings);

// Gives the field the keyboard focus and selects its text.
void FocusField(HWND window, Field field);
