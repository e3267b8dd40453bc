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

struct ItemRecord {
    uint32_t itemId;
    uint32_t parentId;
    uint32_t itemType;
    uint32_t itemSize;
    uint32_t reserved;
    uint32_t methodFlags;
    char itemName[ITEM_NAME_MAX + 1];
    char dataFileName[ITEM_NAME_MAX + 1];  // file records only
    uint32_t dataOffset;                   // file records only
};

// A record carries the data file fields exactly when its type has none of the
// folder bits and not the disc-root bit.
int RecordHasDataFields(uint32_t itemType);

// Reads the record at *position of a descrambled table of tableSize bytes into
// record and advances *position. Returns 1, or 0 with *failure set to a short
// reason when the record runs past the table or a name is over 254 bytes.
int ReadItemRecord(const unsigned char* table, uint32_t tableSize, uint32_t* position,
                   ItemRecord* record, const char** failure);

// Bytes the record takes in the table (names by their text length).
uint32_t ItemRecordSize(const ItemRecord* record);

// Writes the record at out (ItemRecordSize bytes); returns the bytes written.
uint32_t WriteItemRecord(const ItemRecord* record, unsigned char* out);
