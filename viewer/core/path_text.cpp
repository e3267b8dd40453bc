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

// Device names open the device, not a file, in any folder.
static int IsDeviceName(const char* name)
{
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL"};
    size_t stem = strcspn(name, ".");
    char upper[8] = "";
    if (stem < 3 || stem > 4)
        return 0;
    for (size_t i = 0; i < stem; ++i)
        upper[i] = (char)(name[i] >= 'a' && name[i] <= 'z' ? name[i] - 'a' + 'A' : name[i]);
    if (stem == 3) {
        for (const char* device : devices)
            if (memcmp(upper, device, 3) == 0)
                return 1;
        return 0;
    }
    return (memcmp(upper, "COM", 3) == 0 || memcmp(upper, "LPT", 3) == 0) && upper[3] >= '1' &&
           upper[3] <= '9';
}

int IsPlainFileName(const char* name)
{
    if (!name || !*name || strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
        return 0;
    for (const unsigned char* p = (const unsigned char*)name; *p; ++p) {
        if (*p < 32 || strchr("\\/:*?\"<>|", *p))
            return 0;
    }
    char last = name[strlen(name) - 1];
    return last != '.' && last != ' ' && !IsDeviceName(name);
}
