#include "byte_source.h"

#include <cstring>

static int ReadMemory(void* context, uint64_t offset, void* buffer, size_t length)
{
    const MemoryBytes* memory = (const MemoryBytes*)context;
    if (offset > memory->length || memory->length - offset < length)
        return 0;
    if (length > 0)
        memcpy(buffer, memory->bytes + offset, length);
    return 1;
}

void MemorySource(MemoryBytes* memory, ByteSource* source)
{
    source->read = ReadMemory;
    source->context = memory;
    source->length = memory->length;
}

int SeekStream(FILE* file, uint64_t offset)
{
#ifdef _WIN32
    return _fseeki64(file, (__int64)offset, SEEK_SET) == 0;
#else
    return offset <= (uint64_t)INT64_MAX && fseeko(file, (off_t)offset, SEEK_SET) == 0;
#endif
}

static int ReadFile(void* context, uint64_t offset, void* buffer, size_t length)
{
    FILE* file = (FILE*)context;
    return SeekStream(file, offset) && fread(buffer, 1, length, file) == length;
}

int FileSource(FILE* file, ByteSource* source)
{
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return 0;
    __int64 length = _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0)
        return 0;
    off_t length = ftello(file);
#endif
    if (length < 0)
        return 0;
    source->read = ReadFile;
    source->context = file;
    source->length = (uint64_t)length;
    return 1;
}
