#include "data_stream.h"

#include <cstring>

#include "byte_source.h"

void DataFileName(uint64_t number, char name[DATA_FILE_NAME_SIZE])
{
    snprintf(name, DATA_FILE_NAME_SIZE, "disc%04llu.dat", (unsigned long long)number);
}

void DataFilePlace(uint64_t streamOffset, uint64_t dataFileLimit, char name[DATA_FILE_NAME_SIZE],
                   uint64_t* fileOffset)
{
    DataFileName(streamOffset / dataFileLimit + 1, name);
    *fileOffset = streamOffset % dataFileLimit;
}

static int OpenAt(DataRead* read, const char* name, uint64_t offset)
{
    snprintf(read->name, sizeof read->name, "%s", name);
    read->file = read->opener.open(read->opener.context, name);
    if (!read->file)
        return DATA_FILE_MISSING;
    if (SeekStream(read->file, offset))
        return DATA_READ_STARTED;
    EndDataRead(read);  // the copy then finds nothing to read: the file ends early
    return DATA_FILE_TOO_SHORT;
}

int StartDataRead(DataRead* read, const DataFileOpener* opener, const char* dataFileName,
                  uint64_t dataOffset, uint64_t dataFileLimit)
{
    memset(read, 0, sizeof *read);
    read->opener = *opener;
    read->dataFileLimit = dataFileLimit;
    if (!dataFileLimit) {
        read->leftInFile = UINT64_MAX;
        return OpenAt(read, dataFileName, dataOffset);
    }
    char name[DATA_FILE_NAME_SIZE];
    uint64_t fileOffset;
    DataFilePlace(dataOffset, dataFileLimit, name, &fileOffset);
    read->number = dataOffset / dataFileLimit + 1;
    read->leftInFile = dataFileLimit - fileOffset;
    return OpenAt(read, name, fileOffset);
}

int ReadData(DataRead* read, unsigned char* buffer, uint32_t length)
{
    while (length > 0) {
        if (read->leftInFile == 0) {
            // The stream goes on at the start of the next data file.
            if (read->file)
                fclose(read->file);
            char name[DATA_FILE_NAME_SIZE];
            DataFileName(++read->number, name);
            read->leftInFile = read->dataFileLimit;
            if (OpenAt(read, name, 0) != DATA_READ_STARTED)
                return 0;
        }
        if (!read->file)
            return 0;
        uint32_t part = read->leftInFile < length ? (uint32_t)read->leftInFile : length;
        if (fread(buffer, 1, part, read->file) != part)
            return 0;
        buffer += part;
        length -= part;
        read->leftInFile -= part;
    }
    return 1;
}

void EndDataRead(DataRead* read)
{
    if (read->file)
        fclose(read->file);
    read->file = nullptr;
}

struct ReadPieces {
    DataRead* read;
    unsigned char* buffer;
};

static unsigned char* NextFromData(void* context, uint32_t length)
{
    ReadPieces* pieces = (ReadPieces*)context;
    return ReadData(pieces->read, pieces->buffer, length) ? pieces->buffer : nullptr;
}

// Whole contents (chunkCount 0) or sealed chunks from firstChunk.
static int CopyPartFromDataFiles(const ContentFormat* format, DataRead* read, FILE* destination,
                                 CopyProgress progress, void* context, uint64_t firstChunk, uint64_t chunkCount)
{
    if (!read->file) {
        EndDataRead(read);
        return COPY_NO_DATA_FILE;
    }
    ReadPieces stream = {read, AllocateAligned(ContentPieceSize(format))};
    int result = COPY_NO_MEMORY;
    if (stream.buffer) {
        ContentPieces pieces = {NextFromData, &stream};
        result = chunkCount ? CopySealedChunks(format, destination, &pieces, firstChunk, chunkCount)
                            : CopyContentsFrom(format, destination, &pieces, progress, context);
        FreeAligned(stream.buffer);
    }
    EndDataRead(read);
    return result;
}

int CopyFromDataFiles(const ContentFormat* format, DataRead* read, FILE* destination,
                      CopyProgress progress, void* context)
{
    return CopyPartFromDataFiles(format, read, destination, progress, context, 0, 0);
}

int CopyChunksFromDataFiles(const ContentFormat* format, DataRead* read, FILE* destination, uint64_t firstChunk,
                            uint64_t chunkCount)
{
    if (chunkCount == 0) {
        EndDataRead(read);
        return COPY_DONE;
    }
    return CopyPartFromDataFiles(format, read, destination, nullptr, nullptr, firstChunk, chunkCount);
}
