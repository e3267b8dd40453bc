// Reading a file's stored contents from the disc's data files. The design's
// discs keep each file's contents in one named data file; discs of the wide
// records keep one stream cut into disc0001.dat, disc0002.dat, ... of
// dataFileLimit bytes each, and one file's contents may run across several.
// No windows.h: the caller opens the files (the viewer by name in its
// folder, mkdisc through its paths).
#pragma once
#include <cstdint>
#include <cstdio>

#include "content_copy.h"

const size_t DATA_FILE_NAME_SIZE = 24;  // "disc4294967295.dat" and its NUL

// "disc0001.dat" for number 1: four digits at least, more past 9999.
void DataFileName(uint64_t number, char name[DATA_FILE_NAME_SIZE]);

// Where the stream offset lies: the data file (its name) and the offset in it.
void DataFilePlace(uint64_t streamOffset, uint64_t dataFileLimit, char name[DATA_FILE_NAME_SIZE],
                   uint64_t* fileOffset);

struct DataFileOpener {
    FILE* (*open)(void* context, const char* name);  // "rb"; null when it cannot be opened
    void* context;
};

// A reader of stored bytes that goes on into the next data file at each
// limit. dataFileLimit 0: the design's form, one data file.
struct DataRead {
    DataFileOpener opener;
    FILE* file;
    uint64_t number;        // of the open data file (wide form)
    uint64_t leftInFile;    // bytes before the limit (wide form)
    uint64_t dataFileLimit;
    char name[DATA_FILE_NAME_SIZE + 256];  // the data file read from, or that could not be opened
};

enum DataReadResult {
    DATA_READ_STARTED = 1,
    DATA_FILE_MISSING = 0,    // the (first) data file cannot be opened
    DATA_FILE_TOO_SHORT = -1, // it does not reach the offset
};

// Opens the data file the contents start in, at their first byte (a file
// too short to reach it is not kept open). For the
// design's form dataFileName and dataOffset are the record's; for the wide
// form dataOffset is the stream offset (dataFileName is not used).
int StartDataRead(DataRead* read, const DataFileOpener* opener, const char* dataFileName,
                  uint64_t dataOffset, uint64_t dataFileLimit);
// 1 when all length bytes came (from as many data files as they lie in);
// read->name then or on failure names the file read last.
int ReadData(DataRead* read, unsigned char* buffer, uint32_t length);
void EndDataRead(DataRead* read);

// CopyContents from the data files; COPY_NO_DATA_FILE when the first one is
// missing, COPY_SOURCE_ENDED when the stream ends early (read->name says
// where), else as CopyContents. The read is ended on return.
int CopyFromDataFiles(const ContentFormat* format, DataRead* read, FILE* destination,
                      CopyProgress progress, void* context);

// CopySealedChunks from the data files, read from the first chunk's stored
// bytes on; the read is ended on return.
int CopyChunksFromDataFiles(const ContentFormat* format, DataRead* read, FILE* destination, uint64_t firstChunk,
                            uint64_t chunkCount);
