// Usage errors end with exit code 2 before anything is read or written.
#include <gtest/gtest.h>

#include <sstream>

#include "command_line.h"
#include "disc_test_support.h"
#include "option_rules.h"
#include "option_values.h"
#include "run_mkdisc.h"

namespace {

TEST(CommandLineTest, UsageErrorsNameTheOption)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"src"}, "OUTPUT_DIR"},
        {{"a", "b", "c"}, "unexpected argument c"},
        {{"--frobnicate", "a", "b"}, "--frobnicate"},
        {{"--label"}, "--label needs a value"},
        {{"--label", "x", "--label", "y", "a", "b"}, "more than once"},
        {{"--text-color", "#12345", "--splash-text", "t", "a", "b"}, "--text-color"},
        {{"--back-color", "256,0,0", "a", "b"}, "--back-color"},
        {{"--background-mode", "tile", "a", "b"}, "--background-mode needs --background"},
        {{"--font", "f.ttf", "a", "b"}, "--font needs --font-face"},
        {{"--shadow", "#000000,1", "--splash-text", "t", "a", "b"}, "--shadow"},
        {{"--data-file-limit", "4294967296", "a", "b"}, "--data-file-limit"},
        {{"--data-file-limit", "0", "a", "b"}, "--data-file-limit"},
        {{"--method-flags", "12abc", "a", "b"}, "--method-flags"},
        {{"--content-key", "", "a", "b"}, "--content-key"},
        {{"--content-key", "abab", "a", "b"}, "cancel out"},
        {{"--password", "p", "--content-key", "k", "a", "b"}, "--content-key"},
        {{"--label", "CON", "a", "b"}, "--label"},
        {{"--no-export=yes", "a", "b"}, "--no-export"},
        {{"--to", "o"}, "--to needs --extract"},
        {{"--verify", "d", "--to", "o"}, "--to needs --extract"},
        {{"--extract", "d"}, "--extract needs --to OUT_DIR"},
        {{"--verify", "d", "src", "out"}, "unexpected argument src"},
        {{"src", "out", "--verify=d"}, "unexpected argument src"},
        {{"--verify", "d", "--extract", "e", "--to", "o"}, "cannot be combined"},
        {{"--extract", "d", "--to", "o", "--label", "x"}, "--label cannot be combined"},
        {{"--verify"}, "--verify needs a value"},
        {{"--verify", "d", "--password", "a", "--password", "b"}, "more than once"},
    };
    for (const auto& c : cases) {
        RunResult run = RunMkdiscWith(c.first);
        EXPECT_EQ(2, run.exitCode) << c.second;
        EXPECT_NE(std::string::npos, run.messages.find(c.second)) << run.messages;
    }
}

// The window program runs this command line under its own name.
TEST(CommandLineTest, MessagesAndHelpNameTheProgram)
{
    std::ostringstream out, err;
    EXPECT_EQ(EXIT_USAGE, RunMkdisc({"src"}, out, err, "Arcseal3"));
    EXPECT_EQ(0u, err.str().find("Arcseal3: SOURCE_DIR and OUTPUT_DIR are required")) << err.str();
    EXPECT_NE(std::string::npos, err.str().find("Try 'Arcseal3 --help'")) << err.str();
    EXPECT_EQ(EXIT_BUILT, RunMkdisc({"--help"}, out, err, "Arcseal3"));
    EXPECT_EQ(0u, out.str().find("Usage: Arcseal3 [options] SOURCE_DIR OUTPUT_DIR")) << out.str();
    EXPECT_NE(std::string::npos, out.str().find("--iso FILE")) << "listed in the help";
    EXPECT_NE(std::string::npos, out.str().find("\n       Arcseal3 --extract DISC_DIR --to OUT_DIR")) << out.str();
}

TEST(CommandLineTest, ValueForms)
{
    DiscOptions options;
    std::string error;
    ASSERT_EQ(CommandLineResult::Build,
              ParseCommandLine({"--method-flags=0x4c0", "--data-file-limit", "4294967295",
                                "--back-color", "#A0B0C0", "--", "--odd source", "out"},
                               options, error))
        << error;
    EXPECT_EQ(0x4C0u, options.methodFlags);
    EXPECT_EQ(4294967295u, options.dataFileLimit);
    EXPECT_EQ(0x00C0B0A0u, options.backColor);
    EXPECT_EQ("--odd source", options.sourceDir);

    uint32_t colour = 0;
    int32_t dx = 0, dy = 0;
    EXPECT_TRUE(ParseShadow("10,20,30,-1,2", colour, dx, dy));
    EXPECT_EQ(0x001E140Au, colour);
    EXPECT_EQ(-1, dx);
    EXPECT_FALSE(ParseColour("1,2", colour));
    EXPECT_FALSE(ParseColour("#GG0000", colour));
    EXPECT_FALSE(ParseColour("-1,2,3", colour));
}

TEST(CommandLineTest, HelpExplainsEveryOption)
{
    std::string help = HelpText();
    for (const char* option :
         {"--viewer", "--label", "--password", "--content-key", "--eula", "--background",
          "--background-mode", "--logo", "--logo-pos", "--logo-key", "--splash-text", "--text-pos",
          "--text-color", "--shadow", "--back-color", "--font-height", "--font", "--font-face",
          "--no-export", "--clear-recent", "--method-flags", "--data-file-limit", "--help",
          "--protection", "--no-integrity", "--verify", "--extract", "--to"})
        EXPECT_NE(std::string::npos, help.find(std::string("  ") + option + " ")) << option;
    // An option added to the table and not to the help shows here.
    DiscOptions unused;
    for (const OptionRule& rule : OptionTable(unused))
        EXPECT_NE(std::string::npos, help.find(std::string("  ") + rule.name + " ")) << rule.name;
    EXPECT_NE(std::string::npos, help.find("process list")) << "--password TEXT is visible to others";
    EXPECT_EQ(0, RunMkdiscWith({"--help"}).exitCode);
}

}  // namespace
