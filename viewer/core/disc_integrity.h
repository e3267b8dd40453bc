// The running disc as the opener left it (header, integrity record, keys),
// kept from the load until the process ends, and the viewer's questions to
// it. No windows.h: the password and content decisions are tested natively.
#pragma once
#include <cstdint>

#include "content_copy.h"
#include "disc_open.h"

struct ArcsealItem;

extern OpenedDisc viewerDisc;
extern DiscKeys& discKeys;  // set when the password gate admitted the reader
extern int discKeysReady;   // the keys of a disc with a verifier are there

// Takes the descrambled header of a layout read elsewhere into viewerDisc
// and forgets any earlier keys; returns the record's state.
int TakeIntegrityRecord(const LayoutHeader* header);

// 1 for a disc whose contents and item table are AES-256-GCM sealed.
int IsStrongDisc();

// The password gate. Without a record (or one without a verifier): the
// one-byte check of the check block alone. Verified discs: that check and the
// verifier. Strong discs: the verifier alone (their check block is zero). On
// success contentKey (CONTENT_KEY_SIZE bytes) holds the password with its
// salt, except on strong discs where it is left as it is, and the keys are
// kept; returns 1. 0 for a wrong password, -1 when the key derivation could
// not get its memory. Deriving the keys takes a noticeable fraction of a
// second.
int CheckDiscPassword(const char* checkBlock, const char* typed, char* contentKey);

// The number of records in the item table and the bytes they fill once the
// table is readable: the record's values on strong discs, the trailer's else.
uint32_t ItemTableCount(const LayoutTrailer* trailer);
uint32_t ItemTablePlainSize(const LayoutTrailer* trailer);

// Opens a strong disc's item table as read raw from the layout (size bytes);
// 1 when its size is the one the record gives and the tag matches, the first
// plainTableSize bytes then being plain. 0 without the keys.
int OpenStrongItemTable(unsigned char* table, uint32_t size);

// The format an item's contents are stored in, contentKey being the header's
// (after the password gate). 0 when the disc's keys are missing.
int ItemContentFormat(const ArcsealItem* item, const char* contentKey, ContentFormat* format);

// Forgets the keys and everything the opener holds: tests, and the process end.
void ForgetDiscKeys();
