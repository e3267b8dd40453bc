#include "extraction.h"

#include <windows.h>

#include <direct.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "copy_descrambled.h"
#include "item_list.h"
#include "path_text.h"
#include "viewer_state.h"
#include "win_helpers.h"

void ChangeDrive(char letter)
{
    int drive = toupper((unsigned char)letter) - 'A' + 1;
    if (drive >= 1 && drive <= 26)
        _chdrive(drive);
}

int MakeDirectoryPath(const char* path)
{
    char work[1024];
    snprintf(work, sizeof work, "%s", path ? path : "");
    char built[1024] = "";
    char* context = nullptr;
    char* part = strtok_r(work, "\\", &context);
    if (!part)
        return 1;
    snprintf(built, sizeof built, "%s", part);  // the drive, taken as it is
    while ((part = strtok_r(nullptr, "\\", &context)) != nullptr) {
        size_t length = strlen(built);
        snprintf(built + length, sizeof built - length, "\\%s", part);
        if (PathExists(built))
            continue;
        if (!CreateDirectoryA(built, nullptr)) {
            MessageBoxA(nullptr, built, "Error Making Dir...(4311)", MB_OK);
            return 0;
        }
    }
    return 1;
}

int ExtractItemFile(const ArcsealItem* item, const char* destination)
{
    ChangeDrive(viewerPath[0]);
    char folder[255];
    memcpy(folder, viewerPath, sizeof folder);
    StripFileName(folder);
    SetCurrentDirectoryA(folder);

    FILE* data = item->dataFileName ? fopen(item->dataFileName, "rb") : nullptr;
    if (!data)
        return EXTRACT_NO_DATA_FILE;
    int positioned = _fseeki64(data, item->dataOffset, SEEK_SET) == 0;
    FILE* out = fopen(destination, "wb");
    if (!out) {
        fclose(data);
        return EXTRACT_NO_DESTINATION;
    }
    int copied = positioned && CopyDescrambled(layoutHeader.contentKey, out, data, item->itemSize);
    int dataEnded = !positioned || feof(data) || ferror(data);
    int writeFailed = ferror(out);
    int closed = fclose(out) == 0;
    fclose(data);
    if (copied && closed)
        return EXTRACT_DONE;

    // No memory for the copy buffer has been reported already.
    DeleteFileA(destination);
    const char* name = item->itemName ? item->itemName : "";
    if (dataEnded)
        ShowError("Error:(34566)",
                  "\"%s\" could not be copied: its data file %s ends before its contents do. "
                  "The incomplete copy has been deleted.",
                  name, item->dataFileName);
    else if (writeFailed || !closed)
        ShowError("Error:(34567)",
                  "\"%s\" could not be written in full to %s (is the disk full?). "
                  "The incomplete copy has been deleted.",
                  name, destination);
    return EXTRACT_INCOMPLETE;
}
