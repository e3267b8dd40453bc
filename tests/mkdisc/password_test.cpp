// A disc with password: the check block the viewer's gate tests, the key
// the contents are scrambled with, and reading it back with the password.
#include <gtest/gtest.h>

#include <algorithm>

#include "disc_test_support.h"
#include "key_fields.h"

namespace {

TEST(PasswordTest, CheckBlockAcceptsOnlyThePasswordWhichUnlocksTheContents)
{
    ScratchFolder scratch;
    WriteFile(scratch / "viewer.exe", FAKE_VIEWER);
    WriteFile(scratch / "src/secret.txt", "the secret contents");
    RunResult run = RunMkdiscWith({"--viewer", (scratch / "viewer.exe").string(), "--password",
                                   "Open Sesame", (scratch / "src").string(),
                                   (scratch / "out").string()});
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
}

TEST(PasswordTest, PasswordsTheGateCannotUseAreRefused)
{
    ScratchFolder scratch;
    std::string source = (scratch / "src").string();
    fs::create_directories(source);
    std::string output = (scratch / "out").string();
    // "q" cancels out the salt's combined value: the contents would stay plain.
    for (const std::string& password : {std::string(251, 'p'), std::string(), std::string("q")}) {
        RunResult run = RunMkdiscWith({"--password", password, source, output});
        EXPECT_EQ(2, run.exitCode) << password;
        EXPECT_NE(std::string::npos, run.messages.find("--password")) << run.messages;
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
        WriteFile(scratch / "viewer.exe", FAKE_VIEWER);
        WriteFile(scratch / "src/secret.txt", "the secret contents");
        WriteFile(scratch / "src/Caf\xC3\xA9/big.bin", std::string(200000, 'x') + "end");
        std::string out = (scratch / "out").string();
        ASSERT_EQ(0, RunMkdiscWith({"--viewer", (scratch / "viewer.exe").string(), "--password", "Open S\xC3\xA9same",
                                    "--label", "Vault", "--no-integrity", (scratch / "src").string(), out})
                         .exitCode);
        // A password the design's one-byte check takes for the right one: only
        // the verifier tells it apart.
        std::string impostor;
        DiscContents disc = ReadDisc(out);
        char key[CONTENT_KEY_SIZE];
        for (char a = 'A'; a <= 'z' && impostor.empty(); ++a) {
            for (char b = 'A'; b <= 'z' && impostor.empty(); ++b) {
                std::string typed = std::string{a, b} + "en S\xE9same";
                if (typed != "Open S\xE9same" &&
                    CheckPassword(disc.header.contentKey, typed.c_str(), key))
                    impostor = std::string{a, b} + "en S\xC3\xA9same";
            }
        }
        ASSERT_FALSE(impostor.empty());
        if (kind.second >= 0)
            UpgradeDisc(out, kind.second ? DiscKind::Strong : DiscKind::Verified, "Open S\xE9sameTk9w",
                        "Open S\xE9same");

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
        EXPECT_EQ("the secret contents", ReadFile(target / "Vault/secret.txt"));
        EXPECT_EQ(std::string(200000, 'x') + "end", ReadFile(target / "Vault/Caf\xC3\xA9/big.bin"));
        if (kind.second == 1) {
            // One flipped byte of a sealed chunk: that file alone.
            std::string data = ReadFile(scratch / "out/disc0001.dat");
            data[100] ^= 1;
            WriteFile(scratch / "out/disc0001.dat", data);
            RunResult run = RunMkdiscWith({"--verify", out, "--password", "Open S\xC3\xA9same"});
            EXPECT_EQ(1, run.exitCode) << run.messages;
            EXPECT_EQ(1u, (size_t)std::count(run.output.begin(), run.output.end(), '\n') - 1) << run.output;
            EXPECT_NE(std::string::npos, run.output.find("1 of 2 files are damaged")) << run.output;
        }
    }
}

}  // namespace
