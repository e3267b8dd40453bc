// mkdisc: builds a disc (viewer + layout + data files) from a folder.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#include "run_mkdisc.h"

namespace {

#ifdef _WIN32
std::string WideToUtf8(const wchar_t* wide)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return std::string();
    std::string text((size_t)length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, &text[0], length, nullptr, nullptr);
    text.resize((size_t)length - 1);
    return text;
}

// The ANSI argv cannot hold names outside the system code page, so the
// arguments are taken as UTF-16 and carried on as UTF-8.
std::vector<std::string> Arguments(int, char**)
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

// A console shows UTF-16 correctly whatever its code page; a pipe or file
// gets the UTF-8 bytes.
void Print(FILE* stream, DWORD handleId, const std::string& text)
{
    HANDLE handle = GetStdHandle(handleId);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0);
        std::wstring wide((size_t)length, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), &wide[0], length);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), (DWORD)wide.size(), &written, nullptr);
        return;
    }
    fwrite(text.data(), 1, text.size(), stream);
    fflush(stream);
}
#else
std::vector<std::string> Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

void Print(FILE* stream, int, const std::string& text)
{
    fwrite(text.data(), 1, text.size(), stream);
    fflush(stream);
}

const int STD_OUTPUT_HANDLE = 0;
const int STD_ERROR_HANDLE = 0;
#endif

}  // namespace

int main(int argc, char** argv)
{
    std::ostringstream out;
    std::ostringstream err;
    int result = RunMkdisc(Arguments(argc, argv), out, err);
    Print(stdout, STD_OUTPUT_HANDLE, out.str());
    Print(stderr, STD_ERROR_HANDLE, err.str());
    return result;
}
