// A disc with password: the check block the viewer's gate tests, and the key
// the contents are scrambled with.
#include <gtest/gtest.h>

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

}  // namespace
