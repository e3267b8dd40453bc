// Feeds arbitrary bytes to the integrity record's reader and to the checked
// copy of one item: a hostile disc chooses the record's values, the item's
// size and every stored byte. Half the inputs get a valid record checksum, so
// the value checks behind it are reached too. No key is derived here: that
// only costs time, whatever the values (they are bounded by the reader).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "content_copy.h"
#include "integrity_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 + INTEGRITY_RECORD_SIZE + 4)
        return 0;
    bool fixChecksum = data[0] & 1;
    LayoutHeader header;
    memset(&header, 0, sizeof header);
    memcpy((unsigned char*)&header + INTEGRITY_RECORD_OFFSET, data + 1, INTEGRITY_RECORD_SIZE);
    if (fixChecksum) {
        IntegrityRecord* stored = (IntegrityRecord*)((unsigned char*)&header + INTEGRITY_RECORD_OFFSET);
        stored->magic = INTEGRITY_MAGIC;
        stored->checksum = 0;
        stored->checksum = Crc32Of(stored, sizeof *stored);
    }
    IntegrityRecord record;
    int state = ReadIntegrityRecord(&header, &record);
    if (state != RECORD_PRESENT)
        return 0;

    // The item: its size from the input (kept small), its stored bytes the rest.
    const uint8_t* rest = data + 1 + INTEGRITY_RECORD_SIZE;
    size_t restSize = size - 1 - INTEGRITY_RECORD_SIZE;
    uint32_t itemSize = ((uint32_t)rest[0] | (uint32_t)rest[1] << 8 | (uint32_t)rest[2] << 16) & 0x3FFFF;
    rest += 4;
    restSize -= 4;
    static const unsigned char key[DISC_KEY_SIZE] = {7};
    static ChunkCipher* cipher = OpenChunkCipher(key);
    int mode = record.flags & INTEGRITY_STRONG ? CONTENT_SEALED
               : record.flags & INTEGRITY_FILE_CRC32 ? CONTENT_XOR_CRC32 : CONTENT_XOR;
    ContentFormat format{mode, 0x42, record.itemCount, cipher, record.chunkSize, 5, itemSize,
                         record.version == INTEGRITY_VERSION_WIDE};
    // The stored bytes come straight from a copy of the input, piece by
    // piece, as mkdisc's read-ahead hands them over.
    std::vector<unsigned char> stored(rest, rest + restSize);
    struct Reader {
        std::vector<unsigned char>* bytes;
        size_t at;
        static unsigned char* Next(void* context, uint32_t length)
        {
            Reader* reader = (Reader*)context;
            if (reader->bytes->size() - reader->at < length)
                return nullptr;
            unsigned char* piece = reader->bytes->data() + reader->at;
            reader->at += length;
            return piece;
        }
    } reader = {&stored, 0};
    ContentPieces pieces = {Reader::Next, &reader};
    CopyContentsFrom(&format, nullptr, &pieces, nullptr, nullptr);
    return 0;
}
