// Reading a file's stored contents on a second thread while the copy checks
// and writes the pieces already read: checking costs about as much as
// reading, so the two together take little more than the reading alone.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <thread>

#include "content_copy.h"
#include "data_stream.h"

class ReadAhead {
public:
    // Reads length bytes from where source is in pieces of
    // pieceSize (the last one shorter), as CopyContentsFrom asks for them.
    // A xorValue is applied to each piece on the reading thread too, which
    // leaves the checksum alone on the copying one.
    ReadAhead(DataRead* source, uint64_t length, uint32_t pieceSize, unsigned char xorValue = 0);
    // Stops the reading (also halfway) and waits for it.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // False when the buffers could not be had; then nothing is read.
    bool Started() const { return started_; }
    ContentPieces Pieces() { return {Next, this}; }

private:
    static const int SLOTS = 4;
    struct Slot {
        unsigned char* bytes = nullptr;
        uint32_t length = 0;  // bytes read into it
        bool full = false;
    };

    static unsigned char* Next(void* context, uint32_t length);
    void Read();

    DataRead* source_;
    uint64_t length_;
    uint32_t pieceSize_;
    unsigned char xorValue_;
    Slot slots_[SLOTS];
    int consumerAt_ = 0;   // the slot the copy takes next
    bool handedOut_ = false;  // the copy holds the slot before consumerAt_
    bool stopping_ = false;
    bool started_ = false;
    std::mutex lock_;
    std::condition_variable changed_;
    std::thread reader_;
};
