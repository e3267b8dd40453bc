#include "heap_text.h"

#include "block_size.h"

#include <cstdlib>
#include <cstring>

char* CopyTextToHeap(const char* text)
{
    size_t length = strlen(text);
    size_t size;
    char* copy = SectionBlockSize(length, 10, &size) ? (char*)calloc(size, 1) : nullptr;
    if (copy)
        memcpy(copy, text, length);
    return copy;
}
