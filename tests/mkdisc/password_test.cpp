// A disc with password: the design's check block, the verifier that refuses
// the wrong passwords that block lets through, and strong discs whose
// contents and names cannot be read without the password.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "disc_test_support.h"
#include "disc_crypto.h"
#include "integrity_record.h"
#include "key_fields.h"
#include "scramble.h"

namespace {

// A wrong password the design's one-byte check accepts all the same.
std::string WrongPasswordThatPassesTheCheckBlock(const char* block, const std::string& right)
{
    char contentKey[CONTENT_KEY_SIZE];
    for (char a = 'a'; a <= 'z'; ++a) {
        for (char b = 'a'; b <= 'z'; ++b) {
            std::string candidate = std::string("Open") + a + b;
            if (candidate != right && CheckPassword(block, candidate.c_str(), contentKey))
                return candidate;
        }
    }
    ADD_FAILURE() << "no colliding password found";
    return std::string();
}

TEST(PasswordTest, ScrambledDiscsKeepTheCheckBlockAndAddAVerifier)
{
    ScratchFolder scratch;
    WriteText(scratch / "viewer.exe", FAKE_VIEWER);
    WriteText(scratch / "src/secret.txt", "the secret contents");
    for (bool integrity : {true, false}) {
        SCOPED_TRACE(integrity ? "verified" : "--no-integrity");
        RunResult run = RunMkdiscWith({"--viewer", (scratch / "viewer.exe").string(), "--password",
                                       "Open Sesame", integrity ? "--protection=scrambled" : "--no-integrity",
                                       (scratch / "src").string(), (scratch / "out").string()});
        ASSERT_EQ(0, run.exitCode) << run.messages;
        DiscContents disc = ReadDisc(scratch / "out");
        EXPECT_EQ(FLAG_PASSWORD, disc.header.flags);

        char contentKey[CONTENT_KEY_SIZE] = {};
        EXPECT_EQ(0, CheckPassword(disc.header.contentKey, "open Sesame", contentKey));
        EXPECT_EQ(0, CheckPassword(disc.header.contentKey, "Open Sesame ", contentKey));
        EXPECT_EQ(0, CheckPassword(disc.header.contentKey, "", contentKey));
        ASSERT_EQ(1, CheckPassword(disc.header.contentKey, "Open Sesame", contentKey));
        EXPECT_STREQ("Open SesameTk9w", contentKey);
        ASSERT_EQ(3u, disc.items.size());
        EXPECT_EQ("the secret contents", ExtractFile(scratch / "out", disc.items[2], contentKey));

        std::string wrong = WrongPasswordThatPassesTheCheckBlock(disc.header.contentKey, "Open Sesame");
        if (!integrity) {
            EXPECT_EQ(RECORD_ABSENT, disc.recordState);
            continue;
        }
        ASSERT_EQ(RECORD_PRESENT, disc.recordState);
        EXPECT_EQ(INTEGRITY_VERIFIER | INTEGRITY_FILE_CRC32, disc.record.flags);
        EXPECT_EQ(KDF_PBKDF2_SHA256, disc.record.kdf);
        DiscKeys keys;
        EXPECT_EQ(1, UnlockDisc(&disc.record, "Open Sesame", 11, &keys));
        EXPECT_EQ(0, UnlockDisc(&disc.record, wrong.data(), wrong.size(), &keys)) << wrong;
    }
}

std::string RandomBytesOf(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = (char)(random() & 0xFF);
    return bytes;
}

TEST(PasswordTest, StrongDiscsHideContentsAndNamesAndOpenOnlyWithThePassword)
{
    ScratchFolder scratch;
    WriteText(scratch / "viewer.exe", FAKE_VIEWER);
    struct Source {
        const char* path;
        std::string contents;
    } sources[] = {
        {"Quarterly report.txt", std::string(5000, 'A') + "plain text that repeats itself, " +
                                     std::string(70000, 'x')},
        {"Photos/beach holiday.jpg", RandomBytesOf(200000, 1)},
        {"Photos/empty.bin", ""},
        {"chunk edge.bin", RandomBytesOf(65536, 2)},
    };
    for (const Source& s : sources)
        WriteText(scratch / "src" / s.path, s.contents);
    RunResult run = RunMkdiscWith({"--viewer", (scratch / "viewer.exe").string(), "--password",
                                   "Open Sesame", (scratch / "src").string(),
                                   (scratch / "out").string()});
    ASSERT_EQ(0, run.exitCode) << run.messages;
    DiscContents disc = ReadDisc(scratch / "out");
    ASSERT_EQ(RECORD_PRESENT, disc.recordState);
    EXPECT_EQ(INTEGRITY_VERIFIER | INTEGRITY_STRONG, disc.record.flags) << "strong is the default";
    EXPECT_EQ(KDF_ARGON2ID, disc.record.kdf);

    // No check block the design's one-byte gate could be fooled by.
    const char zeros[CONTENT_KEY_SIZE] = {};
    EXPECT_EQ(0, memcmp(zeros, disc.header.contentKey, CONTENT_KEY_SIZE));
    char contentKey[CONTENT_KEY_SIZE];
    EXPECT_EQ(0, CheckPassword(disc.header.contentKey, "Open Sesame", contentKey));

    // Nothing of the contents or the names in any file of the disc: 16-byte
    // windows of every source, and each name. (The browser reader's page and
    // scripts are the same on every disc and carry nothing of it.)
    std::string everything;
    for (const auto& entry : fs::directory_iterator(scratch / "out"))
        if (entry.is_regular_file() && entry.path().extension() != ".html")
            everything += ReadText(entry.path());
    for (const Source& s : sources) {
        for (size_t at = 0; at + 16 <= s.contents.size(); at += 997)
            EXPECT_EQ(std::string::npos, everything.find(s.contents.substr(at, 16))) << s.path << " @" << at;
        std::string name = fs::u8path(s.path).filename().string();
        EXPECT_EQ(std::string::npos, everything.find(name)) << name;
    }

    DiscKeys keys;
    EXPECT_EQ(0, UnlockDisc(&disc.record, "open sesame", 11, &keys));
    std::vector<ItemRecord> items = OpenSealedItems(disc, "Open Sesame", &keys);
    ASSERT_EQ(2u + 5u, items.size());  // root, whole disc, Photos and four files
    size_t files = 0;
    for (const ItemRecord& item : items) {
        if (item.itemType != ITEM_FILE)
            continue;
        ++files;
        EXPECT_EQ(0u, item.reserved) << "tags, not checksums";
        bool found = false;
        for (const Source& s : sources) {
            if (fs::u8path(s.path).filename().string() == item.itemName) {
                found = true;
                EXPECT_TRUE(ExtractSealedFile(scratch / "out", item, keys) == s.contents) << item.itemName;
            }
        }
        EXPECT_TRUE(found) << item.itemName;
    }
    EXPECT_EQ(4u, files);
}

TEST(PasswordTest, PasswordsTheGateCannotUseAreRefused)
{
    ScratchFolder scratch;
    std::string source = (scratch / "src").string();
    fs::create_directories(source);
    std::string output = (scratch / "out").string();
    // "q" cancels out the salt's combined value: scrambled contents would stay
    // plain. A strong disc takes any script, in at most 250 bytes of UTF-8.
    for (const std::string& password : {std::string(251, 'p'), std::string(), std::string("q"),
                                        std::string("\xC5\x81\xC3\xB3" "d\xC5\xBA")}) {
        RunResult run = RunMkdiscWith({"--password", password, "--protection", "scrambled", source, output});
        EXPECT_EQ(2, run.exitCode) << password;
        EXPECT_NE(std::string::npos, run.messages.find("--password")) << run.messages;
    }
    for (const std::string& password : {std::string(251, 'p'), std::string("\xFF\xFE")}) {
        RunResult run = RunMkdiscWith({"--password", password, source, output});
        EXPECT_EQ(2, run.exitCode) << password;
        EXPECT_NE(std::string::npos, run.messages.find("--password")) << run.messages;
    }
    // Strong protection is made from a password and needs the record.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--protection", "strong", source, output},
          std::vector<std::string>{"--password", "pw", "--protection", "strong", "--no-integrity", source, output},
          std::vector<std::string>{"--protection", "aes", source, output}}) {
        RunResult run = RunMkdiscWith(args);
        EXPECT_EQ(2, run.exitCode) << args[1];
        EXPECT_NE(std::string::npos, run.messages.find("--protection")) << run.messages;
    }
}

