// Passwords that never show in the process list: --password-file, and the
// terminal's prompt (here a stand-in that answers from a list), twice for a
// new disc and once for a disc to read, and only when the disc has one.
#include <gtest/gtest.h>

#include <deque>

#include "disc_test_support.h"
#include "help_text.h"

namespace {

std::deque<std::string> answers;
std::vector<std::string> prompts;

int Answer(const char* prompt, std::string& typed)
{
    prompts.push_back(prompt);
    if (answers.empty())
        return 0;
    typed = answers.front();
    answers.pop_front();
    return 1;
}

class PasswordInputTest : public DiscBuildTest {
protected:
    void SetUp() override
    {
        DiscBuildTest::SetUp();
        WriteText(source / "a.txt", "kept under the password");
        answers.clear();
        prompts.clear();
    }
    RunResult Run(const std::vector<std::string>& args, std::deque<std::string> typed = {})
    {
        answers = std::move(typed);
        prompts.clear();
        return RunMkdiscWith(args, Answer);
    }
    std::vector<std::string> Built(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"--viewer", viewer});
        options.push_back(source.string());
        options.push_back(output.string());
        return options;
    }
};

TEST_F(PasswordInputTest, FileGivesTheFirstLineAndOpensWhatItBuilt)
{
    // Notepad's byte order mark and line end are not part of the password.
    WriteText(scratch / "pw.txt", "\xEF\xBB\xBFL\xC3\xB3" "dz\r\nsecond line\r\n");
    WriteText(scratch / "empty.txt", "\r\nsecond line");
    ASSERT_EQ(0, Run(Built({"--password-file", (scratch / "pw.txt").string()})).exitCode);
    EXPECT_EQ(0, Run({"--verify", output.string(), "--password-file", (scratch / "pw.txt").string()}).exitCode);
    EXPECT_EQ(2, Run({"--verify", output.string(), "--password", "second line"}).exitCode);
    EXPECT_TRUE(prompts.empty()) << "asked although a password was given";

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {Built({"--password-file", (scratch / "empty.txt").string()}), "is empty"},
        {Built({"--password-file", (scratch / "missing.txt").string()}), "cannot read password file"},
        {Built({"--password", "a", "--password-file", (scratch / "pw.txt").string()}), "cannot be combined"},
        {Built({"--password-file", (scratch / "pw.txt").string(), "--content-key", "k"}), "cannot be combined"},
        {{"--verify", output.string(), "--password-file", (scratch / "empty.txt").string()}, "is empty"},
    };
    for (const auto& c : refused) {
        RunResult run = Run(c.first);
        EXPECT_EQ(2, run.exitCode) << c.second;
        EXPECT_NE(std::string::npos, run.messages.find(c.second)) << run.messages;
    }
    EXPECT_NE(std::string::npos, HelpText().find("process list"));
}

TEST_F(PasswordInputTest, StrongDiscWithoutPasswordAsksTwiceAndReadingAsksOnlyWhenNeeded)
{
    EXPECT_EQ(2, Run(Built({"--protection", "strong"}), {"one", "two"}).exitCode);
    EXPECT_EQ(2u, prompts.size());
    EXPECT_FALSE(fs::exists(output / "discview.exe")) << "built although the passwords differ";
    RunResult unasked = RunMkdiscWith(Built({"--protection", "strong"}));
    EXPECT_EQ(2, unasked.exitCode);
    EXPECT_NE(std::string::npos, unasked.messages.find("needs --password or --password-file")) << unasked.messages;

    ASSERT_EQ(0, Run(Built({"--protection", "strong"}), {"L\xC3\xB3" "dz", "L\xC3\xB3" "dz"}).exitCode);
    EXPECT_EQ(std::vector<std::string>({"Password for the new disc: ", "The same password again: "}), prompts);
    EXPECT_EQ(0, Run({"--verify", output.string()}, {"L\xC3\xB3" "dz"}).exitCode);
    EXPECT_EQ(std::vector<std::string>({"Password of the disc: "}), prompts);
    EXPECT_EQ(2, Run({"--verify", output.string()}, {"wrong"}).exitCode);
    EXPECT_EQ(2, Run({"--verify", output.string()}).exitCode) << "nothing typed";

    ASSERT_EQ(0, Run(Built({})).exitCode);
    EXPECT_EQ(0, Run({"--verify", output.string()}).exitCode);
    EXPECT_TRUE(prompts.empty()) << "a disc without password asked for one";
}

}  // namespace
