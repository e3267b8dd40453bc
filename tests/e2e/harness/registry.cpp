#include "registry.h"

#include <cstring>

namespace e2e {

namespace {
// Closes the key when the scope ends.
struct OpenKey {
    HKEY handle = nullptr;
    OpenKey(HKEY root, const std::string& key, REGSAM access)
    {
        if (RegOpenKeyExA(root, key.c_str(), 0, access, &handle) != ERROR_SUCCESS)
            handle = nullptr;
    }
    ~OpenKey()
    {
        if (handle)
            RegCloseKey(handle);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
};
}  // namespace

bool RegistryKeyExists(HKEY root, const std::string& key)
{
    return OpenKey(root, key, KEY_READ).handle != nullptr;
}

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& key, const std::string& value)
{
    OpenKey open(root, key, KEY_READ);
    if (!open.handle)
        return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(open.handle, value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::string data(size + 1, '\0');
    if (RegQueryValueExA(open.handle, value.c_str(), nullptr, &type, (BYTE*)data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(strnlen(data.c_str(), size));
    return data;
}

bool RegistryValueExists(HKEY root, const std::string& key, const std::string& value)
{
    OpenKey open(root, key, KEY_READ);
    return open.handle &&
           RegQueryValueExA(open.handle, value.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool DeleteRegistryValue(HKEY root, const std::string& key, const std::string& value)
{
    OpenKey open(root, key, KEY_SET_VALUE);
    if (!open.handle)
        return true;
    LONG result = RegDeleteValueA(open.handle, value.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace e2e
