// A block of memory inside another process, for control messages whose
// arguments are pointers (tree, list and status bar reads): the control reads
// and writes its own address space, so the structures have to live there.
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>

namespace e2e {

class RemoteBuffer {
public:
    // Allocates size bytes in the process that owns window.
    // Throws std::runtime_error when the process cannot be opened or written.
    RemoteBuffer(HWND window, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    // The address of a byte of the block, as the other process sees it.
    void* At(size_t offset = 0) const { return static_cast<char*>(base_) + offset; }
    bool Write(size_t offset, const void* data, size_t size);
    bool Read(size_t offset, void* data, size_t size) const;

    template <typename T>
    bool Put(size_t offset, const T& value) { return Write(offset, &value, sizeof value); }
    template <typename T>
    std::optional<T> Get(size_t offset) const
    {
        T value{};
        if (!Read(offset, &value, sizeof value))
            return std::nullopt;
        return value;
    }

private:
    HANDLE process_ = nullptr;
    void* base_ = nullptr;
    size_t size_ = 0;
};

// SendMessageTimeout with a short time-out: the result, or nothing when the
// target did not answer.
std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace e2e
