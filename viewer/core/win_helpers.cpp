#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "win_helpers.h"

static HWND messageOwner;

HWND MessageOwner()
{
    return messageOwner && IsWindow(messageOwner) ? messageOwner : nullptr;
}

void SetMessageOwner(HWND window)
{
    messageOwner = window;
}

static int ShowBox(const char* caption, UINT style, const char* format, va_list args)
{
    char text[1024];
    vsnprintf(text, sizeof text, format, args);
    return MessageBoxA(MessageOwner(), text, caption, style);
}

int ShowError(const char* caption, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int result = ShowBox(caption, MB_SYSTEMMODAL | MB_ICONQUESTION, format, args);
    va_end(args);
    return result;
}

int AskYesNo(const char* caption, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int result = ShowBox(caption, MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO, format, args);
    va_end(args);
    return result;
}

int PathExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
