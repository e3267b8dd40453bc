// What Check disc found and the message that says it, and a file's path in
// the disc. No windows.h: tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

struct ArcsealItem;

// Files named in the closing message; the others are counted.
const uint32_t CHECK_LISTED_FILES = 20;

struct CheckReport {
    uint32_t total;       // files on the disc
    uint32_t checked;     // files read through, intact or not
    uint32_t problems;    // damaged or unreadable files
    int aborted;
    char* listed;         // heap: the first CHECK_LISTED_FILES problems, one per line
    size_t listedLength;
};

void StartCheckReport(CheckReport* report, uint32_t total);
void FreeCheckReport(CheckReport* report);

// Counts one file read through; a damaged or unreadable one is named by its
// path in the disc (the first ones only). 0 when no memory was left for the
// name (it is still counted).
int NoteCheckedFile(CheckReport* report, const char* path, int damaged, int unreadable);

// The closing message (heap, freed by the caller); null when out of memory.
char* FormatCheckReport(const CheckReport* report);

// The item's path in the disc, its folders' names joined by '\' (the disc
// itself not named), cut to fit size. Parents are followed by id through the
// item list, a loop in them at most as far as the list is long.
void DiscPathOf(const ArcsealItem* item, char* path, size_t size);
