#include "path_text.h"

#include <cstring>

const char* FileNamePart(const char* path)
{
    if (!path)
        return nullptr;
    for (const char* p = path + strlen(path); p > path;) {
        --p;
        if (*p == '\\')
            return p + 1;
    }
    return nullptr;
}

char* FileNamePart(char* path)
{
    return const_cast<char*>(FileNamePart(static_cast<const char*>(path)));
}

void StripFileName(char* path)
{
    char* name = FileNamePart(path);
    if (name)
        name[-1] = 0;
}

void StripFileNameKeepRoot(char* path)
{
    char* name = FileNamePart(path);
    if (!name)
        return;
    // "F:" alone would mean the current folder of drive F:, and a share
    // needs its backslash too: a root keeps it.
    size_t folderLength = (size_t)(name - 1 - path);
    int isRoot = folderLength == PathRootLength(path) &&
                 (folderLength == 0 || path[folderLength - 1] == ':' || path[1] == '\\');
    if (isRoot)
        *name = 0;
    else
        name[-1] = 0;
}

size_t PathRootLength(const char* path)
{
    if (!path || !*path)
        return 0;
    if (path[0] == '\\' && path[1] == '\\') {
        // \\server\share: both names belong to the root.
        size_t at = 2;
        for (int part = 0; part < 2; ++part) {
            while (path[at] == '\\')
                ++at;
            while (path[at] && path[at] != '\\')
                ++at;
        }
        return at;
    }
    if (path[0] == '\\')
        return 0;
    return strcspn(path, "\\");  // a drive such as C:, or the first name of a relative path
}

static int IsDeviceName(const char* name)
{
    char base[8];
    size_t length = strcspn(name, ".");
    while (length > 0 && name[length - 1] == ' ')
        --length;
    if (length < 3 || length > 7)
        return 0;
    for (size_t i = 0; i < length; ++i)
        base[i] = (char)(name[i] >= 'a' && name[i] <= 'z' ? name[i] - 'a' + 'A' : name[i]);
    base[length] = 0;
    if (strcmp(base, "CONIN$") == 0 || strcmp(base, "CONOUT$") == 0)
        return 1;
    if (length == 3)
        return strcmp(base, "CON") == 0 || strcmp(base, "PRN") == 0 || strcmp(base, "AUX") == 0 ||
               strcmp(base, "NUL") == 0;
    // COM and LPT with a digit, also the superscripts 1, 2 and 3: one byte
    // in code page 1252, two in UTF-8 (the names of strong discs).
    unsigned char digit = (unsigned char)base[length - 1];
    int superscript = digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    int isDigit = length == 4 ? (digit >= '0' && digit <= '9') || superscript
                              : length == 5 && (unsigned char)base[3] == 0xC2 && superscript;
    return (memcmp(base, "COM", 3) == 0 || memcmp(base, "LPT", 3) == 0) && isDigit;
}

const char* FileNameProblem(const char* name)
{
    if (!name || !*name)
        return "the name is empty";
    if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
        return "the name stands for a folder, not a file";
    for (const unsigned char* p = (const unsigned char*)name; *p; ++p) {
        if (*p < 32)
            return "the name contains a control character";
        if (strchr("\\/:*?\"<>|", *p))
            return "the name contains a character Windows does not allow in file names";
    }
    char last = name[strlen(name) - 1];
    if (last == '.' || last == ' ')
        return "the name ends with a dot or a space, which Windows cannot create";
    if (IsDeviceName(name))
        return "the name is a device name reserved by Windows";
    return nullptr;
}

int IsPlainFileName(const char* name)
{
    return FileNameProblem(name) == nullptr;
}
