// The Windows side: the system's own normalisation and case mapping, the same
// that Windows' file systems compare names with.
#include <windows.h>

#include <cstdlib>

#include "unicode_text.h"

// text as UTF-16 (NUL-ended, to be freed); null when it is not valid UTF-8.
static wchar_t* Wide(const char* text, size_t length, int* units)
{
    if (!IsValidUtf8(text, length) || length > 0x3FFFFFFF)
        return nullptr;
    *units = length ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, (int)length, nullptr, 0) : 0;
    wchar_t* wide = (wchar_t*)malloc(((size_t)*units + 1) * sizeof(wchar_t));
    if (wide && *units)
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, (int)length, wide, *units);
    if (wide)
        wide[*units] = 0;
    return wide;
}

static char* Narrow(const wchar_t* wide, int units, size_t* resultLength)
{
    int bytes = units ? WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr) : 0;
    char* text = (char*)malloc((size_t)bytes + 1);
    if (!text)
        return nullptr;
    if (bytes)
        WideCharToMultiByte(CP_UTF8, 0, wide, units, text, bytes, nullptr, nullptr);
    text[bytes] = 0;
    if (resultLength)
        *resultLength = (size_t)bytes;
    return text;
}

// The NFC form in UTF-16 (to be freed), or null.
static wchar_t* NfcWide(const char* text, size_t length, int* units)
{
    int typed;
    wchar_t* wide = Wide(text, length, &typed);
    if (!wide || typed == 0) {
        *units = 0;
        return wide;
    }
    // The first answer is an estimate; a larger buffer is asked for until it fits.
    int size = NormalizeString(NormalizationC, wide, typed, nullptr, 0);
    for (int attempt = 0; attempt < 4 && size > 0; ++attempt) {
        wchar_t* normal = (wchar_t*)malloc(((size_t)size + 1) * sizeof(wchar_t));
        if (!normal)
            break;
        int made = NormalizeString(NormalizationC, wide, typed, normal, size);
        if (made > 0) {
            free(wide);
            normal[made] = 0;
            *units = made;
            return normal;
        }
        free(normal);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
        size = -made;
    }
    free(wide);
    return nullptr;
}

char* NfcUtf8(const char* text, size_t length, size_t* resultLength)
{
    int units;
    wchar_t* normal = NfcWide(text, length, &units);
    char* result = normal ? Narrow(normal, units, resultLength) : nullptr;
    free(normal);
    return result;
}

char* FoldedUtf8(const char* text, size_t length)
{
    int units;
    wchar_t* normal = NfcWide(text, length, &units);
    if (!normal)
        return nullptr;
    if (units)
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, normal, units, normal, units, nullptr, nullptr, 0);
    char* result = Narrow(normal, units, nullptr);
    free(normal);
    return result;
}
