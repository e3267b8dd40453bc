// The viewer's decisions on verified and strong discs: which passwords the
// gate admits, in which format each file is copied, when a strong disc's item
// table opens, and what Check disc says at the end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "check_text.h"
#include "disc_integrity.h"
#include "item_list.h"
#include "key_fields.h"
#include "scramble.h"

namespace {

const char kRight[] = "Open Sesame-42";

// A wrong password the one-byte check cannot tell from the right one: the
// right one with its last three characters changed (ASCII letters alone
// never reach bit 7 at the first positions).
std::string CollidingPassword()
{
    unsigned char wanted = CombinedIndexedKeyValue((std::string(kRight) + passwordSalt).c_str());
    std::string candidate = kRight;
    for (char a = '!'; a <= '~'; ++a)
        for (char b = '!'; b <= '~'; ++b)
            for (char c = '!'; c <= '~'; ++c) {
                candidate.replace(candidate.size() - 3, 3, {a, b, c});
                if (candidate != kRight &&
                    CombinedIndexedKeyValue((candidate + passwordSalt).c_str()) == wanted)
                    return candidate;
            }
    ADD_FAILURE() << "no colliding password";
    return "";
}

// A wrong password the one-byte check refuses.
std::string PlainlyWrongPassword()
{
    unsigned char right = CombinedIndexedKeyValue((std::string(kRight) + passwordSalt).c_str());
    for (int i = 0;; ++i) {
        std::string candidate = "other" + std::to_string(i);
        if (CombinedIndexedKeyValue((candidate + passwordSalt).c_str()) != right)
            return candidate;
    }
}

enum DiscKind { NO_RECORD, VERIFIED, STRONG };

// The descrambled header a builder writes for a disc with kRight.
LayoutHeader PasswordHeader(DiscKind kind)
{
    LayoutHeader header;
    memset(&header, 0, sizeof header);
    header.flags = FLAG_PASSWORD;
    if (kind != STRONG) {
        EXPECT_TRUE(MakePasswordCheckBlock(kRight, header.contentKey));
    }
    if (kind != NO_RECORD) {
        IntegrityRecord record{};
        DiscKeys keys;
        EXPECT_TRUE(MakePasswordVerifier(&record, kRight, strlen(kRight), kind == STRONG, &keys));
        if (kind == VERIFIED)
            record.flags |= INTEGRITY_FILE_CRC32;
        else
            record.plainTableSize = 100;
        WriteIntegrityRecord(&record, &header);
    }
    return header;
}

TEST(DiscPasswordGate, VerifierTurnsAwayWhatTheOneByteCheckLetsThrough)
{
    UnscrambleKeyFields();
    const std::string colliding = CollidingPassword();
    const std::string wrong = PlainlyWrongPassword();
    struct Case {
        DiscKind kind;
        std::string typed;
        bool admitted;
        int mode;  // of a file's contents once admitted
    };
    const std::vector<Case> cases = {
        {NO_RECORD, kRight, true, CONTENT_XOR},
        {NO_RECORD, colliding, true, CONTENT_XOR},  // as the original viewer does
        {NO_RECORD, wrong, false, 0},
        {VERIFIED, kRight, true, CONTENT_XOR_CRC32},
        {VERIFIED, colliding, false, 0},
        {VERIFIED, wrong, false, 0},
        {VERIFIED, "", false, 0},
        {STRONG, kRight, true, CONTENT_SEALED},
        {STRONG, colliding, false, 0},
        {STRONG, "", false, 0},
    };
    LayoutHeader headers[3] = {PasswordHeader(NO_RECORD), PasswordHeader(VERIFIED), PasswordHeader(STRONG)};
    for (const Case& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind) + ", typed \"" + c.typed + "\"");
        LayoutHeader header = headers[c.kind];
        ASSERT_EQ(TakeIntegrityRecord(&header), c.kind == NO_RECORD ? RECORD_ABSENT : RECORD_PRESENT);
        EXPECT_EQ(IsStrongDisc(), c.kind == STRONG);
        char contentKey[CONTENT_KEY_SIZE];
        memcpy(contentKey, header.contentKey, sizeof contentKey);
        EXPECT_EQ(CheckDiscPassword(header.contentKey, c.typed.c_str(), contentKey), c.admitted ? 1 : 0);
        const std::string salted = c.typed + passwordSalt;
        if (c.admitted && c.kind != STRONG) {
            EXPECT_STREQ(contentKey, salted.c_str());
        } else {
            EXPECT_EQ(memcmp(contentKey, header.contentKey, sizeof contentKey), 0) << "key changed";
        }
        EXPECT_EQ(discKeysReady, c.admitted && c.kind != NO_RECORD ? 1 : 0);
        if (!c.admitted)
            continue;

