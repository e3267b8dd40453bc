#include <cstdlib>
#include <cstring>
#include <utf8proc.h>

#include "unicode_text.h"

static char* Mapped(const char* text, size_t length, int options, size_t* resultLength)
{
    if (!IsValidUtf8(text, length))
        return nullptr;
    utf8proc_uint8_t* result = nullptr;
    utf8proc_ssize_t made = utf8proc_map((const utf8proc_uint8_t*)text, (utf8proc_ssize_t)length, &result,
                                         (utf8proc_option_t)(options | UTF8PROC_STABLE | UTF8PROC_COMPOSE));
    if (made < 0)
        return nullptr;
    if (resultLength)
        *resultLength = (size_t)made;
    return (char*)result;
}

char* NfcUtf8(const char* text, size_t length, size_t* resultLength)
{
    return Mapped(text, length, 0, resultLength);
}

char* FoldedUtf8(const char* text, size_t length)
{
    return Mapped(text, length, UTF8PROC_CASEFOLD, nullptr);
}
