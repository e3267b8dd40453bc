#include "password_input.h"

#include <cstdio>

#include "build_error.h"
#include "file_io.h"
#include "wipe_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace {

const uint64_t PASSWORD_FILE_MAX = 65536;  // far above a password; a mistaken file is refused early

}  // namespace

std::string ReadPasswordFile(const std::string& utf8Path, std::string& typed)
{
    std::string text;
    TextWiper wiper{text};
    try {
        text = ReadSmallFile(PathFromUtf8(utf8Path), PASSWORD_FILE_MAX, "password file");
    } catch (const BuildError& failure) {
        return failure.what();
    }
    size_t end = text.find('\n');
    if (end == std::string::npos)
        end = text.size();
    if (end > 0 && text[end - 1] == '\r')
        --end;
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // Notepad's byte order mark
    if (end <= start)
        return "the first line of " + ShowPath(PathFromUtf8(utf8Path)) + " is empty";
    typed.assign(text, start, end - start);
    return std::string();
}

#ifdef _WIN32

int AskOnTerminal(const char* prompt, std::string& typed)
{
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode))
        return 0;  // redirected, or no console at all
    fputs(prompt, stderr);
    fflush(stderr);
    SetConsoleMode(input, (mode & ~(DWORD)ENABLE_ECHO_INPUT) | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT);
    std::wstring wide;
    wchar_t c = 0;
    DWORD got = 0;
    bool ended = false;
    while (ReadConsoleW(input, &c, 1, &got, nullptr) && got == 1) {
        if (c == L'\r' || c == L'\n') {
            ended = true;
            break;
        }
        wide.push_back(c);
    }
    SetConsoleMode(input, mode);
    fputs("\n", stderr);
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    typed.assign((size_t)(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), (int)wide.size(), &typed[0], size, nullptr, nullptr);
    SecureZeroMemory(&wide[0], wide.size() * sizeof(wchar_t));
    return ended ? 1 : 0;
}

#else

int AskOnTerminal(const char* prompt, std::string& typed)
{
    termios before{};
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &before) != 0)
        return 0;
    fputs(prompt, stderr);
    fflush(stderr);
    termios quiet = before;
    quiet.c_lflag &= ~(tcflag_t)ECHO;
    quiet.c_lflag |= ICANON;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    typed.clear();
    typed.reserve(1024);  // no copies left behind by growing
    bool ended = false;
    char c = 0;
    while (read(STDIN_FILENO, &c, 1) == 1) {
        if (c == '\n') {
            ended = true;
            break;
        }
        typed.push_back(c);
    }
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
    fputs("\n", stderr);
    if (!typed.empty() && typed.back() == '\r')
        typed.pop_back();
    return ended ? 1 : 0;
}

#endif
