// The status bar's text of the disc totals. No windows.h.
#pragma once
#include <cstddef>
#include <cstdint>

// "%lu Bytes - %0.2f KB - %0.2f MB - %lu Folders - %lu Files"; the byte count
// is printed unsigned and in full, so totals of 2 GiB and more stay right.
void FormatTotalsText(char* text, size_t size, uint64_t bytes, uint32_t folders, uint32_t files);
