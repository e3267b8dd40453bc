#include "builder_state.h"

HINSTANCE builderInstance = nullptr;
HWND mainWindow = nullptr;
std::wstring projectPath;
ProjectSettings savedSettings = DefaultSettings();
std::string autoTitle;

const wchar_t PROGRAM_CAPTION[] = L"Arcseal 3";

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
    std::wstring wide((size_t)(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0], length);
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8((size_t)(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &utf8[0], length, nullptr, nullptr);
    return utf8;
}

int ShowMessage(const std::string& text, UINT style)
{
    return MessageBoxW(mainWindow, Widen(text).c_str(), PROGRAM_CAPTION, style);
}

std::wstring ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], (DWORD)path.size());
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}
