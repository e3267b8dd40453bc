// Installing the disc's custom font for the splash text.
#pragma once

// The user's Fonts folder from the shell folders, or null when it cannot be read
// (an empty value counts as none). The buffer lives for the whole run.
const char* FontsFolder();

// Registers a font file just written into the Fonts folder: the registry value
// named by the header's fontFaceName (made only when the path's file name is
// the header's fontFileName, and never over a value that names another file),
// the system font table, and a font-change broadcast. Failures are shown with
// ShowError.
void RegisterFont(const char* path);
