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

int IsPlainFileName(const char* name)
{
    if (!name || !*name || strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
        return 0;
    for (const unsigned char* p = (const unsigned char*)name; *p; ++p) {
        if (*p < 32 || strchr("\\/:*?\"<>|", *p))
            return 0;
    }
    return 1;
}
