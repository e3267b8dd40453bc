#include "remote_buffer.h"

#include <stdexcept>
#include <string>

namespace e2e {

constexpr UINT kReadTimeoutMs = 2000;

RemoteBuffer::RemoteBuffer(HWND window, size_t size) : size_(size)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process_)
        throw std::runtime_error("cannot open process " + std::to_string(processId) + " of a control");
    base_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!base_) {
        CloseHandle(process_);
        throw std::runtime_error("cannot allocate memory in process " + std::to_string(processId));
    }
}

RemoteBuffer::~RemoteBuffer()
{
    VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    CloseHandle(process_);
}

bool RemoteBuffer::Write(size_t offset, const void* data, size_t size)
{
    SIZE_T written = 0;
    return offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, &written) &&
           written == size;
}

bool RemoteBuffer::Read(size_t offset, void* data, size_t size) const
{
    SIZE_T read = 0;
    return offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, &read) &&
           read == size;
}

std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReadTimeoutMs, &result))
        return std::nullopt;
    return (LRESULT)result;
}

}  // namespace e2e
