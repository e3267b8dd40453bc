#include "copy_descrambled.h"

#include <cstdlib>

#include "report.h"
#include "scramble.h"

static int WritePiece(const unsigned char* piece, uint32_t length, FILE* destination)
{
    for (uint32_t at = 0; at < length; at += COPY_WRITE_SLICE) {
        uint32_t slice = length - at < COPY_WRITE_SLICE ? length - at : COPY_WRITE_SLICE;
        if (fwrite(piece + at, 1, slice, destination) != slice)
            return 0;
    }
    return 1;
}

int CopyDescrambled(const char* key, FILE* destination, FILE* source, uint32_t length)
{
    if (!key)
        return 0;
    unsigned char* buffer = (unsigned char*)malloc(COPY_BUFFER_SIZE);
    if (!buffer) {
        ShowError("Error:", "Cannot allocate memory for file!");
        return 0;
    }
    unsigned char value = CombinedKeyValue(key);
    int complete = 1;
    uint32_t left = length;
    while (left > 0 && complete) {
        uint32_t piece = left < COPY_PIECE_SIZE ? left : COPY_PIECE_SIZE;
        if (fread(buffer, 1, piece, source) != piece)
            complete = 0;
        else {
            XorWithValue(buffer, piece, value);
            complete = WritePiece(buffer, piece, destination);
        }
        left -= piece;
    }
    free(buffer);
    return complete;
}
