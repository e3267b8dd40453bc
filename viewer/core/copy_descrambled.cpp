#include "copy_descrambled.h"

#include <cstdlib>

#include "report.h"
#include "scramble.h"

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
            if (fwrite(buffer, 1, piece, destination) != piece)
                complete = 0;
        }
        left -= piece;
    }
    free(buffer);
    return complete;
}
