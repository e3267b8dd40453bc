#include "scramble.h"

#include <cstring>

unsigned char CombinedKeyValue(const char* key)
{
    unsigned char value = 0;
    if (!key)
        return 0;
    for (const char* p = key; *p; ++p)
        value ^= (unsigned char)*p;
    return value;
}

unsigned char CombinedIndexedKeyValue(const char* key)
{
    unsigned char value = 0;
    if (!key)
        return 0;
    size_t length = strlen(key);
    for (size_t j = 0; j < length; ++j)
        value ^= (unsigned char)(j + (unsigned char)key[j]);
    return value;
}

void XorWithValue(unsigned char* buffer, size_t length, unsigned char value)
{
    if (value == 0)
        return;
    // Eight bytes at a time; memcpy keeps it free of alignment assumptions.
    uint64_t wide = 0x0101010101010101ull * value;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        memcpy(&word, buffer + i, 8);
        word ^= wide;
        memcpy(buffer + i, &word, 8);
    }
    for (; i < length; ++i)
        buffer[i] ^= value;
}

// Every byte is combined with every key character in turn, which nets out to one
// XOR with the combined value; doing that once per byte gives the same bytes.
int XorScramble(const char* key, unsigned char* buffer, int32_t length)
{
    if (length == 0 || !key || !*key || length < 0)
        return 0;
    XorWithValue(buffer, (size_t)length, CombinedKeyValue(key));
    return length;
}

int XorScrambleIndexed(const char* key, unsigned char* buffer, int32_t length)
{
    if (length == 0 || !key || !*key || length < 0)
        return 0;
    XorWithValue(buffer, (size_t)length, CombinedIndexedKeyValue(key));
    return length;
}
