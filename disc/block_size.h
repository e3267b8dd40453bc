// Sizes of the heap blocks that hold a section of the layout with a margin
// behind it. No windows.h.
#pragma once
#include <cstddef>
#include <cstdint>

// size + margin in *total; 0 when the sum does not fit in size_t. The
// section sizes are 32-bit values chosen by the disc, and the shipped build's
// size_t is 32 bits wide too: such a section counts as one there is no
// memory for.
int SectionBlockSize(uint64_t size, uint64_t margin, size_t* total);