        ArcsealItem item{};
        item.itemId = 9;
        item.itemSize = 70000;
        item.reserved = 0xDEADBEEF;
        ContentFormat format;
        ASSERT_TRUE(ItemContentFormat(&item, contentKey, &format));
        EXPECT_EQ(format.mode, c.mode);
        EXPECT_EQ(format.itemId, 9u);
        EXPECT_EQ(format.itemSize, 70000u);
        if (c.mode == CONTENT_SEALED) {
            EXPECT_TRUE(format.cipher);
            EXPECT_EQ(format.chunkSize, STRONG_CHUNK_SIZE);
        } else {
            EXPECT_EQ(format.xorValue, CombinedKeyValue(contentKey));
            EXPECT_EQ(format.crc32, c.mode == CONTENT_XOR_CRC32 ? 0xDEADBEEFu : 0u);
        }
    }
    ForgetDiscKeys();
}

TEST(DiscPasswordGate, DamagedRecordAndStrongTableRefusals)
{
    UnscrambleKeyFields();
    LayoutHeader header = PasswordHeader(STRONG);
    LayoutHeader damaged = header;
    ((unsigned char*)&damaged)[INTEGRITY_RECORD_OFFSET + 60] ^= 1;  // inside the salt
    EXPECT_EQ(TakeIntegrityRecord(&damaged), RECORD_DAMAGED);
    EXPECT_FALSE(IsStrongDisc()) << "a damaged record is no strong disc";

    ASSERT_EQ(TakeIntegrityRecord(&header), RECORD_PRESENT);
    LayoutTrailer trailer{};
    trailer.itemCount = 0;  // strong discs show the original viewer nothing
    trailer.itemTableSize = 116;
    EXPECT_EQ(ItemTablePlainSize(&trailer), 100u);
    std::vector<unsigned char> table(100 + CHUNK_TAG_SIZE);
    for (size_t i = 0; i < 100; ++i)
        table[i] = (unsigned char)i;
    EXPECT_FALSE(OpenStrongItemTable(table.data(), (uint32_t)table.size())) << "no keys yet";
    ArcsealItem item{};
    ContentFormat format;
    EXPECT_FALSE(ItemContentFormat(&item, header.contentKey, &format)) << "no keys yet";

    char contentKey[CONTENT_KEY_SIZE] = {};
    ASSERT_TRUE(CheckDiscPassword(header.contentKey, kRight, contentKey));
    std::vector<unsigned char> sealed = table;
    ASSERT_TRUE(SealItemTable(discKeys.tableKey, sealed.data(), 100, viewerDisc.layoutDigest));
    struct Case {
        const char* what;
        size_t flippedByte;  // SIZE_MAX: none
        uint32_t size;
        bool opens;
    };
    const Case cases[] = {
        {"as sealed", SIZE_MAX, 116, true},
        {"one byte of the table flipped", 40, 116, false},
        {"one byte of the tag flipped", 110, 116, false},
        {"size without the tag", SIZE_MAX, 100, false},
        {"size larger than the record says", SIZE_MAX, 117, false},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> copy = sealed;
        copy.resize(117);
        if (c.flippedByte != SIZE_MAX)
            copy[c.flippedByte] ^= 0x10;
        EXPECT_EQ(OpenStrongItemTable(copy.data(), c.size), c.opens ? 1 : 0) << c.what;
        if (c.opens) {
            EXPECT_EQ(memcmp(copy.data(), table.data(), 100), 0) << c.what;
        }
    }
    ForgetDiscKeys();
}

