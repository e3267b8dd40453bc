#include "read_ahead.h"

#include <system_error>

#include "scramble.h"

ReadAhead::ReadAhead(DataRead* source, uint64_t length, uint32_t pieceSize, unsigned char xorValue)
    : source_(source), length_(length), pieceSize_(pieceSize), xorValue_(xorValue)
{
    for (Slot& slot : slots_) {
        slot.bytes = AllocateAligned(pieceSize);
        if (!slot.bytes)
            return;
    }
    try {
        reader_ = std::thread(&ReadAhead::Read, this);
        started_ = true;
    } catch (const std::system_error&) {
        // No second thread: the caller reads the stream itself.
    }
}

ReadAhead::~ReadAhead()
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (reader_.joinable())
        reader_.join();
    for (Slot& slot : slots_)
        FreeAligned(slot.bytes);
}

void ReadAhead::Read()
{
    uint64_t left = length_;
    for (int at = 0; left > 0; at = (at + 1) % SLOTS) {
        Slot& slot = slots_[at];
        {
            std::unique_lock<std::mutex> hold(lock_);
            changed_.wait(hold, [&] { return stopping_ || !slot.full; });
            if (stopping_)
                return;
        }
        uint32_t piece = left < pieceSize_ ? (uint32_t)left : pieceSize_;
        uint32_t got = ReadData(source_, slot.bytes, piece) ? piece : 0;
        XorWithValue(slot.bytes, got, xorValue_);
        {
            std::lock_guard<std::mutex> hold(lock_);
            slot.length = got;
            slot.full = true;
        }
        changed_.notify_all();
        if (got != piece)
            return;  // the copy sees the short piece and stops there
        left -= piece;
    }
}

unsigned char* ReadAhead::Next(void* context, uint32_t length)
{
    ReadAhead* self = (ReadAhead*)context;
    std::unique_lock<std::mutex> hold(self->lock_);
    if (self->handedOut_) {
        // The copy is done with the piece it had: the reader may refill it.
        self->slots_[(self->consumerAt_ + SLOTS - 1) % SLOTS].full = false;
        self->handedOut_ = false;
        self->changed_.notify_all();
    }
    Slot& slot = self->slots_[self->consumerAt_];
    self->changed_.wait(hold, [&] { return slot.full; });
    if (slot.length != length)
        return nullptr;
    self->consumerAt_ = (self->consumerAt_ + 1) % SLOTS;
    self->handedOut_ = true;
    return slot.bytes;
}