// Each kind of disc behind a password: the design's check alone, the check
// with a verifier, and a strong disc.
TEST(PasswordTest, VerifyAndExtractNeedTheRightPassword)
{
    const std::pair<const char*, int> kinds[] = {{"no record", -1}, {"verified", 0}, {"strong", 1}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.first);
        ScratchFolder scratch;
        WriteText(scratch / "viewer.exe", FAKE_VIEWER);
        WriteText(scratch / "src/secret.txt", "the secret contents");
        WriteText(scratch / "src/Caf\xC3\xA9/big.bin", std::string(2500000, 'x') + "end");
        std::string out = (scratch / "out").string();
        const char* protection[] = {"--no-integrity", "--protection=scrambled", "--protection=strong"};
        ASSERT_EQ(0, RunMkdiscWith({"--viewer", (scratch / "viewer.exe").string(), "--password", "Open S\xC3\xA9same",
                                    "--label", "Vault", protection[kind.second + 1], (scratch / "src").string(), out})
                         .exitCode);
        // A password the design's one-byte check takes for the right one:
        // only the verifier tells it apart.
        char block[CONTENT_KEY_SIZE];
        ASSERT_EQ(1, MakePasswordCheckBlock("Open S\xE9same", block));
        std::string impostor;
        char key[CONTENT_KEY_SIZE];
        for (char a = 'A'; a <= 'z' && impostor.empty(); ++a) {
            for (char b = 'A'; b <= 'z' && impostor.empty(); ++b) {
                std::string typed = std::string{a, b} + "en S\xE9same";
                if (typed != "Open S\xE9same" && CheckPassword(block, typed.c_str(), key))
                    impostor = std::string{a, b} + "en S\xC3\xA9same";
            }
        }
        ASSERT_FALSE(impostor.empty());

        RunResult missing = RunMkdiscWith({"--verify", out});
        EXPECT_EQ(2, missing.exitCode);
        EXPECT_NE(std::string::npos, missing.messages.find("give it with --password")) << missing.messages;
        RunResult admitted = RunMkdiscWith({"--verify", out, "--password", impostor});
        EXPECT_EQ(kind.second < 0 ? 0 : 2, admitted.exitCode) << impostor << admitted.messages;
        for (const char* wrong : {"open S\xC3\xA9same", "Open Sesame", ""}) {
            RunResult run = RunMkdiscWith({"--verify", out, "--password", wrong});
            EXPECT_EQ(2, run.exitCode) << wrong;
            EXPECT_NE(std::string::npos, run.messages.find("wrong password")) << run.messages;
        }
        fs::path target = scratch / "target";
        RunResult extract = RunMkdiscWith({"--extract", out, "--to", target.string(), "--password", "Open S\xC3\xA9same"});
        EXPECT_EQ(0, extract.exitCode) << extract.messages << extract.output;
        EXPECT_EQ("the secret contents", ReadText(target / "Vault/secret.txt"));
        EXPECT_EQ(std::string(2500000, 'x') + "end", ReadText(target / "Vault/Caf\xC3\xA9/big.bin"));
        if (kind.second == 1) {
            // One flipped byte of a sealed chunk: that file alone (big.bin is
            // read ahead on a second thread, secret.txt is not).
            std::string data = ReadText(scratch / "out/disc0001.dat");
            data[100] ^= 1;
            WriteText(scratch / "out/disc0001.dat", data);
            RunResult run = RunMkdiscWith({"--verify", out, "--password", "Open S\xC3\xA9same"});
            EXPECT_EQ(1, run.exitCode) << run.messages;
            EXPECT_EQ(1u, (size_t)std::count(run.output.begin(), run.output.end(), '\n') - 1) << run.output;
            EXPECT_NE(std::string::npos, run.output.find("1 of 2 files are damaged")) << run.output;
            data.back() ^= 1;  // the tag of the other file's last chunk
            WriteText(scratch / "out/disc0001.dat", data);
            run = RunMkdiscWith({"--verify", out, "--password", "Open S\xC3\xA9same"});
            EXPECT_NE(std::string::npos, run.output.find("damaged: secret.txt\n")) << run.output;
            EXPECT_NE(std::string::npos, run.output.find("damaged: Caf\xC3\xA9/big.bin\n")) << run.output;
            EXPECT_NE(std::string::npos, run.output.find("2 of 2 files are damaged")) << run.output;
        }
    }
}

