#include "disc_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "byte_source.h"
#include "content_copy.h"
#include "data_stream.h"
#include "disc_open.h"
#include "disc_keys.h"
#include "integrity_record.h"
#include "key_fields.h"
#include "run_mkdisc.h"
#include "scramble.h"

RunResult RunMkdiscWith(const std::vector<std::string>& args, PasswordAsker ask)
{
    std::ostringstream out;
    std::ostringstream err;
    int exitCode = RunMkdisc(args, out, err, "mkdisc", ask);
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
    std::string file = ReadText(outputDir / "discview.exe");
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

    disc.recordState = ReadIntegrityRecord(&disc.header, &disc.record);
    EXPECT_NE(RECORD_DAMAGED, disc.recordState);
    disc.viewerFile = outputDir / "discview.exe";
    if (disc.recordState == RECORD_PRESENT && (disc.record.flags & INTEGRITY_STRONG)) {
        disc.sealedTable = file.substr(disc.sections.itemTable, disc.trailer.itemTableSize);
        EXPECT_EQ(0u, disc.trailer.itemCount) << "other viewers see no items";
        return disc;
    }
    disc.items = OpenedItems(disc.viewerFile, nullptr);
    uint64_t recordBytes = 0;
    for (const ItemRecord& record : disc.items)
        recordBytes += ItemRecordSize(&record);
    EXPECT_EQ(recordBytes, table.size()) << "itemCount must cover the whole item table";
    return disc;
}

std::vector<ItemRecord> OpenedItems(const fs::path& viewerFile, const std::string* password)
{
    std::vector<ItemRecord> items;
    FILE* file = fopen(viewerFile.string().c_str(), "rb");
    ByteSource source;
    if (!file || !FileSource(file, &source)) {
        ADD_FAILURE() << "cannot read " << viewerFile;
        if (file)
            fclose(file);
        return items;
    }
    OpenedDisc disc;
    InitOpenedDisc(&disc);
    int reason = DISC_OK;
    // A scrambled disc's table opens without its password, as the viewer reads it.
    if (!OpenDiscLayout(&source, &disc, &reason) ||
        (password && !UnlockOpenedDisc(&disc, password->data(), password->size(), &reason)) ||
        !ReadDiscItems(&disc, &source, &reason))
        ADD_FAILURE() << DiscReasonText(reason) << (disc.damage ? disc.damage : "");
    for (uint32_t i = 0; i < disc.itemCount; ++i) {
        const DiscItem& item = disc.items[i];
        ItemRecord record = {};
        record.itemId = item.itemId;
        record.parentId = item.parentId;
        record.itemType = item.itemType;
        record.itemSize = item.itemSize;
        record.reserved = item.reserved;
        record.methodFlags = item.methodFlags;
        record.modified = item.modified;
        strncpy(record.itemName, item.name, ITEM_WIDE_NAME_MAX);
        strncpy(record.dataFileName, item.dataFileName, ITEM_NAME_MAX);
        record.dataOffset = item.dataOffset;
        items.push_back(record);
    }
    CloseOpenedDisc(&disc);
    fclose(file);
    return items;
}

std::vector<ItemRecord> OpenSealedItems(const DiscContents& disc, const std::string& password,
                                        DiscKeys* keys)
{
    EXPECT_EQ(1, UnlockDisc(&disc.record, password.data(), password.size(), keys));
    EXPECT_EQ(disc.sealedTable.size(), disc.record.plainTableSize + CHUNK_TAG_SIZE);
    return OpenedItems(disc.viewerFile, &password);
}

static FILE* OpenInFolder(void* context, const char* name)
{
    return fopen((*(const fs::path*)context / name).string().c_str(), "rb");
}

std::string ExtractSealedFile(const fs::path& outputDir, const ItemRecord& item, const DiscKeys& keys)
{
    uint64_t limit = ReadDisc(outputDir).record.dataFileLimit;
    ChunkCipher* cipher = OpenChunkCipher(keys.contentKey);
    ContentFormat format{CONTENT_SEALED, 0, 0, cipher, STRONG_CHUNK_SIZE, item.itemId, item.itemSize, limit != 0};
    DataFileOpener opener = {OpenInFolder, (void*)&outputDir};
    DataRead read;
    FILE* out = tmpfile();
    std::string plain;
    if (out && StartDataRead(&read, &opener, item.dataFileName, item.dataOffset, limit) == DATA_READ_STARTED) {
        EXPECT_EQ(COPY_DONE, CopyFromDataFiles(&format, &read, out, nullptr, nullptr)) << item.itemName;
        plain.resize((size_t)ftell(out));
        rewind(out);
        if (!plain.empty()) {
            EXPECT_EQ(plain.size(), fread(&plain[0], 1, plain.size(), out));
        }
    } else {
        EndDataRead(&read);
        ADD_FAILURE() << "cannot read the data file of " << item.itemName;
    }
    if (out)
        fclose(out);
    CloseChunkCipher(cipher);
    return plain;
}

std::string ExtractFile(const fs::path& outputDir, const ItemRecord& item, const std::string& key)
{
    std::string data = ReadText(outputDir / item.dataFileName);
    EXPECT_LE((uint64_t)item.dataOffset + item.itemSize, data.size()) << item.itemName;
    if ((uint64_t)item.dataOffset + item.itemSize > data.size())
        return std::string();
    std::string bytes = data.substr((size_t)item.dataOffset, (size_t)item.itemSize);
    XorScramble(key.c_str(), (unsigned char*)&bytes[0], (int32_t)bytes.size());
    return bytes;
}

void DiscBuildTest::SetUp()
{
    WriteText(viewer, FAKE_VIEWER);
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

void WriteDisc(const fs::path& outputDir, const DiscContents& disc)
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
    table = Scrambled(table);
    std::string header((const char*)&disc.header, sizeof disc.header);
    std::string file = disc.viewerImage + table + Scrambled(disc.eula) + Scrambled(header) +
                       Scrambled(disc.background) + Scrambled(disc.logo) + Scrambled(disc.font) +
                       std::string((const char*)&trailer, sizeof trailer);
    WriteText(outputDir / "discview.exe", file);
}

