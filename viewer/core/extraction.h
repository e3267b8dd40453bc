// Turning one file item into a plain file on disk, and the path routines that
// View/Open and export share.
#pragma once

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
    EXTRACT_INCOMPLETE = -2,      // reported; the cut-off destination has been deleted
};

// The extraction sequence: the viewer's folder made current (data files are
// named relative to it), the data file opened at the item's offset, the
// destination created, the contents descrambled into it with the content
// key. A data file that ends too early or a write that fails (a full disk)
// never leaves a short file behind: it is deleted and a message says so.
int ExtractItemFile(const ArcsealItem* item, const char* destination);