// What an attacker can change without the password: the record's count
// (its CRC-32 mended), the splash text, the licence, the "no export"
// switch. Each one fails the sealed table's tag; nothing is read or written.
TEST(PasswordTest, StrongDiscsRefuseEveryChangeToTheirLayout)
{
    ScratchFolder scratch;
    WriteText(scratch / "viewer.exe", FAKE_VIEWER);
    WriteText(scratch / "eula.txt", "Use it kindly.");
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        WriteText(scratch / "src" / name, name);
    std::string out = (scratch / "out").string();
    ASSERT_EQ(0, RunMkdiscWith({"--viewer", (scratch / "viewer.exe").string(), "--password", "pw", "--label",
                                "Vault", "--eula", (scratch / "eula.txt").string(), "--splash-text", "Hello",
                                "--no-export", (scratch / "src").string(), out})
                     .exitCode);
    const std::string original = ReadText(scratch / "out/discview.exe");
    const DiscContents disc = ReadDisc(scratch / "out");
    ASSERT_EQ(INTEGRITY_VERSION_WIDE, disc.record.version);
    auto changeHeader = [&](std::string bytes, void (*change)(LayoutHeader*)) {
        LayoutHeader header = disc.header;
        change(&header);
        IntegrityRecord* record = (IntegrityRecord*)((unsigned char*)&header + INTEGRITY_RECORD_OFFSET);
        record->checksum = 0;
        record->checksum = Crc32Of(record, sizeof *record);
        XorWithValue((unsigned char*)&header, sizeof header, CombinedKeyValue(layoutKey));
        bytes.replace(disc.sections.header, sizeof header, (const char*)&header, sizeof header);
        return bytes;
    };
    std::string licence = original;
    licence[disc.sections.eula] ^= 0x20;
    const std::pair<const char*, std::string> attacks[] = {
        {"one item less", changeHeader(original, [](LayoutHeader* h) {
             ((IntegrityRecord*)((unsigned char*)h + INTEGRITY_RECORD_OFFSET))->itemCount -= 1;
         })},
        {"splash text", changeHeader(original, [](LayoutHeader* h) { h->splashText[0] = 'J'; })},
        {"no export cleared", changeHeader(original, [](LayoutHeader* h) { h->flags &= ~FLAG_EXPORT_DISABLED; })},
        {"licence", licence},
    };
    for (const auto& attack : attacks) {
        SCOPED_TRACE(attack.first);
        WriteText(scratch / "out/discview.exe", attack.second);
        RunResult verify = RunMkdiscWith({"--verify", out, "--password", "pw"});
        EXPECT_EQ(2, verify.exitCode) << verify.output;
        EXPECT_NE(std::string::npos, verify.messages.find("altered or damaged")) << verify.messages;
        fs::path target = scratch / "target";
        RunResult extract = RunMkdiscWith({"--extract", out, "--to", target.string(), "--password", "pw"});
        EXPECT_EQ(2, extract.exitCode);
        EXPECT_FALSE(fs::exists(target / "Vault"));
    }
    WriteText(scratch / "out/discview.exe", original);
    EXPECT_EQ(0, RunMkdiscWith({"--verify", out, "--password", "pw"}).exitCode);
}

