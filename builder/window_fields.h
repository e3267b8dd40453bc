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

// Enables the protection list when the disc is to have a password, and
// shows "Type it again." while its password is still to be typed.
void ShowPasswordState(HWND window);

// Gives the field the keyboard focus and selects its text.
void FocusField(HWND window, Field field);
