// Which pictures the viewer can show on its splash screen: it loads a file
// whose name ends in "p" (as .bmp does) as a Windows bitmap, and any other
// through the system's picture loader, which reads BMP, JPEG and GIF.
#pragma once
#include <string>

#include "file_io.h"

// The reason the viewer could not show the picture in the file, or an empty
// text. Looks at the first bytes and the name, not at the whole picture.
std::string ImageProblem(const fs::path& path);