// Replacing a disc with a less protected one is done (scripts rely on it),
// but always with a warning that says what was lost.
TEST(PasswordTest, ReplacingADiscWithAWeakerOneWarns)
{
    ScratchFolder scratch;
    WriteText(scratch / "viewer.exe", FAKE_VIEWER);
    WriteText(scratch / "src/a.txt", "a");
    auto build = [&](std::vector<std::string> options) {
        options.insert(options.begin(), {"--viewer", (scratch / "viewer.exe").string()});
        options.push_back((scratch / "src").string());
        options.push_back((scratch / "out").string());
        return RunMkdiscWith(options);
    };
    ASSERT_EQ(0, build({"--password", "pw"}).exitCode);
    RunResult scrambled = build({"--password", "pw", "--protection", "scrambled"});
    EXPECT_EQ(0, scrambled.exitCode);
    EXPECT_NE(std::string::npos, scrambled.messages.find("warning: the disc in")) << scrambled.messages;
    EXPECT_NE(std::string::npos, scrambled.messages.find("has strong protection (AES-256) and a password; the "
                                                         "new one, which replaces it, has a password (scrambled)"))
        << scrambled.messages;
    RunResult none = build({});
    EXPECT_EQ(0, none.exitCode);
    EXPECT_NE(std::string::npos, none.messages.find("which replaces it, has no password")) << none.messages;
    RunResult again = build({});
    EXPECT_EQ(std::string::npos, again.messages.find("warning")) << again.messages;
    RunResult stronger = build({"--password", "pw"});
    EXPECT_EQ(std::string::npos, stronger.messages.find("warning")) << stronger.messages;
}

}  // namespace
