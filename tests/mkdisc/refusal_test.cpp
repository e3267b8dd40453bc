// Inputs the builder must refuse with a message naming the culprit, leaving
// no new disc behind.
#include <gtest/gtest.h>

#include "disc_test_support.h"

namespace {

class RefusalTest : public DiscBuildTest {
protected:
    void SetUp() override
    {
        DiscBuildTest::SetUp();
        WriteText(source / "fine.txt", "fine");
    }

    RunResult Build() { return RunBuild({}); }

    void ExpectRefusedNaming(const std::string& culprit)
    {
        RunResult run = Build();
        EXPECT_EQ(1, run.exitCode) << culprit;
        EXPECT_NE(std::string::npos, run.messages.find(culprit)) << run.messages;
        EXPECT_FALSE(fs::exists(output / "discview.exe")) << culprit;
    }
};

TEST_F(RefusalTest, NamesThatCannotBeStoredOrCreatedOnWindows)
{
    const std::string names[] = {
        "\xE6\x97\xA5\xE6\x9C\xAC.txt",  // not in code page 1252
        "bad\xFF.txt",                   // not UTF-8
        std::string(255, 'n'),           // 255 bytes: over the viewer's 254
        "a:b.txt",
        "tab\there.txt",
        "con.txt",
        "LPT1",
        "trailing.",
        "trailing ",
    };
    for (const std::string& name : names) {
        fs::path bad = source / "sub" / fs::u8path(name);
        WriteText(bad, "x");
        ExpectRefusedNaming(name);
        fs::remove(bad);
    }
    EXPECT_EQ(0, Build().exitCode) << "with the bad names gone the source builds";

    // Every bad name of a build in one message, the first 20 and a count.
    for (int i = 0; i < 25; ++i)
        WriteText(source / ("many/" + std::to_string(100 + i) + ":bad.txt"), "x");
    RunResult run = Build();
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.messages.find("cannot store 25 names:")) << run.messages;
    EXPECT_NE(std::string::npos, run.messages.find("119:bad.txt")) << run.messages;
    EXPECT_EQ(std::string::npos, run.messages.find("120:bad.txt")) << run.messages;
    EXPECT_NE(std::string::npos, run.messages.find("... and 5 more")) << run.messages;
}

TEST_F(RefusalTest, NamesDifferingOnlyInCase)
{
    WriteText(source / "Report.TXT", "1");
    WriteText(source / "report.txt", "2");
    ExpectRefusedNaming("report.txt");
}

// A strong disc holds names of any script; names that Windows or the disc
// take for one (case in any script, composed or decomposed letters) are
// refused together, each pair named.
TEST_F(RefusalTest, StrongDiscsHoldAnyNameButNotTwoThatAreOne)
{
    WriteText(source / fs::u8path("\xE6\x97\xA5\xE6\x9C\xAC.txt"), "x");
    RunResult scrambled = RunBuild({"--protection", "scrambled"});
    EXPECT_EQ(1, scrambled.exitCode);
    EXPECT_NE(std::string::npos, scrambled.messages.find("a strong disc (--protection strong, with a password) holds any name"))
        << scrambled.messages;
    EXPECT_EQ(0, RunBuild({"--password", "pw"}).exitCode);

    WriteText(source / fs::u8path("\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1"), "1");  // Αθήνα
    WriteText(source / fs::u8path("\xCE\xB1\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1"), "2");  // αθήνα
    WriteText(source / fs::u8path("Caf\xC3\xA9"), "3");
    WriteText(source / fs::u8path("Cafe\xCC\x81"), "4");
    RunResult run = RunBuild({"--password", "pw"});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.messages.find("cannot store 2 names:")) << run.messages;
    EXPECT_NE(std::string::npos, run.messages.find("\xCE\xB1\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1\": the names differ")) << run.messages;
    EXPECT_NE(std::string::npos, run.messages.find("composed")) << run.messages;
}

