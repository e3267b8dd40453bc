// Feeds arbitrary bytes to the installer's package check as if they were
// setup.exe: the trailer, the chain of entries, every destination.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "package_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file)
        return 0;
    PackageTrailer trailer;
    PackageSummary summary;
    if (CheckPackage(file, "C:\\windows\\system32", "C:\\windows", &trailer, &summary)) {
        // A sound package's entries lie inside the file, before the trailer.
        if (summary.firstEntryOffset >= size ||
            (summary.entryCount == 0 && summary.firstEntryOffset + PACKAGE_TRAILER_SIZE != size))
            __builtin_trap();
    }
    fclose(file);
    return 0;
}
