// A window that takes dropped files as a folder window of the shell does:
// registered with OLE as a drop target, it accepts CF_HDROP with a copy and,
// on the drop, copies every dropped file and folder into its folder with
// SHFileOperation, as the shell copies them. OLE calls it from the dragging
// process through this thread's messages: while a drag is on, the test keeps
// them flowing (PumpMessagesFor, DragWhilePumping).
#pragma once
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

class ShellDropWindow {
public:
    // A topmost window at that screen rectangle, dropping into folder.
    ShellDropWindow(const std::filesystem::path& folder, const RECT& screen);
    ~ShellDropWindow();
    ShellDropWindow(const ShellDropWindow&) = delete;
    ShellDropWindow& operator=(const ShellDropWindow&) = delete;

    HWND Window() const { return window_; }
    POINT Centre() const;
    // A drag came over the window (DragEnter).
    bool Entered() const;
    // The drops so far, and the paths the last one offered.
    int Drops() const;
    std::vector<std::wstring> DroppedPaths() const;

private:
    HWND window_ = nullptr;
    struct Target;
    Target* target_ = nullptr;
};

// Handles this thread's messages for that long.
void PumpMessagesFor(std::chrono::milliseconds time);

// Presses the left button at from, moves to to in steps and lets go there,
// handling this thread's messages after every step; then handles them for
// settle more, the time the drop takes.
void DragWhilePumping(POINT from, POINT to, int steps, std::chrono::milliseconds settle);

}  // namespace e2e
