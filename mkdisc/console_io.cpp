#include "console_io.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#ifdef _WIN32
static std::string WideToUtf8(const wchar_t* wide)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return std::string();
    std::string text((size_t)length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, &text[0], length, nullptr, nullptr);
    text.resize((size_t)length - 1);
    return text;
}

// The ANSI argv cannot hold names outside the system code page.
std::vector<std::string> CommandLineArguments(int, char**)
{
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(WideToUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

// Through the handle, not the C runtime's stream: a window program has no
// streams of its own, only the handles it inherited or its parent's console.
void PrintText(OutputStream stream, const std::string& text)
{
    if (text.empty())
        return;
    HANDLE handle = GetStdHandle(stream == OutputStream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr)
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0);
        std::wstring wide((size_t)length, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), &wide[0], length);
        WriteConsoleW(handle, wide.data(), (DWORD)wide.size(), &written, nullptr);
        return;
    }
    WriteFile(handle, text.data(), (DWORD)text.size(), &written, nullptr);
}
#else
std::vector<std::string> CommandLineArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

void PrintText(OutputStream stream, const std::string& text)
{
    FILE* file = stream == OutputStream::Out ? stdout : stderr;
    fwrite(text.data(), 1, text.size(), file);
    fflush(file);
}
#endif
