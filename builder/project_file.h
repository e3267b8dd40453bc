// The project file: the settings of one disc as INI-style text an author can
// read and edit, UTF-8 with a byte-order mark so Notepad shows it right.
//
//   [Content]
//   SourceFolder=C:\Discs\Harbour
//   ...
//
// Blanks around names and values do not count, as in Windows' own INI files;
// only the splash text, which may have several lines and blanks that
// matter, stands as it is after the '=', with a line break written as \n
// and a backslash as \\.
// No windows.h.
#pragma once
#include <string>

#include "project_fields.h"

std::string ProjectText(const ProjectSettings& settings);

// Reads a project file's text. Settings it does not name keep their
// defaults, and names it does not know are passed over (a newer Arcseal may
// have written them). Returns 1, or 0 with the problem (naming the line) when
// the text is not a project file; settings are then untouched.
int ReadProjectText(const std::string& text, ProjectSettings& settings, std::string& problem);
