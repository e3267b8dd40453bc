#include "totals_text.h"

#include <cstdio>

void FormatTotalsText(char* text, size_t size, uint64_t bytes, uint32_t folders, uint32_t files)
{
    snprintf(text, size, "%llu Bytes - %0.2f KB - %0.2f MB - %lu Folders - %lu Files",
             (unsigned long long)bytes, (double)bytes / 1024, (double)bytes / 1048576,
             (unsigned long)folders, (unsigned long)files);
}
