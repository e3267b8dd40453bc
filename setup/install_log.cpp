#include "install_log.h"

#include <cstdlib>
#include <cstring>

#include "package_format.h"

static char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

static int IsDriveLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int NormaliseLogPath(const char* path, char* normalised, size_t size)
{
    if (size == 0)
        return 0;
    normalised[0] = 0;
    if (!path)
        return 0;
    size_t out = 0;
    const char* rest;
    int rootNames;   // names that make the root and may not be created: the server and its share
    if (path[0] == '\\' && path[1] == '\\') {
        rest = path + 2;
        rootNames = 2;
        if (size < 3)
            return 0;
        normalised[out++] = '\\';
        normalised[out++] = '\\';
    } else if (IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
        rest = path + 3;
        rootNames = 0;
        if (size < 3)
            return 0;
        normalised[out++] = path[0];
        normalised[out++] = ':';
    } else {
        return 0;
    }
    int names = 0;
    while (*rest) {
        const char* end = strchr(rest, '\\');
        size_t length = end ? (size_t)(end - rest) : strlen(rest);
        if (length > 0) {
            if (!IsPlainPathName(rest, length)) {
                normalised[0] = 0;
                return 0;
            }
            int separator = names > 0 || rootNames == 0;
            if (out + separator + length + 1 > size) {
                normalised[0] = 0;
                return 0;
            }
            if (separator)
                normalised[out++] = '\\';
            memcpy(normalised + out, rest, length);
            out += length;
            ++names;
        }
        rest += length;
        if (*rest == '\\')
            ++rest;
    }
    normalised[out] = 0;
    // A drive or a share itself is never one the log may name.
    if (names <= rootNames) {
        normalised[0] = 0;
        return 0;
    }
    return 1;
}

int InstallLogPath(const char* directory, char* path, size_t size)
{
    size_t length = strlen(directory);
    while (length > 0 && directory[length - 1] == '\\')
        --length;
    size_t nameLength = strlen(INSTALL_LOG_NAME);
    if (length + 1 + nameLength + 1 > size)
        return 0;
    memcpy(path, directory, length);
    path[length] = '\\';
    memcpy(path + length + 1, INSTALL_LOG_NAME, nameLength + 1);
    return 1;
}

static int Append(InstallLog* log, const char* text, size_t length)
{
    if (log->length + length + 1 > log->capacity) {
        size_t capacity = (log->capacity + length + 1) * 2;
        char* grown = (char*)realloc(log->text, capacity);
        if (!grown)
            return 0;
        log->text = grown;
        log->capacity = capacity;
    }
    memcpy(log->text + log->length, text, length);
    log->length += length;
    log->text[log->length] = 0;
    return 1;
}

int InitInstallLog(InstallLog* log)
{
    log->text = nullptr;
    log->length = 0;
    log->capacity = 0;
    return Append(log, INSTALL_LOG_HEADER, strlen(INSTALL_LOG_HEADER)) && Append(log, "\r\n", 2);
}

void FreeInstallLog(InstallLog* log)
{
    free(log->text);
    log->text = nullptr;
    log->length = 0;
    log->capacity = 0;
}

static int SamePath(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        if (UpperAscii(*a) != UpperAscii(*b))
            return 0;
    }
    return *a == *b;
}

int AddInstallLogEntry(InstallLog* log, char kind, const char* path)
{
    InstallLogEntry entry;
    if ((kind != INSTALL_LOG_FOLDER && kind != INSTALL_LOG_FILE) ||
        !NormaliseLogPath(path, entry.path, sizeof entry.path))
        return 0;
    InstallLogEntry logged;
    for (size_t at = 0; NextInstallLogEntry(log->text, log->length, &at, &logged);) {
        if (logged.kind == kind && SamePath(logged.path, entry.path))
            return 1;
    }
    char prefix[2] = {kind, ' '};
    return Append(log, prefix, 2) && Append(log, entry.path, strlen(entry.path)) && Append(log, "\r\n", 2);
}

// The header line as it stands, without its line end.
static int IsHeaderLine(const char* line, size_t length)
{
    size_t headerLength = strlen(INSTALL_LOG_HEADER);
    return length == headerLength && memcmp(line, INSTALL_LOG_HEADER, headerLength) == 0;
}

// The line from *at without its CR LF (or LF); *at moves behind it.
static const char* NextLine(const char* bytes, size_t size, size_t* at, size_t* length)
{
    const char* line = bytes + *at;
    const char* end = (const char*)memchr(line, '\n', size - *at);
    size_t taken = end ? (size_t)(end - line) + 1 : size - *at;
    *length = end ? (size_t)(end - line) : taken;
    if (*length > 0 && line[*length - 1] == '\r')
        --*length;
    *at += taken;
    return line;
}

int IsInstallLog(const char* bytes, size_t size)
{
    size_t at = 0, length = 0;
    if (!bytes || size == 0)
        return 0;
    const char* line = NextLine(bytes, size, &at, &length);
    return IsHeaderLine(line, length);
}

int NextInstallLogEntry(const char* bytes, size_t size, size_t* at, InstallLogEntry* entry)
{
    if (!bytes)
        return 0;
    while (*at < size) {
        size_t length = 0;
        int first = *at == 0;
        const char* line = NextLine(bytes, size, at, &length);
        if (first || length < 3 || length >= INSTALL_LOG_PATH_SIZE + 2 || line[1] != ' ' ||
            (line[0] != INSTALL_LOG_FOLDER && line[0] != INSTALL_LOG_FILE) || memchr(line, 0, length))
            continue;
        char path[INSTALL_LOG_PATH_SIZE + 2];
        memcpy(path, line + 2, length - 2);
        path[length - 2] = 0;
        if (!NormaliseLogPath(path, entry->path, sizeof entry->path))
            continue;
        entry->kind = line[0];
        return 1;
    }
    return 0;
}

int MergeInstallLog(InstallLog* log, const char* bytes, size_t size)
{
    if (!IsInstallLog(bytes, size))
        return 0;
    InstallLogEntry entry;
    for (size_t at = 0; NextInstallLogEntry(bytes, size, &at, &entry);) {
        if (!AddInstallLogEntry(log, entry.kind, entry.path))
            return 0;
    }
    return 1;
}
