// How discview reports a failure: a system-modal message box with a fixed
// caption and a printf-style text. The native build used by tests and tools
// prints to stderr instead, so the format code can run outside Windows.
#pragma once

int ShowError(const char* caption, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

int AskYesNo(const char* caption, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
