// Every committed test vector (tests/vectors/) opens through the disc module
// and gives back its expected files byte for byte: natively, built 32-bit,
// and under Wine. A change to what mkdisc writes, or to how the opener reads
// it, shows up here against discs built before it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "byte_source.h"
#include "content_copy.h"
#include "cp1252.h"
#include "data_stream.h"
#include "disc_open.h"

namespace fs = std::filesystem;

namespace {

const fs::path kVectors = fs::u8path(ARCSEAL_VECTORS_DIR);

std::string ReadAll(FILE* file)
{
    std::string bytes;
    char buffer[65536];
    rewind(file);
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, got);
    return bytes;
}

// Names as UTF-8: the wide records' are, the design's are code page 1252.
std::string NameOf(const OpenedDisc& disc, const char* name)
{
    return disc.wide ? std::string(name) : Cp1252ToUtf8(name);
}

std::string PathOf(const OpenedDisc& disc, const DiscItem& item)
{
    std::string path = NameOf(disc, item.name);
    for (uint32_t up = item.parent; up != DISC_NO_PARENT; up = disc.items[up].parent) {
        const DiscItem& folder = disc.items[up];
        if (folder.itemType == 777 || (folder.itemType & 0x20))
            break;
        path = NameOf(disc, folder.name) + "/" + path;
    }
    return path;
}

FILE* OpenInFolder(void* context, const char* name)
{
    return fopen((*(const fs::path*)context / name).string().c_str(), "rb");
}

// Every file of the disc by its path, read and checked as the viewer reads it.
std::map<std::string, std::string> FilesOf(const fs::path& folder, const std::string* password, int* reason)
{
    std::map<std::string, std::string> files;
    FILE* viewer = fopen((folder / "discview.exe").string().c_str(), "rb");
    ByteSource source;
    OpenedDisc disc;
    InitOpenedDisc(&disc);
    if (viewer && FileSource(viewer, &source) &&
        OpenDisc(&source, password ? password->data() : nullptr, password ? password->size() : 0, &disc, reason)) {
        for (uint32_t i = 0; i < disc.itemCount; ++i) {
            const DiscItem& item = disc.items[i];
            if (!IsFileItem(item.itemType))
                continue;
            ContentFormat format;
            DataFileOpener opener = {OpenInFolder, (void*)&folder};
            DataRead data;
            FILE* out = tmpfile();
            int copied = 0;
            if (StartDataRead(&data, &opener, item.dataFileName, item.dataOffset, disc.dataFileLimit) ==
                    DATA_READ_STARTED &&
                out && DiscContentFormat(&disc, item.itemId, item.itemSize, item.reserved, nullptr, &format))
                copied = CopyFromDataFiles(&format, &data, out, nullptr, nullptr);
            EndDataRead(&data);
            files[PathOf(disc, item)] = copied == COPY_DONE ? ReadAll(out) : "(not copied)";
            if (out)
                fclose(out);
        }
    }
    CloseOpenedDisc(&disc);
    if (viewer)
        fclose(viewer);
    return files;
}

std::map<std::string, std::string> ExpectedFiles(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[fs::relative(entry.path(), folder).generic_u8string()] = bytes.str();
    }
    return files;
}

TEST(DiscVectors, EveryVectorOpensAndGivesBackItsFiles)
{
    UnscrambleKeyFields();
    std::ifstream list(kVectors / "vectors.txt");
    ASSERT_TRUE(list.good()) << kVectors;
    std::string line;
    int vectors = 0;
    while (std::getline(list, line)) {
        std::string name = line.substr(0, line.find(' '));
        std::string password = line.substr(line.find(' ') + 1);
        bool hasPassword = password != "-";
        SCOPED_TRACE(name);
        ++vectors;
        int reason = DISC_OK;
        auto files = FilesOf(kVectors / name / "disc", hasPassword ? &password : nullptr, &reason);
        EXPECT_EQ(DISC_OK, reason) << DiscReasonText(reason);
        EXPECT_EQ(ExpectedFiles(kVectors / name / "expected"), files);
        if (hasPassword) {
            std::string wrong = password + "!";
            EXPECT_TRUE(FilesOf(kVectors / name / "disc", &wrong, &reason).empty());
            EXPECT_EQ(DISC_WRONG_PASSWORD, reason);
        }
    }
    EXPECT_EQ(6, vectors);
}

}  // namespace
