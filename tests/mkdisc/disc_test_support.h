// Building discs into scratch folders and reading them back the way the
// viewer does: trailer, sections, header and item table descrambled with the
// layout key, file contents with the content key.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "item_records.h"
#include "layout_format.h"

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& relative) const { return path_ / fs::u8path(relative); }

private:
    fs::path path_;
};

void WriteFile(const fs::path& path, const std::string& bytes);
std::string ReadFile(const fs::path& path);

struct RunResult {
    int exitCode;
    std::string messages;  // what mkdisc wrote to stderr
    std::string output;    // and to stdout
};
RunResult RunMkdiscWith(const std::vector<std::string>& args);

struct DiscContents {
    std::string viewerImage;  // the bytes before the layout
    LayoutTrailer trailer;
    LayoutSections sections;
    LayoutHeader header;
    std::vector<ItemRecord> items;
    std::string eula, background, logo, font;  // descrambled sections
};

// Reads OUTPUT_DIR/discview.exe; any inconsistency fails the current test.
DiscContents ReadDisc(const fs::path& outputDir);

// The plain contents of a file item, read from its data file.
std::string ExtractFile(const fs::path& outputDir, const ItemRecord& item, const std::string& key);

// Writes the disc back to OUTPUT_DIR/discview.exe, sections scrambled; with
// tableKey the item table sealed as a strong disc carries it.
void WriteDisc(const fs::path& outputDir, const DiscContents& disc, const unsigned char* tableKey = nullptr);

// Turns a disc built without the integrity record (contents under key) into
// a verified one (CRC-32 per file; a verifier when password is not empty)
// or a strong one (sealed table and contents, password required), as the
// builder writes them.
enum class DiscKind { Verified, Strong };
void UpgradeDisc(const fs::path& outputDir, DiscKind kind, const std::string& key,
                 const std::string& password);

// The fake viewer most tests copy: any bytes will do.
inline const char FAKE_VIEWER[] = "MZ fake viewer image\x01\x02\x03";

// A scratch folder with the fake viewer, a source folder "src" to fill and
// an output folder "out".
class DiscBuildTest : public ::testing::Test {
protected:
    ScratchFolder scratch;
    fs::path source = scratch / "src";
    fs::path output = scratch / "out";
    std::string viewer = (scratch / "viewer.exe").string();

    void SetUp() override;
    // mkdisc --viewer VIEWER options... SOURCE OUTPUT
    RunResult RunBuild(std::vector<std::string> options) const;
};
