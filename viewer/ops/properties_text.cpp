#include "properties_text.h"

#include <cstdio>
#include <cstring>

#include "item_records.h"

void FormatFileSizeText(char* text, size_t size, uint64_t bytes)
{
    snprintf(text, size, "%llu Bytes ( %0.2f KB/%0.2f MB)", (unsigned long long)bytes, (double)bytes / 1024,
             (double)bytes / 1048576);
}

void FormatFolderSizeText(char* text, size_t size, uint64_t bytes, uint32_t files, uint32_t folders)
{
    snprintf(text, size, "Total %llu Bytes ( %0.2f KB/%0.2f MB) - Files: %lu - Sub Folders: %lu",
             (unsigned long long)bytes, (double)bytes / 1024, (double)bytes / 1048576,
             (unsigned long)files, (unsigned long)folders);
}

void FormatScramblingText(char* text, size_t size, uint32_t methodFlags, int strongDisc)
{
    if (strongDisc) {
        snprintf(text, size, "AES-256");
        return;
    }
    if (!(methodFlags & METHOD_SCRAMBLED)) {
        snprintf(text, size, "Not encrypted.");
        return;
    }
    snprintf(text, size, "%s%s%s%s%s%s", (methodFlags & METHOD_BITCRYPT) ? "BitCrypt " : "",
             (methodFlags & METHOD_SCRAMBLE) ? "SCRAMBLE " : "", (methodFlags & METHOD_PGP) ? "PGP " : "",
             (methodFlags & METHOD_BLOWFISH) ? "BlowFish " : "", (methodFlags & METHOD_2FISH) ? "2Fish " : "",
             (methodFlags & METHOD_FULL) ? " - ( FULL )" : " - ( FAST )");
}
