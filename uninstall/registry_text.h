// Reading a text value of the registry; setup and the uninstaller both use it.
#pragma once
#include <windows.h>

#include <cstddef>

// Reads a string value of a key opened with KEY_READ for this one read, into
// text (size bytes). A REG_EXPAND_SZ value (a shell folder such as
// "%USERPROFILE%\Desktop") comes back expanded. Returns 1 when the value was
// read, is not empty and fits; 0, with text emptied, otherwise.
int ReadRegistryText(HKEY root, const char* keyName, const char* valueName, char* text, size_t size);
