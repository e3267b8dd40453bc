#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "install_log.h"
#include "install_record.h"
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
    // The root is taken as it stands: the drive ("c:"), or for a network
    // path "\\server\share".
    bool network = length > 2 && path[0] == '\\' && path[1] == '\\';
    int rootNames = network ? 2 : 1;
    size_t builtLength = 0;
    if (network) {
        built[builtLength++] = '\\';
        built[builtLength++] = '\\';
    }
    // Names one by one; empty ones (doubled or trailing backslashes) are skipped.
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
            if (names >= rootNames && !PathExists(built)) {
                if (!CreateDirectoryA(built, nullptr))
                    return DirectoryFailed(built);
                RecordCreated(INSTALL_LOG_FOLDER, built);
            }
            ++names;
        }
        at = end + 1;
    }
    // No name at all (empty, or backslashes only), or a server without its
    // share, names no directory to make.
    if (names < rootNames)
        return DirectoryFailed(path);
    return 1;
}
