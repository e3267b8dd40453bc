#include "unicode_text.h"

int IsValidUtf8(const char* text, size_t length)
{
    const unsigned char* p = (const unsigned char*)text;
    for (size_t i = 0; i < length;) {
        unsigned char c = p[i];
        if (c == 0)
            return 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t more;
        unsigned long code, least;
        if ((c & 0xE0) == 0xC0)
            more = 1, code = c & 0x1F, least = 0x80;
        else if ((c & 0xF0) == 0xE0)
            more = 2, code = c & 0x0F, least = 0x800;
        else if ((c & 0xF8) == 0xF0)
            more = 3, code = c & 0x07, least = 0x10000;
        else
            return 0;
        if (length - i <= more)
            return 0;
        for (size_t k = 1; k <= more; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return 0;
            code = code << 6 | (p[i + k] & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return 0;
        i += more + 1;
    }
    return 1;
}
