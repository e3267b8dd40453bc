#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "setup_helpers.h"

void ShowError(const char* caption, const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    MessageBoxA(nullptr, text, caption, MB_OK | MB_SYSTEMMODAL);
}

int PathExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static int DirectoryFailed(const char* path)
{
    MessageBoxA(nullptr, path, "Error Making Dir...(9834311)", MB_OK);
    return 0;
}

int MakeDirectoryPath(const char* path)
{
    char built[1024];
    size_t length = strlen(path);
    if (length >= sizeof built)
        return DirectoryFailed(path);
    // Names one by one; empty ones (doubled or trailing backslashes) are skipped.
    size_t builtLength = 0;
    int names = 0;
    for (size_t at = 0; at < length;) {
        size_t end = at;
        while (end < length && path[end] != '\\')
            ++end;
        if (end > at) {
            if (names > 0)
                built[builtLength++] = '\\';
            memcpy(built + builtLength, path + at, end - at);
            builtLength += end - at;
            built[builtLength] = 0;
            // The first name is the drive ("c:"): taken as it stands.
            if (names > 0 && !PathExists(built) && !CreateDirectoryA(built, nullptr))
                return DirectoryFailed(built);
            ++names;
        }
        at = end + 1;
    }
    // No name at all (empty, or backslashes only) names no directory to make.
    if (names == 0)
        return DirectoryFailed(path);
    return 1;
}
