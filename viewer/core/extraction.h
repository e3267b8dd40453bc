// Turning one file item into a plain file on disk, and the path routines that
// View/Open and export share.
#pragma once
#include "content_copy.h"

struct ArcsealItem;

// Makes the drive with that letter the current drive.
void ChangeDrive(char letter);

// Creates every missing directory along the path. 1 when they all exist
// afterwards; 0 after showing the path that could not be made.
int MakeDirectoryPath(const char* path);

// What ExtractItemFile found.
enum ExtractResult {
    EXTRACT_DONE = 1,
    EXTRACT_NO_DATA_FILE = 0,     // the data file cannot be opened (not reported)
    EXTRACT_NO_DESTINATION = -1,  // the destination cannot be created (not reported)
    EXTRACT_INCOMPLETE = -2,      // reported; the cut-off copy has been deleted
    EXTRACT_REFUSED = -3,         // reported: the destination is one of the disc's own files
    EXTRACT_DAMAGED = -4,         // reported: the disc's copy fails its checksum or tag; nothing written
};

// The extraction sequence: the viewer's folder made current (data files are
// named relative to it), the data file opened at the item's offset, the
// contents copied in the disc's content format (descrambled, and checked
// against the file's CRC-32 or the chunks' tags where the disc has them)
// into a new file beside the destination, which then replaces the
// destination. A data file that ends too early, a damaged copy or a write
// that fails (a full disk) never leaves a file behind and never touches an
// earlier file of the destination's name; a message says so. The viewer's
// own file and the data files are never written.
int ExtractItemFile(const ArcsealItem* item, const char* destination);

// What CheckItemFile found; nothing of it is reported.
enum CheckResult {
    CHECK_INTACT = 1,
    CHECK_NO_MEMORY = 0,
    CHECK_DAMAGED = -1,     // a checksum or a tag does not match
    CHECK_UNREADABLE = -2,  // no data file, or it ends before the contents do
    CHECK_ABORTED = -3,     // progress returned 0
};

// Reads and checks one file's contents as ExtractItemFile would, writing
// nothing; progress is called after every piece.
int CheckItemFile(const ArcsealItem* item, CopyProgress progress, void* context);
