// The password gate: dialog 103.
#pragma once
#include <windows.h>

// Dialog procedure of dialog 103. On a right password the header's contentKey
// becomes the password plus salt; giving up sets startCancelled.
INT_PTR CALLBACK PasswordDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