std::string Report(const CheckReport& report)
{
    char* text = FormatCheckReport(&report);
    std::string result = text ? text : "(no memory)";
    free(text);
    return result;
}

TEST(CheckReportText, IntactDamagedManyAndAborted)
{
    CheckReport report;
    StartCheckReport(&report, 3);
    for (int i = 0; i < 3; ++i)
        NoteCheckedFile(&report, "a.txt", 0, 0);
    EXPECT_EQ(Report(report), "The disc was checked: all 3 files are intact.");
    FreeCheckReport(&report);

    StartCheckReport(&report, 4);
    NoteCheckedFile(&report, "a.txt", 0, 0);
    NoteCheckedFile(&report, "Letters\\b.txt", 1, 0);
    NoteCheckedFile(&report, "c.txt", 0, 1);
    NoteCheckedFile(&report, "d.txt", 0, 0);
    EXPECT_EQ(Report(report),
              "The disc was checked: 2 of its 4 files are damaged or cannot be read.\r\n\r\n"
              "Letters\\b.txt - damaged\r\nc.txt - cannot be read\r\n");
    report.aborted = 1;
    report.total = 10;
    EXPECT_EQ(Report(report),
              "The check was aborted after 4 of 10 files. Of those, 2 are damaged or cannot be read.\r\n\r\n"
              "Letters\\b.txt - damaged\r\nc.txt - cannot be read\r\n");
    FreeCheckReport(&report);

    StartCheckReport(&report, 30);
    for (int i = 0; i < 25; ++i)
        NoteCheckedFile(&report, ("f" + std::to_string(i)).c_str(), 1, 0);
    std::string many = Report(report);
    EXPECT_NE(many.find("f19 - damaged\r\nand 5 more"), std::string::npos) << many;
    EXPECT_EQ(many.find("f20"), std::string::npos) << "only the first 20 are named";
    FreeCheckReport(&report);

    StartCheckReport(&report, 5);
    report.aborted = 1;
    NoteCheckedFile(&report, "a.txt", 0, 0);
    EXPECT_EQ(Report(report), "The check was aborted after 1 of 5 files. Those are intact.");
    FreeCheckReport(&report);
}

TEST(CheckReportText, PathInTheDisc)
{
    FreeItems();
    auto add = [](uint32_t id, uint32_t parent, uint32_t type, const char* name) {
        ArcsealItem* item = NewItem(parent, type, 0, 0, 0, name, "d", 0);
        SetItemId(item, id);
        return item;
    };
    add(1, 0, 0x20, "Arcseal");
    add(2, 1, 777, "Label");
    add(3, 2, 1, "Letters");
    add(4, 3, 1, "Old");
    ArcsealItem* top = add(5, 2, 2, "top.txt");
    ArcsealItem* deep = add(6, 4, 2, "deep.txt");
    ArcsealItem* orphan = add(7, 99, 2, "orphan.txt");
    ArcsealItem* looped = add(8, 9, 1, "A");
    add(9, 8, 1, "B");
    char path[64];
    DiscPathOf(top, path, sizeof path);
    EXPECT_STREQ(path, "top.txt");
    DiscPathOf(deep, path, sizeof path);
    EXPECT_STREQ(path, "Letters\\Old\\deep.txt");
    DiscPathOf(deep, path, 13);
    EXPECT_STREQ(path, "Old\\deep.txt") << "cut to fit, the file's own name kept";
    DiscPathOf(orphan, path, sizeof path);
    EXPECT_STREQ(path, "orphan.txt");
    DiscPathOf(looped, path, sizeof path);  // ends although the parents loop
    EXPECT_EQ(std::string(path).substr(std::string(path).size() - 1), "A");
    FreeItems();
}

}  // namespace
