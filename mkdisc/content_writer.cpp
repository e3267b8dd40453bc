#include "content_writer.h"

#include <cerrno>
#include <memory>
#include <system_error>

#include "build_error.h"
#include "content_copy.h"
#include "copy_descrambled.h"
#include "file_io.h"
#include "scramble.h"

namespace {

struct AlignedFree {
    void operator()(unsigned char* block) const { FreeAligned(block); }
};
using Buffer = std::unique_ptr<unsigned char, AlignedFree>;

Buffer Allocate(size_t size)
{
    Buffer buffer(AllocateAligned(size));
    if (!buffer)
        throw std::bad_alloc();
    return buffer;
}

}  // namespace

uint32_t WriteContents(const fs::path& source, uint64_t size, uint32_t itemId, const StoredSink& destination,
                       const ContentWriting& how, const std::function<void(uint64_t bytes)>& copied)
{
    if (!how.wideSizes && size > 0xFFFFFFFFu)
        throw BuildError(ShowPath(source) + " is larger than 4294967295 bytes");
    FilePtr input = OpenForReading(source, "file");
    ContentFormat format{CONTENT_SEALED, 0, 0, how.cipher, how.chunkSize, itemId, size, how.wideSizes};
    // Pieces of whole chunks, so every chunk but the item's last is full.
    uint32_t piece = COPY_PIECE_SIZE;
    if (how.cipher)
        piece = how.chunkSize * (COPY_PIECE_SIZE / how.chunkSize > 0 ? COPY_PIECE_SIZE / how.chunkSize : 1);
    Buffer plain = Allocate(piece);
    Buffer sealed = how.cipher ? Allocate(SealedPieceSize(&format, piece)) : Buffer();
    std::unique_ptr<Crc32Run, uint32_t (*)(Crc32Run*)> crc(how.cipher ? nullptr : StartCrc32(), FinishCrc32);
    if (!how.cipher && !crc)
        throw std::bad_alloc();

    uint64_t chunk = 0;
    for (uint64_t left = size; left > 0;) {
        uint32_t length = left < piece ? (uint32_t)left : piece;
        if (fread(plain.get(), 1, length, input.get()) != length) {
            if (ferror(input.get()))
                throw BuildError("cannot read " + ShowPath(source) + ": " +
                                 std::generic_category().message(errno));
            throw BuildError(ShowPath(source) + " became shorter while the disc was built");
        }
        if (how.cipher) {
            uint32_t stored = SealPiece(&format, chunk, plain.get(), length, sealed.get());
            if (stored == 0)
                throw BuildError("cannot seal " + ShowPath(source) + " (libgcrypt failed)");
            chunk += (length + how.chunkSize - 1) / how.chunkSize;
            destination(sealed.get(), stored);
        } else {
            AddToCrc32(crc.get(), plain.get(), length);
            XorWithValue(plain.get(), length, how.xorValue);
            destination(plain.get(), length);
        }
        left -= length;
        if (copied)
            copied(length);
    }
    if (fgetc(input.get()) != EOF)
        throw BuildError(ShowPath(source) + " grew while the disc was built");
    return crc ? FinishCrc32(crc.release()) : 0;
}
