// Opening a disc: the one sequence every reader follows, from the viewer file's
// trailer to each item's content form. Three steps, because the viewer asks
// for the password between the first and the last:
//
//   OpenDiscLayout    trailer, fit in the file, header, integrity record
//                     (and on strong discs the digest the item table is bound to)
//   UnlockOpenedDisc  the password gate
//   ReadDiscItems     the item table (descrambled, or opened with its key),
//                     every record, each item's parent and depth
//
// OpenDisc runs all three. Each returns 1, or 0 with a DiscReason; the
// caller words the reason its own way (the viewer in its message boxes,
// mkdisc in its exceptions). No windows.h.
#pragma once
#include <cstdint>

#include "byte_source.h"
#include "content_copy.h"
#include "disc_keys.h"
#include "integrity_record.h"
#include "key_fields.h"
#include "layout_format.h"

enum DiscReason {
    DISC_OK = 0,
    DISC_NO_LAYOUT,          // the file carries no layout (a bare viewer, or not one at all)
    DISC_LAYOUT_DAMAGED,     // the sections do not fit the file, or cannot be read
    DISC_RECORD_DAMAGED,     // the integrity record does not hold together
    DISC_OUTDATED,           // a strong disc of the first record version: build it again
    DISC_NEEDS_PASSWORD,     // none was given
    DISC_WRONG_PASSWORD,
    DISC_KEY_NO_MEMORY,      // the key derivation could not get its memory
    DISC_CRYPTO_FAILED,      // libgcrypt cannot be started or failed
    DISC_NO_MEMORY,
    DISC_TABLE_ALTERED,      // a strong disc's table fails its tag: table or layout changed
    DISC_TABLE_DAMAGED,      // a record runs past the table, or the table is not used up
    DISC_TREE_TOO_DEEP,      // folders nest deeper than DISC_MAX_DEPTH
};

// A sentence that says what the reason means, for tools.
const char* DiscReasonText(int reason);

// Folders nest at most this deep: a path of more levels cannot be written on
// any system the disc is read on, and a limit keeps crafted tables cheap.
const uint32_t DISC_MAX_DEPTH = 2048;
const uint32_t DISC_NO_PARENT = 0xFFFFFFFFu;

// One record of the item table, as the design's record carries it.
struct DiscItem {
    uint32_t itemId;
    uint32_t parentId;
    uint32_t itemType;
    uint64_t itemSize;
    uint32_t reserved;       // the CRC-32 of the contents on verified discs
    uint32_t methodFlags;
    uint64_t modified;       // wide records: Windows file time; else 0 (unknown)
    const char* name;        // NUL-ended as stored: code page 1252, or UTF-8 (wide)
    // The data file the contents start in ("" for folders), and dataOffset:
    // in it (the design's records) or in the stream (wide; see data_stream.h).
    const char* dataFileName;
    uint64_t dataOffset;
    // The item's parent: the first item of its parentId that comes earlier in
    // the table, else DISC_NO_PARENT (the item then sits at the top, as the
    // viewer's tree puts it). Every path is so its parent's path and one name.
    uint32_t parent;
    uint32_t depth;          // 0 at the top
};

struct OpenedDisc {
    uint64_t fileLength;
    LayoutTrailer trailer;
    LayoutSections sections;
    LayoutHeader header;     // descrambled, every text ended inside its field
    int recordState;         // RECORD_ABSENT, RECORD_PRESENT (else not opened)
    IntegrityRecord record;  // zero without one
    int strong;              // sealed item table and contents
    int wide;                // the wide records: UTF-8 names, 64-bit sizes, one data stream
    uint64_t dataFileLimit;  // wide: stream bytes per data file; 0 otherwise
    int checksums;           // every file's contents can be checked
    int needsPassword;
    unsigned char layoutDigest[SHA256_SIZE];  // strong: what the table is bound to
    // After the password gate:
    int unlocked;
    char contentKey[CONTENT_KEY_SIZE];  // scrambled discs: the contents' key
    DiscKeys keys;                      // strong discs
    ChunkCipher* contentCipher;         // strong discs
    ChunkCipher* secondCipher;          // the same key, for checking on a second thread
    // After ReadDiscItems:
    DiscItem* items;
    uint32_t itemCount;
    uint32_t damagedAt;      // DISC_TABLE_DAMAGED: index of the record that failed
    const char* damage;      // and a short reason ("a name is longer than 254 bytes")
    char* texts;             // the items' names, one block
};

// Zeroes a disc before its first use.
void InitOpenedDisc(OpenedDisc* disc);

// Frees what the disc holds and wipes its keys; it may be opened again.
void CloseOpenedDisc(OpenedDisc* disc);

int OpenDiscLayout(const ByteSource* viewer, OpenedDisc* disc, int* reason);

// The header of a layout read elsewhere (the viewer's tests make one): its
// record, and what it asks of a reader. 1, or 0 with a reason.
int TakeDiscHeader(const LayoutHeader* header, OpenedDisc* disc, int* reason);

// password: the typed bytes (code page 1252 on scrambled discs; UTF-8 in NFC
// on strong discs of the wide records), null when
// none was given. A disc without a password ignores it. Deriving a key takes
// a noticeable fraction of a second.
int UnlockOpenedDisc(OpenedDisc* disc, const char* password, size_t passwordLength, int* reason);

// Reads every record. On DISC_TABLE_DAMAGED and DISC_TREE_TOO_DEEP the
// records before damagedAt are kept (itemCount of them): the viewer shows
// those, the tools refuse the disc. The keys that opened a strong disc's
// table are wiped once it is open (the content cipher holds its own).
int ReadDiscItems(OpenedDisc* disc, const ByteSource* viewer, int* reason);

// All three steps.
int OpenDisc(const ByteSource* viewer, const char* password, size_t passwordLength,
             OpenedDisc* disc, int* reason);

// Opens an item table as read from the layout (size bytes, changed in place):
// descrambled, or on strong discs opened with the table key and checked
// against the layout; *plainSize gets the bytes of records it holds.
int OpenStoredItemTable(const OpenedDisc* disc, unsigned char* table, uint32_t size,
                        uint32_t* plainSize, int* reason);

// The form an item's contents are stored in; 0 when the disc is not unlocked.
// contentKey: the scrambled contents' key, null for the disc's own.
int DiscContentFormat(const OpenedDisc* disc, uint32_t itemId, uint64_t itemSize, uint32_t reserved,
                      const char* contentKey, ContentFormat* format);

// Item kinds as every reader tells them apart.
int IsFolderItem(uint32_t itemType);  // a folder, the whole disc or a disc root
int IsFileItem(uint32_t itemType);    // has contents in a data file
