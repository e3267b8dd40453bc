// The browser reader's files, carried inside mkdisc (see embed_files.py): the
// page "Open in browser.html" and the scripts in browser-reader/ beside it.
#pragma once
#include <cstddef>

struct EmbeddedFile {
    const char* discPath;  // relative to the disc folder, "/" between names
    const unsigned char* bytes;
    size_t size;
};

extern const EmbeddedFile BROWSER_READER_FILES[];
extern const size_t BROWSER_READER_FILE_COUNT;
