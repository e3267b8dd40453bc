// A program started by a test, as a person would start it: its own folder as
// the working directory, no command line. Killed when the object goes, so a
// failing test never leaves a window behind for the next one.
#pragma once
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace e2e {

class Process {
public:
    // Starts exe with the given arguments (already quoted as needed) in workDir.
    // With outputFile set, stdout and stderr go there and no console shows.
    // Throws std::runtime_error when the program cannot be started.
    Process(const std::filesystem::path& exe, const std::wstring& arguments,
            const std::filesystem::path& workDir,
            const std::optional<std::filesystem::path>& outputFile = std::nullopt);
    // A program already running, started by another one (a program that
    // hands its work to a copy of itself); null handle when it has ended.
    explicit Process(DWORD processId);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return id_; }
    bool Running() const;
    // True once the process has ended, false when the time-out passed first.
    bool WaitForExit(std::chrono::milliseconds timeout) const;
    // The exit code once ended, nothing while it runs.
    std::optional<DWORD> ExitCode() const;
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace e2e
