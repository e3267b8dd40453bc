// What a build reports while it runs, and how it is stopped: the window shows
// files and bytes behind a progress bar and offers Cancel. A cancelled build
// throws BuildCancelled from the next piece it writes; the staged output then
// leaves the output folder as it was.
#pragma once
#include <cstdint>

#include "build_error.h"

struct BuildTotals {
    uint64_t files = 0;    // file items on the disc
    uint64_t folders = 0;  // folder items below the whole-disc item
    uint64_t bytes = 0;    // the contents of all files
    uint32_t dataFiles = 0;
};

class BuildProgress {
public:
    virtual ~BuildProgress() = default;
    // Once everything is read and checked, before the first byte is written.
    virtual void Planned(const BuildTotals&) {}
    // After each piece of file contents: files finished and bytes written so far.
    virtual void Advanced(uint64_t /*filesDone*/, uint64_t /*bytesDone*/) {}
    // Asked between pieces; true stops the build.
    virtual bool CancelRequested() { return false; }
};

struct BuildCancelled : BuildError {
    BuildCancelled() : BuildError("the build was cancelled; the output folder is unchanged") {}
};

// Counts what the data files take in and passes it on; throws BuildCancelled
// when the build is to stop. Works without a BuildProgress too.
class ProgressMeter {
public:
    explicit ProgressMeter(BuildProgress* progress) : progress_(progress) {}
    void CheckCancel();
    void AddBytes(uint64_t bytes);
    void FileDone();

private:
    BuildProgress* progress_;
    uint64_t files_ = 0;
    uint64_t bytes_ = 0;
};
