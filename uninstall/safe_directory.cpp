#include "safe_directory.h"

#include <cstring>

static char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

// Length of path without its trailing backslashes.
static size_t TrimmedLength(const char* path)
{
    size_t length = strlen(path);
    while (length > 0 && path[length - 1] == '\\')
        --length;
    return length;
}

// 1 when inner is outer or lies somewhere below it.
static int IsSameOrInside(const char* inner, const char* outer, size_t outerLength)
{
    size_t innerLength = TrimmedLength(inner);
    if (innerLength < outerLength)
        return 0;
    for (size_t i = 0; i < outerLength; ++i) {
        if (UpperAscii(inner[i]) != UpperAscii(outer[i]))
            return 0;
    }
    return innerLength == outerLength || inner[outerLength] == '\\';
}

int IsProtectedDirectory(const char* fullPath, const char* windowsDir, const char* systemDir)
{
    if (!fullPath || !windowsDir || !systemDir || !windowsDir[0] || !systemDir[0])
        return 1;
    char drive = UpperAscii(fullPath[0]);
    if (drive < 'A' || drive > 'Z' || fullPath[1] != ':' || fullPath[2] != '\\')
        return 1;
    size_t length = TrimmedLength(fullPath);
    if (length <= 3)
        return 1;  // the drive root
    return IsSameOrInside(windowsDir, fullPath, length) || IsSameOrInside(systemDir, fullPath, length);
}
