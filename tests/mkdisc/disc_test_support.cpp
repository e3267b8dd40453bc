#include "disc_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "content_copy.h"
#include "disc_keys.h"
#include "integrity_record.h"
#include "key_fields.h"
#include "run_mkdisc.h"
#include "scramble.h"

ScratchFolder::ScratchFolder()
{
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    path_ = fs::temp_directory_path() /
            ("mkdisc-test-" + std::to_string(device()) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void WriteFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), (std::streamsize)bytes.size());
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

RunResult RunMkdiscWith(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    int exitCode = RunMkdisc(args, out, err);
    return {exitCode, err.str(), out.str()};
}

static std::string Descrambled(const std::string& file, uint64_t offset, uint32_t size)
{
    EXPECT_LE(offset + size, file.size());
    if (offset + size > file.size())
        return std::string();
    std::string bytes = file.substr((size_t)offset, size);
    XorScramble(layoutKey, (unsigned char*)&bytes[0], (int32_t)bytes.size());
    return bytes;
}

DiscContents ReadDisc(const fs::path& outputDir)
{
    UnscrambleKeyFields();
    DiscContents disc;
    std::string file = ReadFile(outputDir / "discview.exe");
    EXPECT_GE(file.size(), LAYOUT_TRAILER_SIZE + LAYOUT_HEADER_SIZE);
    if (file.size() < LAYOUT_TRAILER_SIZE + LAYOUT_HEADER_SIZE)
        return disc;
    memcpy(&disc.trailer, file.data() + file.size() - LAYOUT_TRAILER_SIZE, LAYOUT_TRAILER_SIZE);
    EXPECT_EQ(1, LayoutFitsFile(&disc.trailer, file.size()));
    ComputeLayoutSections(&disc.trailer, &disc.sections);
    // The sections follow each other without gaps up to the trailer.
    EXPECT_EQ(disc.sections.end, file.size() - LAYOUT_TRAILER_SIZE);
    EXPECT_EQ(LAYOUT_HEADER_SIZE, disc.trailer.headerSize);
    EXPECT_EQ(0u, disc.trailer.reserved);

    disc.viewerImage = file.substr(0, disc.trailer.layoutStart);
    std::string table = Descrambled(file, disc.sections.itemTable, disc.trailer.itemTableSize);
    disc.eula = Descrambled(file, disc.sections.eula, disc.trailer.eulaSize);
    std::string header = Descrambled(file, disc.sections.header, LAYOUT_HEADER_SIZE);
    memcpy(&disc.header, header.data(), std::min(header.size(), sizeof disc.header));
    disc.background = Descrambled(file, disc.sections.backImage, disc.trailer.backImageSize);
    disc.logo = Descrambled(file, disc.sections.logoImage, disc.trailer.logoImageSize);
    disc.font = Descrambled(file, disc.sections.font, disc.trailer.fontSize);

    uint32_t position = 0;
    for (uint32_t i = 0; i < disc.trailer.itemCount; ++i) {
        ItemRecord record;
        const char* failure = nullptr;
        if (!ReadItemRecord((const unsigned char*)table.data(), (uint32_t)table.size(), &position,
                            &record, &failure)) {
            ADD_FAILURE() << "record " << i << ": " << failure;
            break;
        }
        disc.items.push_back(record);
    }
    EXPECT_EQ(position, table.size()) << "itemCount must cover the whole item table";
    return disc;
}

std::string ExtractFile(const fs::path& outputDir, const ItemRecord& item, const std::string& key)
{
    std::string data = ReadFile(outputDir / item.dataFileName);
    EXPECT_LE((uint64_t)item.dataOffset + item.itemSize, data.size()) << item.itemName;
    if ((uint64_t)item.dataOffset + item.itemSize > data.size())
        return std::string();
    std::string bytes = data.substr(item.dataOffset, item.itemSize);
    XorScramble(key.c_str(), (unsigned char*)&bytes[0], (int32_t)bytes.size());
    return bytes;
}

void DiscBuildTest::SetUp()
{
    WriteFile(viewer, FAKE_VIEWER);
}

