// The Windows builds carry no image writer: discs for Windows authors are
// written from their folder by the CD-writing program.
#include "iso_image.h"

#include "build_error.h"

bool IsoImagesSupported()
{
    return false;
}

void WriteIsoImage(const fs::path&, const fs::path&, const std::vector<std::string>&, const std::string&)
{
    throw BuildError("this build of mkdisc cannot write ISO images");
}
