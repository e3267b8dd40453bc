#include "process_text.h"

#include <cstdlib>
#include <cstring>

#include "unicode_text.h"

int ProcessUsesUtf8()
{
    return GetACP() == CP_UTF8;
}

// text (code page from) into out in code page to; 0 when it does not fit.
static int Recode(const char* text, UINT from, UINT to, char* out, size_t size)
{
    wchar_t wide[1024];
    int units = MultiByteToWideChar(from, 0, text, -1, wide, 1024);
    if (units <= 0)
        return 0;
    // Never a best fit ("L" for "Ł"): a letter the code page lacks becomes
    // "?", which no file name may hold.
    DWORD flags = to == CP_UTF8 || (to == CP_ACP && ProcessUsesUtf8()) ? 0 : WC_NO_BEST_FIT_CHARS;
    int made = WideCharToMultiByte(to, flags, wide, -1, out, (int)size, flags ? "?" : nullptr, nullptr);
    SecureZeroMemory(wide, sizeof wide);
    return made > 0;
}

void StoredNameToProcess(const char* stored, int utf8Stored, char* out, size_t size)
{
    out[0] = 0;
    int utf8Process = ProcessUsesUtf8();
    if ((utf8Stored != 0) == (utf8Process != 0)) {
        lstrcpynA(out, stored, (int)size);
        return;
    }
    if (!Recode(stored, utf8Stored ? CP_UTF8 : 1252, CP_ACP, out, size))
        out[0] = 0;
}

int Cp1252ToWide(const char* text, int length, wchar_t* out, int size)
{
    int units = length > 0 ? MultiByteToWideChar(1252, 0, text, length, out, size - 1) : 0;
    if (units < 0)
        units = 0;
    out[units] = 0;
    return units;
}

int TypedPassword(HWND edit, int wideDisc, char* out, size_t size)
{
    out[0] = 0;
    if (!wideDisc && !ProcessUsesUtf8()) {
        GetWindowTextA(edit, out, (int)size);
        return 1;
    }
    wchar_t typed[1024];
    GetWindowTextW(edit, typed, 1024);
    int made = 0;
    if (wideDisc) {
        char utf8[4096];
        int bytes = WideCharToMultiByte(CP_UTF8, 0, typed, -1, utf8, sizeof utf8, nullptr, nullptr);
        size_t length = 0;
        char* normal = bytes > 0 ? NfcUtf8(utf8, (size_t)bytes - 1, &length) : nullptr;
        if (normal && length < size) {
            memcpy(out, normal, length + 1);
            made = 1;
        }
        if (normal) {
            SecureZeroMemory(normal, length);
            free(normal);
        }
        SecureZeroMemory(utf8, sizeof utf8);
    } else {
        // Design discs keep code page 1252 passwords; a character it cannot
        // hold cannot be part of one.
        BOOL lost = FALSE;
        made = WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, typed, -1, out, (int)size, nullptr, &lost) > 0 && !lost;
    }
    SecureZeroMemory(typed, sizeof typed);
    if (!made)
        SecureZeroMemory(out, size);
    return made;
}
