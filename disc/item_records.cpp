#include "item_records.h"

#include <cstring>

int RecordHasDataFields(uint32_t itemType)
{
    return (itemType & ITEM_FOLDER_BITS) == 0 && (itemType & ITEM_DISC_ROOT_BIT) == 0;
}

static uint32_t ReadU32(const unsigned char* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

static uint64_t ReadU64(const unsigned char* p)
{
    return (uint64_t)ReadU32(p) | (uint64_t)ReadU32(p + 4) << 32;
}

static void WriteU32(unsigned char* p, uint32_t value)
{
    p[0] = (unsigned char)value;
    p[1] = (unsigned char)(value >> 8);
    p[2] = (unsigned char)(value >> 16);
    p[3] = (unsigned char)(value >> 24);
}

static void WriteU64(unsigned char* p, uint64_t value)
{
    WriteU32(p, (uint32_t)value);
    WriteU32(p + 4, (uint32_t)(value >> 32));
}

// Reads a length-prefixed text of at most most bytes into a zero-filled
// buffer of most + 1; a NUL within the stored bytes ends the text early.
static int ReadText(const unsigned char* table, uint32_t tableSize, uint32_t* position,
                    char* text, const char** failure, uint32_t most = ITEM_NAME_MAX)
{
    if (tableSize - *position < 4) {
        *failure = "the record runs past the end of the item table";
        return 0;
    }
    uint32_t length = ReadU32(table + *position);
    *position += 4;
    if (length > most) {
        *failure = most == ITEM_NAME_MAX ? "a name is longer than 254 bytes" : "a name is longer than 1020 bytes";
        return 0;
    }
    if (tableSize - *position < length) {
        *failure = "the record runs past the end of the item table";
        return 0;
    }
    memset(text, 0, most + 1);
    memcpy(text, table + *position, length);
    *position += length;
    return 1;
}

static int ReadWideRecord(const unsigned char* table, uint32_t tableSize, uint32_t* position,
                          ItemRecord* record, const char** failure)
{
    uint32_t at = *position;
    if (at > tableSize || tableSize - at < ITEM_WIDE_FIXED_SIZE - 4) {
        *failure = "the record runs past the end of the item table";
        return 0;
    }
    record->itemId = ReadU32(table + at);
    record->parentId = ReadU32(table + at + 4);
    record->itemType = ReadU32(table + at + 8);
    record->methodFlags = ReadU32(table + at + 12);
    record->itemSize = ReadU64(table + at + 16);
    record->dataOffset = ReadU64(table + at + 24);
    record->modified = ReadU64(table + at + 32);
    record->reserved = 0;
    memset(record->dataFileName, 0, sizeof record->dataFileName);
    at += ITEM_WIDE_FIXED_SIZE - 4;
    if (!ReadText(table, tableSize, &at, record->itemName, failure, ITEM_WIDE_NAME_MAX))
        return 0;
    *position = at;
    return 1;
}

int ReadItemRecord(const unsigned char* table, uint32_t tableSize, uint32_t* position,
                   ItemRecord* record, const char** failure, int wide)
{
    if (wide)
        return ReadWideRecord(table, tableSize, position, record, failure);
    uint32_t at = *position;
    record->modified = 0;
    if (at > tableSize || tableSize - at < ITEM_FIXED_SIZE - 4) {
        *failure = "the record runs past the end of the item table";
        return 0;
    }
    record->itemId = ReadU32(table + at);
    record->parentId = ReadU32(table + at + 4);
    record->itemType = ReadU32(table + at + 8);
    record->itemSize = ReadU32(table + at + 12);
    record->reserved = ReadU32(table + at + 16);
    record->methodFlags = ReadU32(table + at + 20);
    at += 24;
    if (!ReadText(table, tableSize, &at, record->itemName, failure))
        return 0;
    memset(record->dataFileName, 0, sizeof record->dataFileName);
    record->dataOffset = 0;
    if (RecordHasDataFields(record->itemType)) {
        if (!ReadText(table, tableSize, &at, record->dataFileName, failure))
            return 0;
        if (tableSize - at < 4) {
            *failure = "the record runs past the end of the item table";
            return 0;
        }
        record->dataOffset = ReadU32(table + at);
        at += 4;
    }
    *position = at;
    return 1;
}

uint32_t ItemRecordSize(const ItemRecord* record, int wide)
{
    if (wide)
        return ITEM_WIDE_FIXED_SIZE + (uint32_t)strlen(record->itemName);
    uint32_t size = ITEM_FIXED_SIZE + (uint32_t)strlen(record->itemName);
    if (RecordHasDataFields(record->itemType))
        size += 4 + (uint32_t)strlen(record->dataFileName) + 4;
    return size;
}

uint32_t WriteItemRecord(const ItemRecord* record, unsigned char* out, int wide)
{
    unsigned char* p = out;
    WriteU32(p, record->itemId);
    WriteU32(p + 4, record->parentId);
    WriteU32(p + 8, record->itemType);
    if (wide) {
        WriteU32(p + 12, record->methodFlags);
        WriteU64(p + 16, record->itemSize);
        WriteU64(p + 24, record->dataOffset);
        WriteU64(p + 32, record->modified);
        uint32_t nameLength = (uint32_t)strlen(record->itemName);
        WriteU32(p + 40, nameLength);
        memcpy(p + ITEM_WIDE_FIXED_SIZE, record->itemName, nameLength);
        return ITEM_WIDE_FIXED_SIZE + nameLength;
    }
    WriteU32(p + 12, (uint32_t)record->itemSize);
    WriteU32(p + 16, record->reserved);
    WriteU32(p + 20, record->methodFlags);
    p += 24;
    uint32_t nameLength = (uint32_t)strlen(record->itemName);
    WriteU32(p, nameLength);
    memcpy(p + 4, record->itemName, nameLength);
    p += 4 + nameLength;
    if (RecordHasDataFields(record->itemType)) {
        uint32_t dataNameLength = (uint32_t)strlen(record->dataFileName);
        WriteU32(p, dataNameLength);
        memcpy(p + 4, record->dataFileName, dataNameLength);
        p += 4 + dataNameLength;
        WriteU32(p, (uint32_t)record->dataOffset);
        p += 4;
    }
    return (uint32_t)(p - out);
}
