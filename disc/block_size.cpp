#include "block_size.h"

int SectionBlockSize(uint64_t size, uint64_t margin, size_t* total)
{
    if (size > SIZE_MAX || margin > SIZE_MAX - size)
        return 0;
    *total = (size_t)(size + margin);
    return 1;
}
