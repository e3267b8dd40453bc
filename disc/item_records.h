// Records of the item table (the layout's first section). No windows.h: the
// disc builder writes these bytes and the viewer reads them back.
#pragma once
#include <cstddef>
#include <cstdint>

const uint32_t ITEM_FOLDER = 1;
const uint32_t ITEM_FILE = 2;
const uint32_t ITEM_WHOLE_DISC = 777;
const uint32_t ITEM_DISC_ROOT_BIT = 0x20;
const uint32_t ITEM_FOLDER_BITS = 0x309;  // the bits of 777: folder-like items

// methodFlags bits.
const uint32_t METHOD_SCRAMBLED = 0x40;
const uint32_t METHOD_FULL = 0x80;
const uint32_t METHOD_BITCRYPT = 0x100;
const uint32_t METHOD_PGP = 0x200;
const uint32_t METHOD_SCRAMBLE = 0x400;
const uint32_t METHOD_BLOWFISH = 0x800;
const uint32_t METHOD_2FISH = 0x1000;

const uint32_t ITEM_NAME_MAX = 254;  // names are copied into zero-filled 255-byte buffers
const uint32_t ITEM_FIXED_SIZE = 28;  // six fields and the name length

// The wide records of strong discs (integrity record version 3): every record
// has the same fields, names are UTF-8 (255 UTF-16 units take at most 765
// bytes), and a file's contents are found by their offset in the data stream.
const uint32_t ITEM_WIDE_NAME_MAX = 1020;
const uint32_t ITEM_WIDE_FIXED_SIZE = 44;  // eight fields and the name length

struct ItemRecord {
    uint32_t itemId;
    uint32_t parentId;
    uint32_t itemType;
    uint64_t itemSize;  // below 4 GiB in the design's records
    uint32_t reserved;  // the design's records only
    uint32_t methodFlags;
    uint64_t modified;  // wide records: Windows file time (100 ns since 1601, UTC); 0 unknown
    char itemName[ITEM_WIDE_NAME_MAX + 1];
    char dataFileName[ITEM_NAME_MAX + 1];  // design's file records only
    uint64_t dataOffset;                   // in the data file, or in the stream (wide)
};

// A record carries the data file fields exactly when its type has none of the
// folder bits and not the disc-root bit.
int RecordHasDataFields(uint32_t itemType);

// Reads the record at *position of a descrambled table of tableSize bytes into
// record and advances *position. Returns 1, or 0 with *failure set to a short
// reason when the record runs past the table or a name is over 254 bytes
// (1020 in the wide form). wide: the record is in the wide form.
int ReadItemRecord(const unsigned char* table, uint32_t tableSize, uint32_t* position,
                   ItemRecord* record, const char** failure, int wide = 0);

// Bytes the record takes in the table (names by their text length).
uint32_t ItemRecordSize(const ItemRecord* record, int wide = 0);

// Writes the record at out (ItemRecordSize bytes); returns the bytes written.
// The design's form keeps the low 32 bits of sizes and offsets: its writer
// refuses what does not fit before it gets here.
uint32_t WriteItemRecord(const ItemRecord* record, unsigned char* out, int wide = 0);
