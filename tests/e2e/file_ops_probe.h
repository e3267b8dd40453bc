// The stand-in program for Open With and for a registered file type: copies
// of open_with_probe.exe in folders of the test's own, the command lines they
// recorded, and a file type registered for the time of a test.
#pragma once
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

// Copies the probe into folder (made if needed) and returns the copy's path.
std::filesystem::path PlaceProbe(const std::filesystem::path& folder);

// The command lines that probes started from folder recorded, in no order.
std::vector<std::string> ProbeCommandLines(const std::filesystem::path& folder);
// Waits until probes in folder have recorded count command lines; returns them.
std::vector<std::string> WaitForProbeCommandLines(const std::filesystem::path& folder, size_t count,
                                                  std::chrono::milliseconds timeout);

// What a command line holds after the program's own name (quoted or not) and
// the blanks behind it: the parameter string as the program received it.
std::string ParametersOf(const std::string& commandLine);

// A file type (extension) whose "open" runs program with the file's path;
// gone again when the object goes.
class RegisteredFileType {
public:
    RegisteredFileType(const std::string& extension, const std::filesystem::path& program);
    ~RegisteredFileType();
    RegisteredFileType(const RegisteredFileType&) = delete;
    RegisteredFileType& operator=(const RegisteredFileType&) = delete;
    bool Ok() const { return ok_; }

private:
    std::string extension_;
    bool ok_ = false;
};

}  // namespace e2e
