// Byte-wise XOR scrambling shared by the viewer and the disc builder.
// No windows.h here: this file also compiles natively for tests, fuzzers and mkdisc.
#pragma once
#include <cstddef>
#include <cstdint>

// Scrambles (and, being an XOR, descrambles) the buffer in place with every key
// character in turn. Returns the length, or 0 when nothing was done (null or
// empty key, length 0 or negative).
int XorScramble(const char* key, unsigned char* buffer, int32_t length);

// The password-gate variant: byte j of the key contributes (j + key[j]) mod 256.
int XorScrambleIndexed(const char* key, unsigned char* buffer, int32_t length);

// The one value each byte ends up XORed with by the two routines above.
unsigned char CombinedKeyValue(const char* key);
unsigned char CombinedIndexedKeyValue(const char* key);

// XORs every byte with one value; the fast path behind both routines.
void XorWithValue(unsigned char* buffer, size_t length, unsigned char value);
