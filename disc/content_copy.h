// Copying one file's contents out of its data file with the checks its disc
// allows: the design's XOR alone, XOR with a CRC-32 of the plain bytes, or
// AES-256-GCM chunks each with its tag. Shared by the viewer's extraction and
// Check disc and by mkdisc --verify/--extract. No windows.h.
#pragma once
#include <cstdint>
#include <cstdio>

#include "disc_crypto.h"
#include "integrity_record.h"

enum ContentMode {
    CONTENT_XOR = 0,        // a disc without the integrity record: nothing to check
    CONTENT_XOR_CRC32 = 1,  // verified disc: the item's reserved field is the CRC-32
    CONTENT_SEALED = 2,     // strong disc
};

struct ContentFormat {
    int mode;
    unsigned char xorValue;  // XOR modes: the content key's combined value
    uint32_t crc32;          // CONTENT_XOR_CRC32
    ChunkCipher* cipher;     // CONTENT_SEALED
    uint32_t chunkSize;      // CONTENT_SEALED
    uint32_t itemId;
    uint64_t itemSize;       // plain bytes
    int wideSize;            // CONTENT_SEALED: the chunks carry the size in 64 bits
};

// Bytes the contents take in the data file: the plain size, and for sealed
// contents one tag per chunk.
uint64_t StoredContentSize(const ContentFormat* format);

enum CopyResult {
    COPY_DONE = 1,
    COPY_NO_MEMORY = 0,
    COPY_SOURCE_ENDED = -1,  // the data file ends before the contents do
    COPY_WRITE_FAILED = -2,
    COPY_DAMAGED = -3,       // a checksum or a tag does not match
    COPY_ABORTED = -4,       // the progress callback asked to stop
    COPY_NO_DATA_FILE = -5,  // the data file the contents start in cannot be opened
};

// Called after every piece with the plain bytes it held; returns 0 to stop.
typedef int (*CopyProgress)(void* context, uint32_t bytes);

// Copies the contents from source's current position to destination (null:
// only read and check them) in pieces of about 1 MiB. The result says whether
// every byte came and every check held; the caller must not keep a
// destination of any other result.
int CopyContents(const ContentFormat* format, FILE* destination, FILE* source,
                 CopyProgress progress, void* context);

// Stored bytes from elsewhere than a stream read here (mkdisc reads ahead on
// a second thread): next gives the following length bytes in memory the copy
// may change in place, valid until the next call, or null when they are not
// all there. The copy asks for pieces of ContentPieceSize bytes, the last
// one shorter, StoredContentSize bytes in all.
struct ContentPieces {
    unsigned char* (*next)(void* context, uint32_t length);
    void* context;
};
uint32_t ContentPieceSize(const ContentFormat* format);
int CopyContentsFrom(const ContentFormat* format, FILE* destination, const ContentPieces* pieces,
                     CopyProgress progress, void* context);

// Part of sealed contents: chunkCount chunks from chunk firstChunk, the
// pieces giving their stored bytes (SealedChunksStoredSize). The parts of a
// large file can be checked at once, each with a cipher of its own.
uint64_t SealedChunkCount(const ContentFormat* format);
uint64_t SealedChunksStoredSize(const ContentFormat* format, uint64_t firstChunk, uint64_t chunkCount);
int CopySealedChunks(const ContentFormat* format, FILE* destination, const ContentPieces* pieces,
                     uint64_t firstChunk, uint64_t chunkCount);

// The writing side of sealed contents: seals length plain bytes that start at
// chunk firstChunk of the item (whole chunks; only the item's last may be
// short) into stored, each chunk followed by its tag. Returns the stored
// length (SealedPieceSize), 0 on failure.
uint32_t SealPiece(const ContentFormat* format, uint64_t firstChunk, const unsigned char* plain,
                   uint32_t length, unsigned char* stored);
uint32_t SealedPieceSize(const ContentFormat* format, uint32_t plainLength);

// The mode a disc's file contents are stored in; record is null for a disc
// without one.
int ContentModeOf(const IntegrityRecord* record);

// A strong disc's item table: plainSize bytes sealed in place, followed by
// their tag (the table buffer holds plainSize + CHUNK_TAG_SIZE bytes), bound
// to the layout's digest (SHA256_SIZE bytes).
// wide: the table of the wide records (its size in 64 bits, as every chunk's).
int SealItemTable(const unsigned char tableKey[DISC_KEY_SIZE], unsigned char* table, uint32_t plainSize,
                  const unsigned char* layoutDigest, int wide = 0);
// 1 when the tag matches; the table is then plain.
int OpenItemTable(const unsigned char tableKey[DISC_KEY_SIZE], unsigned char* table, uint32_t plainSize,
                  const unsigned char* layoutDigest, int wide = 0);

// Memory aligned to 4 KiB pages for the copy buffers (reads into it are much
// faster on both systems); free with FreeAligned.
unsigned char* AllocateAligned(size_t size);
void FreeAligned(unsigned char* block);
