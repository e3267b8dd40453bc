#include "heap_text.h"

#include <cstdlib>
#include <cstring>

char* CopyTextToHeap(const char* text)
{
    size_t length = strlen(text);
    char* copy = (char*)calloc(length + 10, 1);
    if (copy)
        memcpy(copy, text, length);
    return copy;
}
