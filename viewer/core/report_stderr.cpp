// Native stand-in for the message boxes: the text goes to stderr, questions get "No".
#include <cstdarg>
#include <cstdio>

#include "report.h"

static void Print(const char* caption, const char* format, va_list args)
{
    char text[1024];
    vsnprintf(text, sizeof text, format, args);
    fprintf(stderr, "%s %s\n", caption, text);
}

int ShowError(const char* caption, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Print(caption, format, args);
    va_end(args);
    return 1;
}

int AskYesNo(const char* caption, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Print(caption, format, args);
    va_end(args);
    return 7;  // IDNO
}
