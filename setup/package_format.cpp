#include "package_format.h"

#include <cstring>

const PackagePrefix packagePrefixes[PACKAGE_PREFIX_COUNT] = {
    {"ROOT", 4, BASE_INSTALL_DIR, "%s%s"},
    {"HELP", 4, BASE_INSTALL_DIR, "%s\\Help\\%s"},
    {"IMAGES", 6, BASE_INSTALL_DIR, "%s\\Help\\images\\%s"},
    {"WINSYS", 6, BASE_SYSTEM_DIR, "%s%s"},
    {"WINDIR", 6, BASE_WINDOWS_DIR, "%s%s"},
};

const PackagePrefix* FindDestinationPrefix(const char* destination, const char** remainder)
{
    if (!destination)
        return nullptr;
    for (const PackagePrefix& prefix : packagePrefixes) {
        if (strncmp(destination, prefix.text, prefix.length) == 0) {
            if (remainder)
                *remainder = destination + prefix.length;
            return &prefix;
        }
    }
    return nullptr;
}

// Case-insensitive ASCII comparison of the first count characters.
static int SameLetters(const char* name, const char* upper, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
        if (c != upper[i])
            return 0;
    }
    return 1;
}

static int IsDeviceName(const char* name, size_t length)
{
    // Windows opens these devices whatever the extension: "NUL.txt" is NUL.
    size_t stem = 0;
    while (stem < length && name[stem] != '.')
        ++stem;
    if (stem == 3)
        return SameLetters(name, "CON", 3) || SameLetters(name, "PRN", 3) ||
               SameLetters(name, "AUX", 3) || SameLetters(name, "NUL", 3);
    if (stem == 4 && name[3] >= '1' && name[3] <= '9')
        return SameLetters(name, "COM", 3) || SameLetters(name, "LPT", 3);
    return 0;
}

int IsPlainPathName(const char* name, size_t length)
{
    if (length == 0)
        return 0;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = (unsigned char)name[i];
        if (c < 32 || strchr("\\/:*?\"<>|", c))
            return 0;
    }
    // Covers "." and "..", and names Windows would silently shorten.
    if (name[length - 1] == '.' || name[length - 1] == ' ')
        return 0;
    return !IsDeviceName(name, length);
}

int IsSafeRemainder(const char* remainder)
{
    if (!remainder || remainder[0] != '\\')
        return 0;
    const char* name = remainder + 1;
    for (;;) {
        const char* end = strchr(name, '\\');
        size_t length = end ? (size_t)(end - name) : strlen(name);
        if (!IsPlainPathName(name, length))
            return 0;
        if (!end)
            return 1;
        name = end + 1;
    }
}

int IsValidDestination(const char destination[PACKAGE_TEXT_SIZE])
{
    if (!memchr(destination, 0, PACKAGE_TEXT_SIZE))
        return 0;
    const char* remainder = nullptr;
    return FindDestinationPrefix(destination, &remainder) && IsSafeRemainder(remainder);
}

int BuildTargetPath(char* target, size_t targetSize, const char* destination,
                    const char* installDir, const char* systemDir, const char* windowsDir)
{
    if (targetSize == 0)
        return 0;
    target[0] = 0;
    const char* remainder = nullptr;
    const PackagePrefix* prefix = FindDestinationPrefix(destination, &remainder);
    if (!prefix || !IsSafeRemainder(remainder))
        return 0;
    const char* base = prefix->base == BASE_INSTALL_DIR  ? installDir
                       : prefix->base == BASE_SYSTEM_DIR ? systemDir
                                                         : windowsDir;
    if (!base)
        return 0;
    int written = snprintf(target, targetSize, prefix->format, base, remainder);
    if (written < 0 || (size_t)written >= targetSize) {
        target[0] = 0;
        return 0;
    }
    return 1;
}

int SeekTo(FILE* file, uint64_t offset)
{
#ifdef _WIN32
    return _fseeki64(file, (long long)offset, SEEK_SET) == 0;
#else
    return fseeko(file, (off_t)offset, SEEK_SET) == 0;
#endif
}

int FileLength(FILE* file, uint64_t* length)
{
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return 0;
    long long end = _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0)
        return 0;
    long long end = (long long)ftello(file);
#endif
    if (end < 0)
        return 0;
    *length = (uint64_t)end;
    return 1;
}

// Checks one entry's header and accounts for its target path.
static int CheckEntryHeader(const PackageEntryHeader& header, const char* systemDir,
                            const char* windowsDir, uint32_t* longestInstallTail)
{
    if (!IsValidDestination(header.destination))
        return 0;
    const char* remainder = nullptr;
    const PackagePrefix* prefix = FindDestinationPrefix(header.destination, &remainder);
    if (prefix->base == BASE_INSTALL_DIR) {
        int tail = snprintf(nullptr, 0, prefix->format, "", remainder);
        if (tail < 0)
            return 0;
        if ((uint32_t)tail > *longestInstallTail)
            *longestInstallTail = (uint32_t)tail;
        return 1;
    }
    char target[PACKAGE_PATH_BUFFER];
    return BuildTargetPath(target, sizeof target, header.destination, "", systemDir, windowsDir);
}

int CheckPackage(FILE* package, const char* systemDir, const char* windowsDir,
                 PackageTrailer* trailer, PackageSummary* summary)
{
    uint64_t length = 0;
    if (!FileLength(package, &length) || length < PACKAGE_TRAILER_SIZE)
        return 0;
    const uint64_t trailerStart = length - PACKAGE_TRAILER_SIZE;
    if (!SeekTo(package, trailerStart) || fread(trailer, sizeof *trailer, 1, package) != 1)
        return 0;
    if (trailer->magic != PACKAGE_MAGIC || !memchr(trailer->defaultDirectory, 0, sizeof trailer->defaultDirectory))
        return 0;
    if (trailer->firstEntryOffset > trailerStart)
        return 0;

    uint64_t at = trailer->firstEntryOffset;
    uint32_t longestInstallTail = 0;
    for (uint32_t index = 0; index < trailer->entryCount; ++index) {
        PackageEntryHeader header;
        if (trailerStart - at < PACKAGE_ENTRY_HEADER_SIZE || !SeekTo(package, at) ||
            fread(&header, sizeof header, 1, package) != 1)
            return 0;
        at += PACKAGE_ENTRY_HEADER_SIZE;
        if (header.dataSize > trailerStart - at)
            return 0;
        at += header.dataSize;
        if (!CheckEntryHeader(header, systemDir, windowsDir, &longestInstallTail))
            return 0;
    }
    if (at != trailerStart)
        return 0;

    summary->entryCount = trailer->entryCount;
    summary->firstEntryOffset = trailer->firstEntryOffset;
    summary->longestInstallTail = longestInstallTail;
    return 1;
}

int InstallDirFits(size_t installDirLength, const PackageSummary* summary)
{
    return installDirLength + summary->longestInstallTail < PACKAGE_PATH_BUFFER;
}
