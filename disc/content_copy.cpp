#include "content_copy.h"

#include <cstdlib>
#include <cstring>

#include "copy_sizes.h"
#include "scramble.h"

const uint32_t TABLE_ITEM_ID = 0xFFFFFFFFu;  // a nonce no file's chunk uses

uint64_t StoredContentSize(const ContentFormat* format)
{
    if (format->mode != CONTENT_SEALED)
        return format->itemSize;
    uint64_t chunks = ((uint64_t)format->itemSize + format->chunkSize - 1) / format->chunkSize;
    return format->itemSize + chunks * CHUNK_TAG_SIZE;
}

unsigned char* AllocateAligned(size_t size)
{
    const size_t page = 4096;
    unsigned char* raw = (unsigned char*)malloc(size + page + sizeof(void*));
    if (!raw)
        return nullptr;
    uintptr_t at = ((uintptr_t)raw + sizeof(void*) + page - 1) & ~(uintptr_t)(page - 1);
    memcpy((unsigned char*)at - sizeof(void*), &raw, sizeof raw);
    return (unsigned char*)at;
}

void FreeAligned(unsigned char* block)
{
    if (!block)
        return;
    void* raw;
    memcpy(&raw, block - sizeof(void*), sizeof raw);
    free(raw);
}

static int WritePlain(const unsigned char* bytes, uint32_t length, FILE* destination)
{
    if (!destination)
        return 1;
    for (uint32_t at = 0; at < length; at += COPY_WRITE_SLICE) {
        uint32_t slice = length - at < COPY_WRITE_SLICE ? length - at : COPY_WRITE_SLICE;
        if (fwrite(bytes + at, 1, slice, destination) != slice)
            return 0;
    }
    return 1;
}

// Opens the whole chunks in buffer (stored bytes, tags behind each chunk) and,
// when they are to be written, moves their plain bytes together at the
// buffer's start; returns the plain length, or -1 when a tag does not match.
static int64_t OpenChunks(const ContentFormat* format, unsigned char* buffer, uint32_t stored,
                          uint64_t* chunkIndex, uint64_t* plainDone, int compact)
{
    uint32_t plain = 0;
    for (uint32_t at = 0; at < stored;) {
        uint64_t left = format->itemSize - *plainDone;
        uint32_t length = left < format->chunkSize ? (uint32_t)left : format->chunkSize;
        if (length == 0 || stored - at < length + CHUNK_TAG_SIZE)
            return -1;
        unsigned char* chunk = buffer + at;
        if (!OpenChunk(format->cipher, format->itemId, *chunkIndex, format->itemSize, chunk, length,
                       chunk + length, nullptr, format->wideSize))
            return -1;
        if (compact)
            memmove(buffer + plain, chunk, length);
        plain += length;
        at += length + (uint32_t)CHUNK_TAG_SIZE;
        *plainDone += length;
        ++*chunkIndex;
    }
    return plain;
}

uint32_t ContentPieceSize(const ContentFormat* format)
{
    // Sealed contents are read a whole number of chunks at a time.
    if (format->mode != CONTENT_SEALED)
        return COPY_PIECE_SIZE;
    uint32_t storedChunk = format->chunkSize + (uint32_t)CHUNK_TAG_SIZE;
    return storedChunk * (COPY_PIECE_SIZE / storedChunk > 0 ? COPY_PIECE_SIZE / storedChunk : 1);
}

struct StreamPieces {
    FILE* source;
    unsigned char* buffer;
};

static unsigned char* NextFromStream(void* context, uint32_t length)
{
    StreamPieces* stream = (StreamPieces*)context;
    return fread(stream->buffer, 1, length, stream->source) == length ? stream->buffer : nullptr;
}

int CopyContents(const ContentFormat* format, FILE* destination, FILE* source,
                 CopyProgress progress, void* context)
{
    StreamPieces stream = {source, AllocateAligned(ContentPieceSize(format))};
    if (!stream.buffer)
        return COPY_NO_MEMORY;
    ContentPieces pieces = {NextFromStream, &stream};
    int result = CopyContentsFrom(format, destination, &pieces, progress, context);
    FreeAligned(stream.buffer);
    return result;
}

