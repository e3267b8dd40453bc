// Copies scrambled bytes from one stream to another in plain form. No windows.h.
#pragma once
#include <cstdint>
#include <cstdio>

#include "copy_sizes.h"

// Copies length bytes from source's current position to destination, XORing
// each byte with the key's combined value. Returns 1 after a complete copy;
// 0 when the key is null, the buffer cannot be allocated (reported here), or a
// read came up short or a write failed (not reported here: the caller knows
// which file it was and must not keep a short copy).
int CopyDescrambled(const char* key, FILE* destination, FILE* source, uint32_t length);
