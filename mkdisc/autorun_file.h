// autorun.inf beside the viewer: Windows starts the viewer when the disc is
// inserted and shows the viewer's icon and the disc title for the drive.
#pragma once
#include <string>

#include "file_io.h"

const char AUTORUN_NAME[] = "autorun.inf";

// The file's text for a viewer named viewerName; label is the CP1252 disc title.
std::string AutorunText(const std::string& viewerName, const std::string& label);

// utf8Label: the label is UTF-8 (a strong disc's title); the file is then
// written in UTF-16.
void WriteAutorunFile(const fs::path& path, const std::string& viewerName, const std::string& label,
                      bool utf8Label = false);
