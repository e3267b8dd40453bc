// The item table's records into an opened disc's DiscItems (ReadDiscItems does
// this after opening the table; the fuzzers call it on tables of their own).
// No windows.h.
#pragma once
#include <cstdint>

#include "disc_open.h"

// table: size plain bytes of records; count: how many the disc says there
// are. 1, or 0 with DISC_TABLE_DAMAGED, DISC_TREE_TOO_DEEP or DISC_NO_MEMORY
// (disc->damagedAt and disc->damage say where and why).
int ParseDiscItems(OpenedDisc* disc, const unsigned char* table, uint32_t size, uint32_t count,
                   int* reason);
