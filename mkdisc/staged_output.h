// Writes a disc under temporary names and puts it in place only at the end,
// so a failed build never leaves a disc that looks complete, and the disc that
// was there before stays untouched until the new one is whole.
#pragma once
#include <string>
#include <vector>

#include "file_io.h"

// The viewer's name in every disc folder.
const char DISC_VIEWER_NAME[] = "discview.exe";

// True for the names a build writes (the viewer, autorun.inf, data files, the
// browser reader's page) and leaves when interrupted: what a build may replace
// in its output folder.
bool IsDiscFileName(const std::string& name);
// The same for the folders it writes (the browser reader's).
bool IsDiscFolderName(const std::string& name);

class StagedOutput {
public:
    // Creates the output folder when it is missing.
    explicit StagedOutput(const fs::path& outputDir);
    // Removes every staged file that was not committed, and the folders the
    // constructor created: a failed or cancelled build leaves no trace.
    ~StagedOutput();

    StagedOutput(const StagedOutput&) = delete;
    StagedOutput& operator=(const StagedOutput&) = delete;

    // The temporary path under which finalName is written.
    fs::path Stage(const std::string& finalName);
    // A folder of the disc (the browser reader's), made empty under a
    // temporary name; at Commit it replaces the folder of that name.
    fs::path StageFolder(const std::string& finalName);

    // Gives every staged file its final name, then removes data files numbered
    // above dataFileCount and leftovers of interrupted builds. The viewer
    // (viewerName) is removed first and put in place last: a disc is only
    // complete when its viewer is there.
    void Commit(const std::string& viewerName, uint32_t dataFileCount);

private:
    void RemoveStale(uint32_t dataFileCount);

    fs::path outputDir_;
    std::vector<std::string> staged_;  // final names, in staging order
    std::vector<std::string> stagedFolders_;
    std::vector<fs::path> created_;    // folders made for the output, innermost first
    bool committed_ = false;
};