// Copies storedBytes of contents that start at chunk firstChunk (sealed
// contents; the other modes always start at 0).
static int CopyStored(const ContentFormat* format, FILE* destination, const ContentPieces* pieces,
                      CopyProgress progress, void* context, uint64_t firstChunk, uint64_t storedBytes)
{
    uint32_t pieceSize = ContentPieceSize(format);
    Crc32Run* crc = format->mode == CONTENT_XOR_CRC32 ? StartCrc32() : nullptr;
    if ((format->mode == CONTENT_XOR_CRC32 && !crc) || (format->mode == CONTENT_SEALED && !format->cipher)) {
        if (crc)
            FinishCrc32(crc);
        return COPY_NO_MEMORY;
    }

    int result = COPY_DONE;
    uint64_t left = storedBytes;
    uint64_t chunkIndex = firstChunk;
    uint64_t plainDone = firstChunk * format->chunkSize;
    while (left > 0 && result == COPY_DONE) {
        uint32_t piece = left < pieceSize ? (uint32_t)left : pieceSize;
        unsigned char* buffer = pieces->next(pieces->context, piece);
        if (!buffer) {
            result = COPY_SOURCE_ENDED;
            break;
        }
        left -= piece;
        uint32_t plain = piece;
        if (format->mode == CONTENT_SEALED) {
            int64_t opened = OpenChunks(format, buffer, piece, &chunkIndex, &plainDone, destination != nullptr);
            if (opened < 0) {
                result = COPY_DAMAGED;
                break;
            }
            plain = (uint32_t)opened;
        } else {
            XorWithValue(buffer, piece, format->xorValue);
            if (crc)
                AddToCrc32(crc, buffer, piece);
        }
        if (!WritePlain(buffer, plain, destination))
            result = COPY_WRITE_FAILED;
        else if (progress && !progress(context, plain))
            result = COPY_ABORTED;
    }
    if (crc) {
        uint32_t sum = FinishCrc32(crc);
        if (result == COPY_DONE && sum != format->crc32)
            result = COPY_DAMAGED;
    }
    return result;
}

int CopyContentsFrom(const ContentFormat* format, FILE* destination, const ContentPieces* pieces,
                     CopyProgress progress, void* context)
{
    return CopyStored(format, destination, pieces, progress, context, 0, StoredContentSize(format));
}

uint64_t SealedChunkCount(const ContentFormat* format)
{
    return format->itemSize / format->chunkSize + (format->itemSize % format->chunkSize != 0);
}

uint64_t SealedChunksStoredSize(const ContentFormat* format, uint64_t firstChunk, uint64_t chunkCount)
{
    uint64_t start = firstChunk * format->chunkSize;
    uint64_t end = (firstChunk + chunkCount) * format->chunkSize;
    if (end > format->itemSize)
        end = format->itemSize;
    return end - start + chunkCount * CHUNK_TAG_SIZE;
}

int CopySealedChunks(const ContentFormat* format, FILE* destination, const ContentPieces* pieces,
                     uint64_t firstChunk, uint64_t chunkCount)
{
    if (format->mode != CONTENT_SEALED || firstChunk + chunkCount > SealedChunkCount(format))
        return COPY_NO_MEMORY;
    return CopyStored(format, destination, pieces, nullptr, nullptr, firstChunk,
                      SealedChunksStoredSize(format, firstChunk, chunkCount));
}

uint32_t SealedPieceSize(const ContentFormat* format, uint32_t plainLength)
{
    uint32_t chunks = plainLength / format->chunkSize + (plainLength % format->chunkSize != 0);
    return plainLength + chunks * (uint32_t)CHUNK_TAG_SIZE;
}

uint32_t SealPiece(const ContentFormat* format, uint64_t firstChunk, const unsigned char* plain,
                   uint32_t length, unsigned char* stored)
{
    uint32_t out = 0;
    for (uint32_t at = 0; at < length; at += format->chunkSize) {
        uint32_t chunk = length - at < format->chunkSize ? length - at : format->chunkSize;
        memcpy(stored + out, plain + at, chunk);
        if (!SealChunk(format->cipher, format->itemId, firstChunk++, format->itemSize, stored + out,
                       chunk, stored + out + chunk, nullptr, format->wideSize))
            return 0;
        out += chunk + (uint32_t)CHUNK_TAG_SIZE;
    }
    return out;
}

int SealItemTable(const unsigned char tableKey[DISC_KEY_SIZE], unsigned char* table, uint32_t plainSize,
                  const unsigned char* layoutDigest, int wide)
{
    ChunkCipher* cipher = OpenChunkCipher(tableKey);
    int sealed = cipher && SealChunk(cipher, TABLE_ITEM_ID, 0, plainSize, table, plainSize,
                                     table + plainSize, layoutDigest, wide);
    CloseChunkCipher(cipher);
    return sealed;
}

int ContentModeOf(const IntegrityRecord* record)
{
    if (record && (record->flags & INTEGRITY_STRONG))
        return CONTENT_SEALED;
    if (record && (record->flags & INTEGRITY_FILE_CRC32))
        return CONTENT_XOR_CRC32;
    return CONTENT_XOR;
}

int OpenItemTable(const unsigned char tableKey[DISC_KEY_SIZE], unsigned char* table, uint32_t plainSize,
                  const unsigned char* layoutDigest, int wide)
{
    ChunkCipher* cipher = OpenChunkCipher(tableKey);
    int opened = cipher && OpenChunk(cipher, TABLE_ITEM_ID, 0, plainSize, table, plainSize,
                                     table + plainSize, layoutDigest, wide);
    CloseChunkCipher(cipher);
    return opened;
}
