#include "layout_digest.h"

#include <cstdlib>

int ComputeLayoutDigest(const ByteSource* source, uint64_t from, unsigned char digest[SHA256_SIZE])
{
    const size_t pieceSize = 1 << 20;
    if (from > source->length)
        return 0;
    unsigned char* piece = (unsigned char*)malloc(pieceSize);
    Sha256Run* run = piece ? StartSha256() : nullptr;
    if (!run) {
        free(piece);
        return 0;
    }
    int complete = 1;
    for (uint64_t at = from; at < source->length && complete;) {
        size_t length = source->length - at < pieceSize ? (size_t)(source->length - at) : pieceSize;
        complete = source->read(source->context, at, piece, length);
        if (complete)
            AddToSha256(run, piece, length);
        at += length;
    }
    FinishSha256(run, digest);
    free(piece);
    return complete;
}