RunResult DiscBuildTest::RunBuild(std::vector<std::string> options) const
{
    options.insert(options.begin(), {"--viewer", viewer});
    options.push_back(source.string());
    options.push_back(output.string());
    return RunMkdiscWith(options);
}

static std::string Scrambled(std::string bytes)
{
    XorWithValue((unsigned char*)&bytes[0], bytes.size(), CombinedKeyValue(layoutKey));
    return bytes;
}

void WriteDisc(const fs::path& outputDir, const DiscContents& disc, const unsigned char* tableKey)
{
    std::string table;
    for (const ItemRecord& item : disc.items) {
        std::string record(ItemRecordSize(&item), '\0');
        WriteItemRecord(&item, (unsigned char*)&record[0]);
        table += record;
    }
    LayoutTrailer trailer = disc.trailer;
    trailer.itemCount = (uint32_t)disc.items.size();
    trailer.itemTableSize = (uint32_t)table.size();
    if (tableKey) {
        uint32_t plain = (uint32_t)table.size();
        table.resize(plain + CHUNK_TAG_SIZE);
        ASSERT_EQ(1, SealItemTable(tableKey, (unsigned char*)&table[0], plain));
        trailer.itemCount = 0;
        trailer.itemTableSize = (uint32_t)table.size();
    } else {
        table = Scrambled(table);
    }
    std::string header((const char*)&disc.header, sizeof disc.header);
    std::string file = disc.viewerImage + table + Scrambled(disc.eula) + Scrambled(header) +
                       Scrambled(disc.background) + Scrambled(disc.logo) + Scrambled(disc.font) +
                       std::string((const char*)&trailer, sizeof trailer);
    WriteFile(outputDir / "discview.exe", file);
}

void UpgradeDisc(const fs::path& outputDir, DiscKind kind, const std::string& key,
                 const std::string& password)
{
    ASSERT_EQ(1, StartCrypto());
    DiscContents disc = ReadDisc(outputDir);
    IntegrityRecord record;
    memset(&record, 0, sizeof record);
    DiscKeys keys;
    bool strong = kind == DiscKind::Strong;
    if (strong || !password.empty())
        ASSERT_EQ(1, MakePasswordVerifier(&record, password.data(), password.size(), strong, &keys));
    if (!strong) {
        record.flags |= INTEGRITY_FILE_CRC32;
        for (ItemRecord& item : disc.items) {
            if (RecordHasDataFields(item.itemType)) {
                std::string plain = ExtractFile(outputDir, item, key);
                item.reserved = Crc32Of(plain.data(), plain.size());
            }
        }
        WriteIntegrityRecord(&record, &disc.header);
        WriteDisc(outputDir, disc);
        return;
    }
    // Strong: every file's contents sealed into fresh data files of the same names.
    ChunkCipher* cipher = OpenChunkCipher(keys.contentKey);
    ASSERT_NE(nullptr, cipher);
    std::map<std::string, std::string> dataFiles;
    for (ItemRecord& item : disc.items) {
        if (!RecordHasDataFields(item.itemType))
            continue;
        std::string plain = ExtractFile(outputDir, item, key);
        ContentFormat format = {CONTENT_SEALED, 0, 0, cipher, record.chunkSize, item.itemId, item.itemSize};
        std::string sealed((size_t)StoredContentSize(&format), '\0');
        if (!plain.empty())
            ASSERT_EQ(sealed.size(), SealPiece(&format, 0, (const unsigned char*)plain.data(),
                                               (uint32_t)plain.size(), (unsigned char*)&sealed[0]));
        std::string& data = dataFiles[item.dataFileName];
        item.dataOffset = (uint32_t)data.size();
        item.reserved = 0;
        data += sealed;
    }
    CloseChunkCipher(cipher);
    for (const auto& data : dataFiles)
        WriteFile(outputDir / data.first, data.second);
    uint32_t plainTableSize = 0;
    for (const ItemRecord& item : disc.items)
        plainTableSize += ItemRecordSize(&item);
    record.itemCount = (uint32_t)disc.items.size();
    record.plainTableSize = plainTableSize;
    memset(disc.header.contentKey, 0, sizeof disc.header.contentKey);
    WriteIntegrityRecord(&record, &disc.header);
    WriteDisc(outputDir, disc, keys.tableKey);
}
