// The texts of the Properties dialog. No windows.h: tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

// "%lu Bytes ( %0.2f KB/%0.2f MB)" of a file's size.
void FormatFileSizeText(char* text, size_t size, uint64_t bytes);

// "Total %lu Bytes ( %0.2f KB/%0.2f MB) - Files: %lu - Sub Folders: %lu".
void FormatFolderSizeText(char* text, size_t size, uint64_t bytes, uint32_t files, uint32_t folders);

// The scrambling line: "AES-256" on a strong disc (whatever the flags say:
// its items are all sealed); else "Not encrypted." without bit 0x40, else the
// method labels in a fixed order and " - ( FULL )" or " - ( FAST )".
void FormatScramblingText(char* text, size_t size, uint32_t methodFlags, int strongDisc);