TEST_F(RefusalTest, SymbolicLinksAndSpecialFiles)
{
    fs::create_symlink(source / "fine.txt", source / "link.txt");
    ExpectRefusedNaming("link.txt");
}

TEST_F(RefusalTest, OutputAndSourceMustNotContainEachOther)
{
    RunResult inside = RunMkdiscWith({"--viewer", viewer, source.string(), (source / "disc").string()});
    EXPECT_EQ(1, inside.exitCode);
    EXPECT_NE(std::string::npos, inside.messages.find("inside source folder")) << inside.messages;
    EXPECT_FALSE(fs::exists(source / "disc"));

    RunResult same = RunMkdiscWith({"--viewer", viewer, source.string(), (source / ".").string()});
    EXPECT_EQ(1, same.exitCode) << same.messages;

    RunResult around = RunMkdiscWith({"--viewer", viewer, source.string(), scratch.path().string()});
    EXPECT_EQ(1, around.exitCode);
    EXPECT_NE(std::string::npos, around.messages.find("inside output folder")) << around.messages;
}

TEST_F(RefusalTest, ViewerThatAlreadyCarriesALayout)
{
    ASSERT_EQ(0, Build().exitCode);
    RunResult run = RunMkdiscWith(
        {"--viewer", (output / "discview.exe").string(), source.string(), (scratch / "again").string()});
    EXPECT_EQ(1, run.exitCode);
    EXPECT_NE(std::string::npos, run.messages.find("already carries")) << run.messages;
}

TEST_F(RefusalTest, FailedRebuildKeepsThePreviousDisc)
{
    ASSERT_EQ(0, Build().exitCode);
    std::string before = ReadText(output / "discview.exe");
    WriteText(source / "nul", "device name");
    EXPECT_EQ(1, Build().exitCode);
    EXPECT_EQ(before, ReadText(output / "discview.exe"));
    for (const fs::directory_entry& entry : fs::directory_iterator(output))
        EXPECT_EQ(std::string::npos, entry.path().filename().string().find("part")) << entry.path();
}

TEST_F(RefusalTest, BadOptionFilesNameTheOption)
{
    struct Case {
        std::vector<std::string> options;
        const char* expected;
    };
    WriteText(scratch / "empty.bmp", "");
    WriteText(scratch / "latin1.txt", "caf\xE9");
    WriteText(scratch / "long.txt", std::string(3000, 'w'));
    WriteText(scratch / "photo.png", "\x89PNG\r\n\x1a\n picture");
    WriteText(scratch / "jpeg.bmp", "\xFF\xD8\xFF\xE0 picture");
    WriteText(scratch / "notes.gif", "plain words");
    const Case cases[] = {
        {{"--background", (scratch / "photo.png").string()}, "the PNG picture cannot be read"},
        {{"--logo", (scratch / "jpeg.bmp").string()}, "is a JPEG picture"},
        {{"--logo", (scratch / "notes.gif").string()}, "not a BMP, JPEG, GIF or PNG"},
        {{"--eula", (scratch / "missing.txt").string()}, "--eula"},
        {{"--eula", (scratch / "latin1.txt").string()}, "--eula"},
        {{"--background", (scratch / "empty.bmp").string()}, "--background"},
        {{"--splash-text", "@" + (scratch / "long.txt").string()}, "--splash-text"},
        {{"--font", (scratch / "latin1.txt").string(), "--font-face", "Font With A Name Too Long For Windows"},
         "--font-face"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.options;
        args.insert(args.begin(), {"--viewer", viewer});
        args.push_back(source.string());
        args.push_back(output.string());
        RunResult run = RunMkdiscWith(args);
        EXPECT_NE(0, run.exitCode) << c.expected;
        EXPECT_NE(std::string::npos, run.messages.find(c.expected)) << run.messages;
        EXPECT_FALSE(fs::exists(output / "discview.exe"));
    }
}

}  // namespace
