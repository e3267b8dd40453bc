// The finished disc as an ISO 9660 image with Joliet names, ready to burn or
// mount. Only the host build has an image writer (libisofs).
#pragma once
#include <string>
#include <vector>

#include "file_io.h"

bool IsoImagesSupported();

// Writes the named files of discFolder into the root of image; label (UTF-8)
// becomes the volume label. The image appears under its name only when it is
// whole; on failure (BuildError) an earlier file of that name is untouched.
void WriteIsoImage(const fs::path& image, const fs::path& discFolder,
                   const std::vector<std::string>& names, const std::string& label);
