// Checksums, key derivation, the integrity record and the checked copy of
// verified and strong discs. Built natively and for Windows (run under Wine),
// so both sides are held to the same published vectors.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "content_copy.h"
#include "data_stream.h"
#include "disc_crypto.h"
#include "disc_keys.h"
#include "integrity_record.h"
#include "scramble.h"

namespace {

std::string Hex(const unsigned char* bytes, size_t length)
{
    std::string text;
    char pair[3];
    for (size_t i = 0; i < length; ++i) {
        snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

TEST(DiscCrypto, PublishedPbkdf2Sha256VectorsAndCrc32)
{
    struct Vector {
        const char* password;
        const char* salt;
        uint32_t iterations;
        size_t length;
        const char* expected;
    } vectors[] = {
        {"password", "salt", 1, 32, "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
        {"password", "salt", 4096, 32, "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"},
        {"passwd", "salt", 1, 64,
         "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
         "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"},
        {"Password", "NaCl", 80000, 64,
         "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
         "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d"},
    };
    for (const Vector& v : vectors) {
        unsigned char out[64];
        ASSERT_TRUE(DerivePbkdf2(v.password, strlen(v.password), (const unsigned char*)v.salt,
                                 strlen(v.salt), v.iterations, out, v.length));
        EXPECT_EQ(Hex(out, v.length), v.expected) << v.password << " " << v.iterations;
    }
    EXPECT_EQ(Crc32Of("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32Of("", 0), 0u);
    Crc32Run* run = StartCrc32();
    AddToCrc32(run, "1234", 4);
    AddToCrc32(run, "56789", 5);
    EXPECT_EQ(FinishCrc32(run), 0xCBF43926u);
}

std::vector<unsigned char> Bytes(const char* hex)
{
    std::vector<unsigned char> bytes;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        unsigned value = 0;
        sscanf(hex + i, "%2x", &value);
        bytes.push_back((unsigned char)value);
    }
    return bytes;
}

// Published answers for the rest of what a disc's keys and seals are made
// of: Argon2id (RFC 9106), AES key wrap (RFC 3394), AES-256-GCM (McGrew and
// Viega's test case 16, with associated data), SHA-256 (FIPS 180-2).
TEST(DiscCrypto, PublishedArgon2idKeyWrapGcmAndSha256Vectors)
{
    std::vector<unsigned char> password(32, 1), salt(16, 2), secret(8, 3), associated(12, 4);
    unsigned char tag[32];
    ASSERT_EQ(KDF_DONE, DeriveArgon2id((const char*)password.data(), password.size(), salt.data(), salt.size(), 3,
                                       32, 4, tag, sizeof tag, secret.data(), secret.size(),
                                       associated.data(), associated.size()));
    EXPECT_EQ(Hex(tag, sizeof tag), "0d640df58d78766c08c037a34a8b53c9d01ef0452d75b65eb52520e96b01e659");

    std::vector<unsigned char> kek = Bytes("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
    std::vector<unsigned char> key = Bytes("00112233445566778899aabbccddeeff000102030405060708090a0b0c0d0e0f");
    unsigned char wrapped[WRAPPED_KEY_SIZE];
    ASSERT_TRUE(WrapKey(kek.data(), key.data(), wrapped));
    EXPECT_EQ(Hex(wrapped, sizeof wrapped),
              "28c9f404c4b810f4cbccb35cfb87f8263f5786e2d80ed326cbc7f0e71a99f43bfb988b9b7a02dd21");
    unsigned char unwrapped[DISC_KEY_SIZE];
    ASSERT_TRUE(UnwrapKey(kek.data(), wrapped, unwrapped));
    EXPECT_EQ(Hex(unwrapped, sizeof unwrapped), Hex(key.data(), key.size()));

    std::vector<unsigned char> gcmKey =
        Bytes("feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308");
    std::vector<unsigned char> nonce = Bytes("cafebabefacedbaddecaf888");
    std::vector<unsigned char> data = Bytes(
        "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a721c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de657ba637b39");
    std::vector<unsigned char> aad = Bytes("feedfacedeadbeeffeedfacedeadbeefabaddad2");
    ChunkCipher* cipher = OpenChunkCipher(gcmKey.data());
    ASSERT_TRUE(cipher);
    unsigned char gcmTag[CHUNK_TAG_SIZE];
    ASSERT_TRUE(SealWithNonce(cipher, nonce.data(), aad.data(), aad.size(), data.data(), data.size(), gcmTag));
    EXPECT_EQ(Hex(data.data(), data.size()),
              "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a0abcc9f662");
    EXPECT_EQ(Hex(gcmTag, sizeof gcmTag), "76fc6ece0f4e1768cddf8853bb2d551b");
    EXPECT_TRUE(OpenWithNonce(cipher, nonce.data(), aad.data(), aad.size(), data.data(), data.size(), gcmTag));
    CloseChunkCipher(cipher);

    unsigned char digest[SHA256_SIZE];
    Sha256Run* run = StartSha256();
    AddToSha256(run, "a", 1);
    AddToSha256(run, "bc", 2);
    FinishSha256(run, digest);
    EXPECT_EQ(Hex(digest, sizeof digest), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

LayoutHeader HeaderWith(IntegrityRecord record)
{
    LayoutHeader header;
    memset(&header, 0, sizeof header);
    WriteIntegrityRecord(&record, &header);
    return header;
}

TEST(IntegrityRecordFormat, ReadsBackAndRefusesDamageAndHostileValues)
{
    IntegrityRecord record{};
    DiscKeys keys;
    ASSERT_TRUE(MakePasswordVerifier(&record, "secret", 6, 0, &keys));
    record.flags |= INTEGRITY_FILE_CRC32;
    LayoutHeader header = HeaderWith(record);
    IntegrityRecord read;
    ASSERT_EQ(ReadIntegrityRecord(&header, &read), RECORD_PRESENT);
    EXPECT_EQ(memcmp(&read, (unsigned char*)&header + INTEGRITY_RECORD_OFFSET, sizeof read), 0);
    EXPECT_EQ(read.kdf, KDF_PBKDF2_SHA256);
    EXPECT_EQ(read.iterations, VERIFIED_PBKDF2_ITERATIONS);

    // Without the magic (every older disc): no record.
    LayoutHeader old;
    memset(&old, 0x5A, sizeof old);
    EXPECT_EQ(ReadIntegrityRecord(&old, &read), RECORD_ABSENT);

    // A flipped byte anywhere in the record is caught by its checksum.
    for (uint32_t at = 4; at < INTEGRITY_RECORD_SIZE; at += 9) {
        LayoutHeader flipped = header;
        ((unsigned char*)&flipped)[INTEGRITY_RECORD_OFFSET + at] ^= 0x10;
        EXPECT_EQ(ReadIntegrityRecord(&flipped, &read), RECORD_DAMAGED) << at;
    }

    // Values a hostile builder might choose, each with a valid checksum.
    IntegrityRecord strong{};
    ASSERT_TRUE(MakePasswordVerifier(&strong, "secret", 6, 1, &keys));
    struct Hostile {
        const char* what;
        void (*change)(IntegrityRecord*);
    } hostile[] = {
        {"unknown flag", [](IntegrityRecord* r) { r->flags |= 0x80; }},
        {"unknown kdf", [](IntegrityRecord* r) { r->kdf = 9; }},
        {"no iterations", [](IntegrityRecord* r) { r->iterations = 0; }},
        {"4 GiB of memory", [](IntegrityRecord* r) { r->memoryKiB = 0xFFFFFFFF; }},
        {"no lanes", [](IntegrityRecord* r) { r->lanes = 0; }},
        {"huge chunks", [](IntegrityRecord* r) { r->chunkSize = 0x80000000; }},
        {"no chunks", [](IntegrityRecord* r) { r->chunkSize = 0; }},
        {"strong without verifier", [](IntegrityRecord* r) { r->flags &= ~INTEGRITY_VERIFIER; }},
        {"wide records without a data file limit", [](IntegrityRecord* r) { r->version = 3; }},
        {"newer version", [](IntegrityRecord* r) { r->version = 4; }},
    };
    for (const Hostile& h : hostile) {
        IntegrityRecord changed = strong;
        changed.magic = INTEGRITY_MAGIC;
        changed.size = INTEGRITY_RECORD_SIZE;
        changed.version = INTEGRITY_VERSION;
        h.change(&changed);
        LayoutHeader bad;
        memset(&bad, 0, sizeof bad);
        changed.checksum = 0;
        uint32_t version = changed.version;
        WriteIntegrityRecord(&changed, &bad);
        if (version != INTEGRITY_VERSION) {  // WriteIntegrityRecord sets the version: put it back
            IntegrityRecord* stored = (IntegrityRecord*)((unsigned char*)&bad + INTEGRITY_RECORD_OFFSET);
            stored->version = version;
            stored->checksum = 0;
            stored->checksum = Crc32Of(stored, sizeof *stored);
        }
        EXPECT_EQ(ReadIntegrityRecord(&bad, &read), RECORD_DAMAGED) << h.what;
    }
}

TEST(DiscKeysGate, OnlyTheRightPasswordUnlocksAndKeysDifferByDisc)
{
    for (int strong = 0; strong <= 1; ++strong) {
        IntegrityRecord record{};
        DiscKeys made, opened;
        ASSERT_TRUE(MakePasswordVerifier(&record, "Open Sesame", 11, strong, &made));
        EXPECT_TRUE(UnlockDisc(&record, "Open Sesame", 11, &opened)) << strong;
        EXPECT_EQ(memcmp(&made, &opened, sizeof made), 0);
        EXPECT_FALSE(UnlockDisc(&record, "open sesame", 11, &opened)) << strong;
        EXPECT_FALSE(UnlockDisc(&record, "", 0, &opened)) << strong;
        // The verifier is not one of the keys.
        EXPECT_NE(memcmp(record.verifier, made.contentKey, DISC_KEY_SIZE), 0);
        EXPECT_NE(memcmp(record.verifier, made.tableKey, DISC_KEY_SIZE), 0);
        // A fresh salt per disc, and on strong discs a data key of their own.
        IntegrityRecord other{};
        DiscKeys otherKeys;
        ASSERT_TRUE(MakePasswordVerifier(&other, "Open Sesame", 11, strong, &otherKeys));
        EXPECT_NE(memcmp(record.salt, other.salt, DISC_SALT_SIZE), 0);
        EXPECT_NE(memcmp(record.verifier, other.verifier, DISC_KEY_SIZE), 0);
        if (!strong)
            continue;
        EXPECT_NE(memcmp(made.contentKey, otherKeys.contentKey, DISC_KEY_SIZE), 0);
        // The right password with an altered wrap opens nothing.
        record.wrappedKey[5] ^= 1;
        EXPECT_FALSE(UnlockDisc(&record, "Open Sesame", 11, &opened));
    }
}

// A data file in memory: the stored form of one item's contents.
struct StoredItem {
    ContentFormat format;
    std::vector<unsigned char> plain;
    std::vector<unsigned char> stored;
};

StoredItem MakeStored(int mode, uint32_t size, ChunkCipher* cipher)
{
    StoredItem item;
    item.plain.resize(size);
    for (uint32_t i = 0; i < size; ++i)
        item.plain[i] = (unsigned char)(i * 7 + i / 251);
    item.format = ContentFormat{mode, 0x5C, Crc32Of(item.plain.data(), size), cipher, 4096, 77, size, 0};
    if (mode == CONTENT_SEALED) {
        item.stored.resize(StoredContentSize(&item.format));
        if (size > 0) {
            EXPECT_EQ(SealPiece(&item.format, 0, item.plain.data(), size, item.stored.data()),
                      item.stored.size());
        }
    } else {
        item.stored = item.plain;
        XorWithValue(item.stored.data(), size, 0x5C);
    }
    return item;
}

// Copies stored bytes through temporary files; the plain result in out.
int CopyThroughFiles(const ContentFormat* format, const std::vector<unsigned char>& stored,
                     std::vector<unsigned char>* out, CopyProgress progress = nullptr, void* context = nullptr)
{
    FILE* source = tmpfile();
    FILE* destination = tmpfile();
    if (!stored.empty())
        fwrite(stored.data(), 1, stored.size(), source);
    rewind(source);
    int result = CopyContents(format, destination, source, progress, context);
    long length = ftell(destination);
    out->assign((size_t)length, 0);
    rewind(destination);
    if (length > 0) {
        EXPECT_EQ(fread(out->data(), 1, (size_t)length, destination), (size_t)length);
    }
    fclose(source);
    fclose(destination);
    return result;
}

TEST(CheckedCopy, GivesBackEveryByteAndCatchesDamageInEveryMode)
{
    unsigned char key[DISC_KEY_SIZE] = {1, 2, 3};
    ChunkCipher* cipher = OpenChunkCipher(key);
    ASSERT_NE(cipher, nullptr);
    const uint32_t sizes[] = {0, 1, 4095, 4096, 4097, 3 * 1048576 + 5};
    for (int mode : {CONTENT_XOR, CONTENT_XOR_CRC32, CONTENT_SEALED}) {
        for (uint32_t size : sizes) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " size " + std::to_string(size));
            StoredItem item = MakeStored(mode, size, cipher);
            std::vector<unsigned char> out;
            EXPECT_EQ(CopyThroughFiles(&item.format, item.stored, &out), COPY_DONE);
            EXPECT_TRUE(out == item.plain);
            if (size == 0)
                continue;

            // One flipped byte (first, middle, last) and a data file cut short.
            for (size_t at : {(size_t)0, item.stored.size() / 2, item.stored.size() - 1}) {
                std::vector<unsigned char> flipped = item.stored;
                flipped[at] ^= 0x01;
                int expected = mode == CONTENT_XOR ? COPY_DONE : COPY_DAMAGED;
                EXPECT_EQ(CopyThroughFiles(&item.format, flipped, &out), expected) << at;
            }
            std::vector<unsigned char> cut(item.stored.begin(), item.stored.end() - 1);
            EXPECT_EQ(CopyThroughFiles(&item.format, cut, &out), COPY_SOURCE_ENDED);
        }
    }

    // Sealed chunks only open where they were sealed: not under another item
    // id, not swapped within the file, not with another plain size.
    StoredItem item = MakeStored(CONTENT_SEALED, 3 * 4096, cipher);
    std::vector<unsigned char> out;
    ContentFormat otherId = item.format;
    otherId.itemId = 78;
    EXPECT_EQ(CopyThroughFiles(&otherId, item.stored, &out), COPY_DAMAGED);
    std::vector<unsigned char> swapped = item.stored;
    std::swap_ranges(swapped.begin(), swapped.begin() + 4096 + 16, swapped.begin() + 4096 + 16);
    EXPECT_EQ(CopyThroughFiles(&item.format, swapped, &out), COPY_DAMAGED);
    ContentFormat shorter = item.format;
    shorter.itemSize = 2 * 4096;
    std::vector<unsigned char> twoChunks(item.stored.begin(), item.stored.begin() + 2 * (4096 + 16));
    EXPECT_EQ(CopyThroughFiles(&shorter, twoChunks, &out), COPY_DAMAGED);

    // The progress callback sees every plain byte and can stop the copy.
    struct Count {
        uint64_t bytes = 0;
        uint64_t stopAfter = ~0ull;
    } count;
    auto progress = [](void* context, uint32_t bytes) {
        Count* c = (Count*)context;
        c->bytes += bytes;
        return c->bytes < c->stopAfter ? 1 : 0;
    };
    StoredItem big = MakeStored(CONTENT_SEALED, 3 * 1048576 + 5, cipher);
    EXPECT_EQ(CopyThroughFiles(&big.format, big.stored, &out, progress, &count), COPY_DONE);
    EXPECT_EQ(count.bytes, big.plain.size());
    count = Count{0, 1};
    EXPECT_EQ(CopyThroughFiles(&big.format, big.stored, &out, progress, &count), COPY_ABORTED);
    CloseChunkCipher(cipher);
}

FILE* OpenInFolder(void* context, const char* name)
{
    return fopen((*(const std::filesystem::path*)context / name).string().c_str(), "rb");
}

// The wide records' stream: one item's sealed chunks cut across data files
// at the limit, its size in every chunk's associated data as 64 bits.
TEST(CheckedCopy, WideContentsRunAcrossDataFilesAndCarryTheirSizeIn64Bits)
{
    namespace fs = std::filesystem;
    unsigned char key[DISC_KEY_SIZE] = {4, 5, 6};
    ChunkCipher* cipher = OpenChunkCipher(key);
    StoredItem item = MakeStored(CONTENT_SEALED, 150000, cipher);
    item.format.wideSize = 1;
    item.stored.assign(StoredContentSize(&item.format), 0);
    ASSERT_EQ(SealPiece(&item.format, 0, item.plain.data(), 150000, item.stored.data()), item.stored.size());

    // The item starts 1000 bytes into the stream; data files hold 65536 bytes.
    const uint64_t limit = 65536, start = 1000;
    fs::path folder = fs::temp_directory_path() / ("arcseal-stream-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(folder);
    std::string stream(start, 'x');
    stream.append(item.stored.begin(), item.stored.end());
    for (uint64_t at = 0, number = 1; at < stream.size(); at += limit, ++number) {
        char name[DATA_FILE_NAME_SIZE];
        DataFileName(number, name);
        FILE* file = fopen((folder / name).string().c_str(), "wb");
        fwrite(stream.data() + at, 1, std::min<uint64_t>(limit, stream.size() - at), file);
        fclose(file);
    }
    ASSERT_TRUE(fs::exists(folder / "disc0003.dat"));
    DataFileOpener opener = {OpenInFolder, &folder};
    auto copy = [&](const ContentFormat& format, std::vector<unsigned char>* out) -> int {
        DataRead read;
        if (StartDataRead(&read, &opener, "", start, limit) != DATA_READ_STARTED)
            return (EndDataRead(&read), COPY_NO_DATA_FILE);
        FILE* destination = tmpfile();
        int result = CopyFromDataFiles(&format, &read, destination, nullptr, nullptr);
        out->assign((size_t)ftell(destination), 0);
        rewind(destination);
        if (!out->empty()) {
            EXPECT_EQ(fread(out->data(), 1, out->size(), destination), out->size());
        }
        fclose(destination);
        return result;
    };
    std::vector<unsigned char> out;
    EXPECT_EQ(copy(item.format, &out), COPY_DONE);
    EXPECT_TRUE(out == item.plain);
    // The same chunks read as the design's 32-bit size fail their tags.
    ContentFormat narrow = item.format;
    narrow.wideSize = 0;
    EXPECT_EQ(copy(narrow, &out), COPY_DAMAGED);
    // A data file in the middle cut short, then missing: the copy ends early.
    fs::resize_file(folder / "disc0002.dat", 100);
    EXPECT_EQ(copy(item.format, &out), COPY_SOURCE_ENDED);
    fs::remove(folder / "disc0002.dat");
    EXPECT_EQ(copy(item.format, &out), COPY_SOURCE_ENDED);
    fs::remove(folder / "disc0001.dat");
    EXPECT_EQ(copy(item.format, &out), COPY_NO_DATA_FILE);
    fs::remove_all(folder);
    CloseChunkCipher(cipher);
}

TEST(CheckedCopy, SealedItemTableOpensOnlyWithItsKeyAndLayoutUnchanged)
{
    unsigned char key[DISC_KEY_SIZE] = {9};
    unsigned char other[DISC_KEY_SIZE] = {8};
    unsigned char layout[SHA256_SIZE] = {1, 2, 3};
    unsigned char changedLayout[SHA256_SIZE] = {1, 2, 4};
    std::string plain = "item table with names: report.doc, holiday.jpg";
    std::vector<unsigned char> table(plain.begin(), plain.end());
    table.resize(plain.size() + CHUNK_TAG_SIZE);
    ASSERT_TRUE(SealItemTable(key, table.data(), (uint32_t)plain.size(), layout));
    EXPECT_EQ(std::string(table.begin(), table.begin() + plain.size()).find("report"), std::string::npos);
    std::vector<unsigned char> copy = table;
    EXPECT_FALSE(OpenItemTable(other, copy.data(), (uint32_t)plain.size(), layout));
    copy = table;
    copy[3] ^= 1;
    EXPECT_FALSE(OpenItemTable(key, copy.data(), (uint32_t)plain.size(), layout));
    copy = table;
    EXPECT_FALSE(OpenItemTable(key, copy.data(), (uint32_t)plain.size(), changedLayout))
        << "a table is bound to its layout";
    ASSERT_TRUE(OpenItemTable(key, table.data(), (uint32_t)plain.size(), layout));
    EXPECT_EQ(std::string(table.begin(), table.begin() + plain.size()), plain);
}

}  // namespace
