// Building discs into scratch folders and reading them back the way the
// viewer does: trailer, sections, header and item table descrambled with the
// layout key, file contents with the content key.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "disc_keys.h"
#include "password_input.h"
#include "item_records.h"
#include "layout_format.h"
#include "test_files.h"

struct RunResult {
    int exitCode;
    std::string messages;  // what mkdisc wrote to stderr
    std::string output;    // and to stdout
};
RunResult RunMkdiscWith(const std::vector<std::string>& args, PasswordAsker ask = nullptr);

struct DiscContents {
    std::string viewerImage;  // the bytes before the layout
    LayoutTrailer trailer;
    LayoutSections sections;
    LayoutHeader header;
    std::vector<ItemRecord> items;             // none when the table is sealed
    std::string eula, background, logo, font;  // descrambled sections
    int recordState = RECORD_ABSENT;
    IntegrityRecord record{};
    std::string sealedTable;  // strong discs: section 1 as stored
    fs::path viewerFile;
};

// Reads OUTPUT_DIR/discview.exe; any inconsistency fails the current test.
DiscContents ReadDisc(const fs::path& outputDir);

// The plain contents of a file item, read from its data file.
std::string ExtractFile(const fs::path& outputDir, const ItemRecord& item, const std::string& key);

// Writes a disc without sealed table back to OUTPUT_DIR/discview.exe, every
// section scrambled: for tests that change its items or header.
void WriteDisc(const fs::path& outputDir, const DiscContents& disc);


// The items of a disc as the disc module's opener reads them (password null
// for a disc without one); fails the current test when it does not open.
std::vector<ItemRecord> OpenedItems(const fs::path& viewerFile, const std::string* password);

// A strong disc's keys and items, opened with the password; fails the
// current test when the password or the table does not open.
std::vector<ItemRecord> OpenSealedItems(const DiscContents& disc, const std::string& password,
                                        DiscKeys* keys);
// The plain contents of a strong disc's file item, every chunk's tag checked.
std::string ExtractSealedFile(const fs::path& outputDir, const ItemRecord& item, const DiscKeys& keys);

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
