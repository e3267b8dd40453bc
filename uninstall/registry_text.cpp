#include "registry_text.h"

#include <cstring>

int ReadRegistryText(HKEY root, const char* keyName, const char* valueName, char* text, size_t size)
{
    if (size < 2)
        return 0;
    text[0] = 0;
    HKEY key;
    if (RegOpenKeyExA(root, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    char value[1024];
    DWORD type = 0, length = sizeof value - 1;
    LONG result = RegQueryValueExA(key, valueName, nullptr, &type, (BYTE*)value, &length);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return 0;
    value[length] = 0;
    if (type == REG_EXPAND_SZ) {
        DWORD expanded = ExpandEnvironmentStringsA(value, text, (DWORD)size);
        if (expanded == 0 || expanded > size) {
            text[0] = 0;
            return 0;
        }
    } else {
        size_t textLength = strlen(value);
        if (textLength >= size)
            return 0;
        memcpy(text, value, textLength + 1);
    }
    return text[0] != 0;
}
