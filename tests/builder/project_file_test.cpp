// The project file: what the window saves reads back the same, a file an
// author wrote by hand reads as he meant it, and a file that is not a
// project is refused with the line named.
#include <gtest/gtest.h>

#include "project_file.h"

namespace {

ProjectSettings Filled()
{
    ProjectSettings settings = DefaultSettings();
    settings[FIELD_SOURCE] = "C:\\Discs\\Harbour";
    settings[FIELD_OUTPUT] = "C:\\Discs\\Harbour disc";
    settings[FIELD_TITLE] = "Caf\xC3\xA9 = 2004";
    settings[FIELD_USE_PASSWORD] = "1";
    settings[FIELD_PROTECTION] = "scrambled";
    settings[FIELD_LICENCE] = "C:\\Discs\\licence.txt";
    settings[FIELD_BACKGROUND] = "C:\\Art\\sky.jpg";
    settings[FIELD_BACKGROUND_PLACEMENT] = "tile";
    settings[FIELD_LOGO_PLACEMENT] = "12,-4";
    settings[FIELD_SPLASH_TEXT] = "  Welcome\nto C:\\new\\n and \\\\ back\n";
    settings[FIELD_SHADOW_COLOUR] = "#000000";
    settings[FIELD_FONT_FACE] = "Fancy Sans";
    settings[FIELD_NO_EXPORT] = "1";
    settings[FIELD_HIDE_TITLE] = "1";
    return settings;
}

TEST(ProjectFileTest, SavedSettingsReadBackTheSameWithoutThePasswords)
{
    ProjectSettings settings = Filled();
    settings[FIELD_PASSWORD] = "secret";
    settings[FIELD_CONFIRM] = "secret";
    std::string text = ProjectText(settings);
    EXPECT_EQ(std::string::npos, text.find("secret")) << text;
    EXPECT_EQ(0u, text.find("\xEF\xBB\xBF; Arcseal 3 project")) << text;
    EXPECT_NE(std::string::npos, text.find("\r\n[Content]\r\nSourceFolder=C:\\Discs\\Harbour\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("\r\n[Protection]\r\nHasPassword=1\r\nProtection=scrambled\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("\r\n[Switches]\r\nNoExport=1\r\nClearRecentDocuments=0\r\nHideTitle=1\r\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find("SplashText=  Welcome\\nto C:\\\\new\\\\n and \\\\\\\\ back\\n\r\n")) << text;

    ProjectSettings read = DefaultSettings();
    read[FIELD_PASSWORD] = "typed before opening";
    std::string problem;
    ASSERT_EQ(1, ReadProjectText(text, read, problem)) << problem;
    ProjectSettings expected = Filled();
    EXPECT_EQ(expected.values, read.values);
    EXPECT_TRUE(SameSavedSettings(settings, read)) << "passwords do not count";
}

TEST(ProjectFileTest, HandWrittenFileKeepsDefaultsAndPassesOverUnknownNames)
{
    const std::string text =
        "# written in Notepad\n"
        "[content]\n"
        "  sourcefolder = D:\\Src\n"
        "OutputFolder=D:\\Out\n"
        "Unknown=kept out\n"
        "[Protection]\n"
        "Protection=scrambled\n"
        "Password=never read\n"
        "[Switches]\n"
        "NoExport=yes\n"
        "ClearRecentDocuments=maybe\n"
        "[Later Section]\n"
        "SourceFolder=not the content's\n";
    ProjectSettings read = DefaultSettings();
    std::string problem;
    ASSERT_EQ(1, ReadProjectText(text, read, problem)) << problem;
    EXPECT_EQ("D:\\Src", read[FIELD_SOURCE]) << "blanks around the '=' do not count";
    EXPECT_EQ("D:\\Out", read[FIELD_OUTPUT]);
    EXPECT_EQ("scrambled", read[FIELD_PROTECTION]);
    EXPECT_EQ("", read[FIELD_PASSWORD]) << "passwords are never taken from a file";
    EXPECT_EQ("0", read[FIELD_USE_PASSWORD]) << "a file of before says nothing of one";
    EXPECT_EQ("1", read[FIELD_NO_EXPORT]);
    EXPECT_EQ("0", read[FIELD_CLEAR_RECENT]);
    EXPECT_EQ("stretch", read[FIELD_BACKGROUND_PLACEMENT]);
    EXPECT_EQ("#FFFFFF", read[FIELD_TEXT_COLOUR]);
}

TEST(ProjectFileTest, TextThatIsNoProjectIsRefusedAndChangesNothing)
{
    const std::pair<std::string, std::string> cases[] = {
        {"[Content]\nSourceFolder=x\njust words\n", "line 3"},
        {"[Content\nSourceFolder=x\n", "line 1"},
        {std::string("MZ\0\0binary", 10), "not text"},
    };
    for (const auto& c : cases) {
        ProjectSettings read = Filled();
        std::string problem;
        EXPECT_EQ(0, ReadProjectText(c.first, read, problem)) << c.second;
        EXPECT_NE(std::string::npos, problem.find(c.second)) << problem;
        EXPECT_EQ(Filled().values, read.values);
    }
}

}  // namespace
