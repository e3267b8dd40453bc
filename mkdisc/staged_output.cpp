#include "staged_output.h"

#include <system_error>

#include "autorun_file.h"
#include "browser_reader.h"
#include "build_error.h"
#include "data_plan.h"
#include "folder_listing.h"

namespace {

const char PART_SUFFIX[] = ".mkdisc-part";

std::string LowerAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    }
    return text;
}

void RemoveFile(const fs::path& path)
{
    std::error_code error;
    fs::remove(path, error);
    if (error)
        throw BuildError("cannot remove " + ShowPath(path) + ": " + error.message());
}

void MoveIntoPlace(const fs::path& from, const fs::path& to)
{
    // Removing first: renaming onto an existing file is not replacing on every system.
    RemoveFile(to);
    std::error_code error;
    fs::rename(from, to, error);
    if (error)
        throw BuildError("cannot rename " + ShowPath(from) + " to " + ShowPath(to) + ": " +
                         error.message());
}

}  // namespace

bool IsDiscFileName(const std::string& name)
{
    std::string lower = LowerAscii(name);
    const size_t suffix = sizeof PART_SUFFIX - 1;
    if (lower.size() > suffix && lower.compare(lower.size() - suffix, std::string::npos, PART_SUFFIX) == 0)
        lower.erase(lower.size() - suffix);
    return lower == DISC_VIEWER_NAME || lower == AUTORUN_NAME || DataFileNumber(lower) > 0 ||
           lower == LowerAscii(BROWSER_READER_PAGE);
}

bool IsDiscFolderName(const std::string& name)
{
    std::string lower = LowerAscii(name);
    const size_t suffix = sizeof PART_SUFFIX - 1;
    if (lower.size() > suffix && lower.compare(lower.size() - suffix, std::string::npos, PART_SUFFIX) == 0)
        lower.erase(lower.size() - suffix);
    return lower == BROWSER_READER_FOLDER;
}

static void RemoveFolder(const fs::path& path)
{
    std::error_code error;
    fs::remove_all(path, error);
    if (error)
        throw BuildError("cannot remove " + ShowPath(path) + ": " + error.message());
}

StagedOutput::StagedOutput(const fs::path& outputDir) : outputDir_(outputDir)
{
    std::error_code error;
    fs::path folder = fs::absolute(outputDir_, error).lexically_normal();
    if (folder.filename().empty())  // "out/" names the folder "out"
        folder = folder.parent_path();
    for (; !error && !folder.empty(); folder = folder.parent_path()) {
        if (fs::exists(folder, error) || folder == folder.parent_path())
            break;
        created_.push_back(folder);
    }
    fs::create_directories(outputDir_, error);
    if (error)
        throw BuildError("cannot create output folder " + ShowPath(outputDir_) + ": " +
                         error.message());
}

StagedOutput::~StagedOutput()
{
    if (committed_)
        return;
    for (const std::string& name : staged_) {
        std::error_code ignored;  // nothing more can be done about a leftover here
        fs::remove(outputDir_ / fs::u8path(name + PART_SUFFIX), ignored);
    }
    for (const std::string& name : stagedFolders_) {
        std::error_code ignored;
        fs::remove_all(outputDir_ / fs::u8path(name + PART_SUFFIX), ignored);
    }
    // fs::remove leaves a folder that is not empty: nothing else is lost.
    for (const fs::path& folder : created_) {
        std::error_code ignored;
        fs::remove(folder, ignored);
    }
}

fs::path StagedOutput::Stage(const std::string& finalName)
{
    staged_.push_back(finalName);
    return outputDir_ / fs::u8path(finalName + PART_SUFFIX);
}

fs::path StagedOutput::StageFolder(const std::string& finalName)
{
    stagedFolders_.push_back(finalName);
    fs::path folder = outputDir_ / fs::u8path(finalName + PART_SUFFIX);
    RemoveFolder(folder);  // left by an interrupted build
    std::error_code error;
    fs::create_directory(folder, error);
    if (error)
        throw BuildError("cannot create " + ShowPath(folder) + ": " + error.message());
    return folder;
}

void StagedOutput::Commit(const std::string& viewerName, uint32_t dataFileCount)
{
    fs::path viewer = outputDir_ / fs::u8path(viewerName);
    RemoveFile(viewer);
    for (const std::string& name : staged_) {
        if (name != viewerName)
            MoveIntoPlace(outputDir_ / fs::u8path(name + PART_SUFFIX), outputDir_ / fs::u8path(name));
    }
    for (const std::string& name : stagedFolders_) {
        fs::path folder = outputDir_ / fs::u8path(name);
        RemoveFolder(folder);
        std::error_code error;
        fs::rename(outputDir_ / fs::u8path(name + PART_SUFFIX), folder, error);
        if (error)
            throw BuildError("cannot rename " + ShowPath(folder) + PART_SUFFIX + ": " + error.message());
    }
    RemoveStale(dataFileCount);
    MoveIntoPlace(outputDir_ / fs::u8path(viewerName + PART_SUFFIX), viewer);
    committed_ = true;
}

void StagedOutput::RemoveStale(uint32_t dataFileCount)
{
    std::vector<fs::path> stale;
    std::error_code error;
    for (const FolderEntry& entry : ListFolder(outputDir_, error)) {
        std::string name;
        if (!PathToUtf8(entry.path.filename(), name))
            continue;
        name = LowerAscii(name);
        bool part = name.size() > sizeof PART_SUFFIX - 1 &&
                    name.compare(name.size() - (sizeof PART_SUFFIX - 1), std::string::npos,
                                 PART_SUFFIX) == 0;
        if (part)
            name.erase(name.size() - (sizeof PART_SUFFIX - 1));
        uint32_t number = DataFileNumber(name);
        // Data file parts left by an interrupted build; ours are renamed by now and
        // the viewer's own part was written over by this build.
        if (number > dataFileCount || (part && number > 0))
            stale.push_back(entry.path);
        // An earlier disc's browser reader that this one goes without.
        bool readerStaged = !stagedFolders_.empty();
        if (!readerStaged && (name == LowerAscii(BROWSER_READER_PAGE) || IsDiscFolderName(name)))
            stale.push_back(entry.path);
    }
    if (error)
        throw BuildError("cannot read output folder " + ShowPath(outputDir_) + ": " + error.message());
    for (const fs::path& path : stale)
        RemoveFolder(path);  // a file, or the reader's folder
}
