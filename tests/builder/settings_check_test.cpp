// The checks the window makes before it builds: sound settings become the
// options mkdisc's command line would give, and each problem is put on the
// field it belongs to, the one highest up in the window first.
#include <gtest/gtest.h>

#include <functional>

#include "disc_test_support.h"
#include "command_line.h"
#include "settings_check.h"

namespace {

class SettingsCheckTest : public ::testing::Test {
protected:
    ScratchFolder scratch;
    ProjectSettings settings = DefaultSettings();

    void SetUp() override
    {
        // The window finds the viewer beside its own program.
        WriteText(scratch / "src/a.txt", "a");
        settings[FIELD_SOURCE] = (scratch / "src").string();
        settings[FIELD_OUTPUT] = (scratch / "out").string();
    }
};

TEST_F(SettingsCheckTest, ArgumentsLeaveOutWhatOnlyRefinesAnEmptyField)
{
    settings[FIELD_SPLASH_TEXT] = "@home";
    settings[FIELD_SHADOW_COLOUR] = "#102030";
    settings[FIELD_NO_EXPORT] = "1";
    settings[FIELD_HIDE_TITLE] = "1";
    const std::vector<std::string> expected = {
        "--back-color", "#000000", "--splash-text", "@@home", "--text-pos", "centre", "--text-color", "#FFFFFF",
        "--font-height", "32", "--shadow", "#102030,2,2", "--no-export", "--hide-title", "--", settings[FIELD_SOURCE],
        settings[FIELD_OUTPUT]};
    EXPECT_EQ(expected, SettingsToArguments(settings));

    // The protection goes with the password, and only with it.
    settings[FIELD_PROTECTION] = "scrambled";
    EXPECT_EQ(expected, SettingsToArguments(settings));
    settings[FIELD_PASSWORD] = settings[FIELD_CONFIRM] = "sesame";
    std::vector<std::string> args = SettingsToArguments(settings);
    const std::vector<std::string> head = {"--password", "sesame", "--protection", "scrambled"};
    EXPECT_EQ(head, std::vector<std::string>(args.begin(), args.begin() + 4));
    DiscOptions options;
    std::string error;
    ASSERT_EQ(CommandLineResult::Build, ParseCommandLine(args, options, error)) << error;
    EXPECT_EQ(Protection::Scrambled, options.protection);
}

TEST_F(SettingsCheckTest, EachProblemIsPutOnItsField)
{
    WriteText(scratch / "sky.jpg", "\xFF\xD8\xFF\xE0 picture");
    WriteText(scratch / "Fancy.ttf", std::string("\0\1\0\0 font", 10));
    struct Case {
        const char* what;
        std::function<void(ProjectSettings&)> change;
        Field field;
        const char* message;
    };
    const std::string empty = (scratch / "empty").string();
    fs::create_directories(empty);
    const Case cases[] = {
        {"no source", [](ProjectSettings& s) { s[FIELD_SOURCE] = ""; }, FIELD_SOURCE, "choose the folder"},
        {"empty source", [&](ProjectSettings& s) { s[FIELD_SOURCE] = empty; }, FIELD_SOURCE, "is empty"},
        {"output is a file", [&](ProjectSettings& s) { s[FIELD_OUTPUT] = s[FIELD_SOURCE] + "/a.txt"; },
         FIELD_OUTPUT, "is a file"},
        {"source inside output", [&](ProjectSettings& s) { s[FIELD_OUTPUT] = scratch.path().string(); },
         FIELD_OUTPUT, "the source folder lies inside"},
        {"relative output", [](ProjectSettings& s) { s[FIELD_OUTPUT] = "disc"; }, FIELD_OUTPUT,
         "is not a full path"},
        {"relative logo", [](ProjectSettings& s) { s[FIELD_LOGO] = "art/logo.gif"; }, FIELD_LOGO,
         "is not a full path"},
        {"device title", [](ProjectSettings& s) { s[FIELD_TITLE] = "CON"; }, FIELD_TITLE, "Windows"},
        {"placement", [&](ProjectSettings& s) {
             s[FIELD_BACKGROUND] = (scratch / "sky.jpg").string();
             s[FIELD_BACKGROUND_PLACEMENT] = "sideways";
         }, FIELD_BACKGROUND_PLACEMENT, "expected one of stretch"},
        {"colour", [](ProjectSettings& s) { s[FIELD_BACK_COLOUR] = "black"; }, FIELD_BACK_COLOUR, "#RRGGBB"},
        {"shadow offset", [](ProjectSettings& s) {
             s[FIELD_SPLASH_TEXT] = "Hello";
             s[FIELD_SHADOW_COLOUR] = "#000000";
             s[FIELD_SHADOW_OFFSET] = "2";
         }, FIELD_SHADOW_OFFSET, "DX,DY"},
        {"text height", [](ProjectSettings& s) {
             s[FIELD_SPLASH_TEXT] = "Hello";
             s[FIELD_TEXT_HEIGHT] = "big";
         }, FIELD_TEXT_HEIGHT, "whole number"},
        {"splash too long", [](ProjectSettings& s) { s[FIELD_SPLASH_TEXT] = std::string(3000, 'w'); },
         FIELD_SPLASH_TEXT, "2788"},
        {"face without font", [](ProjectSettings& s) { s[FIELD_FONT_FACE] = "Fancy Sans"; },
         FIELD_FONT_FILE, "holds the face"},
        {"face too long", [&](ProjectSettings& s) {
             s[FIELD_FONT_FILE] = (scratch / "Fancy.ttf").string();
             s[FIELD_FONT_FACE] = std::string(40, 'f');
         }, FIELD_FONT_FACE, "31 characters"},
        // A reopened project: the file said the disc has a password, but not which.
        {"password not typed again", [](ProjectSettings& s) { s[FIELD_USE_PASSWORD] = "1"; }, FIELD_PASSWORD,
         "does not keep passwords"},
        {"protection", [](ProjectSettings& s) {
             s[FIELD_PASSWORD] = s[FIELD_CONFIRM] = "sesame";
             s[FIELD_PROTECTION] = "armoured";
         }, FIELD_PROTECTION, "expected strong or scrambled"},
        // Both the password and the colour are wrong: the password stands higher up.
        {"first problem first", [](ProjectSettings& s) {
             s[FIELD_PASSWORD] = std::string(251, 'p');
             s[FIELD_CONFIRM] = s[FIELD_PASSWORD];
             s[FIELD_BACK_COLOUR] = "black";
         }, FIELD_PASSWORD, "longer than 250"},
    };
    for (const Case& c : cases) {
        ProjectSettings changed = settings;
        c.change(changed);
        DiscOptions options;
        FieldProblem problem;
        EXPECT_EQ(0, CheckSettings(changed, options, problem)) << c.what;
        EXPECT_EQ(c.field, problem.field) << c.what << ": " << problem.message;
        EXPECT_NE(std::string::npos, problem.message.find(c.message)) << c.what << ": " << problem.message;
        EXPECT_EQ('.', problem.message.back()) << c.what << ": " << problem.message;
    }
    EXPECT_FALSE(fs::exists(scratch / "out")) << "checking writes nothing";
}

TEST_F(SettingsCheckTest, ProblemTextNamesTheFieldAsTheWindowDoes)
{
    EXPECT_EQ("Confirm password: the two passwords differ.",
              ProblemText({FIELD_CONFIRM, "the two passwords differ."}));
    EXPECT_EQ("No viewer here.", ProblemText({FIELD_NONE, "no viewer here."}));
}

}  // namespace
