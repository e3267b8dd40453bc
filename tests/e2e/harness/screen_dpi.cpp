#include "screen_dpi.h"

namespace e2e {

namespace {
const char kDesktopKey[] = "Control Panel\\Desktop";
const char kLogPixels[] = "LogPixels";
}  // namespace

ScreenDpi::ScreenDpi(DWORD dpi)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    DWORD value = 0, type = 0, size = sizeof value;
    if (RegQueryValueExA(key, kLogPixels, nullptr, &type, (BYTE*)&value, &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        before_ = value;
    applied_ = RegSetValueExA(key, kLogPixels, 0, REG_DWORD, (const BYTE*)&dpi, sizeof dpi) == ERROR_SUCCESS;
    RegCloseKey(key);
}

ScreenDpi::~ScreenDpi()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    if (before_)
        RegSetValueExA(key, kLogPixels, 0, REG_DWORD, (const BYTE*)&*before_, sizeof *before_);
    else
        RegDeleteValueA(key, kLogPixels);
    RegCloseKey(key);
}

}  // namespace e2e
