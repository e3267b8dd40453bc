#include <gtest/gtest.h>

#include <cstring>

#include "path_text.h"

namespace {

TEST(PathText, FileNamePartAndStripFileName)
{
    char path[] = "C:\\Disc\\Docs\\a.txt";
    EXPECT_STREQ(FileNamePart(path), "a.txt");
    EXPECT_EQ(FileNamePart("no-backslash.bmp"), nullptr);
    EXPECT_STREQ(FileNamePart("ends\\"), "");
    EXPECT_EQ(FileNamePart((const char*)nullptr), nullptr);
    StripFileName(path);
    EXPECT_STREQ(path, "C:\\Disc\\Docs");
    char plain[] = "plain";
    StripFileName(plain);
    EXPECT_STREQ(plain, "plain");
    StripFileName(nullptr);
}

// A viewer at a drive root or a share root: its folder keeps the root's
// backslash ("F:" alone is the current folder of F:, wherever that is).
TEST(PathText, StripFileNameKeepRootLeavesAFolderThatCanBeMadeCurrent)
{
    const char* const cases[][2] = {
        {"F:\\discview.exe", "F:\\"},
        {"F:\\disc\\discview.exe", "F:\\disc"},
        {"\\\\server\\share\\discview.exe", "\\\\server\\share\\"},
        {"\\\\server\\share\\disc\\discview.exe", "\\\\server\\share\\disc"},
        {"\\discview.exe", "\\"},
        {"disc\\discview.exe", "disc"},
        {"discview.exe", "discview.exe"},
    };
    for (const auto& [path, folder] : cases) {
        char text[64];
        strcpy(text, path);
        StripFileNameKeepRoot(text);
        EXPECT_STREQ(text, folder) << path;
    }
    StripFileNameKeepRoot(nullptr);
}

TEST(PathText, PathRootLengthCoversTheDriveOrTheWholeShare)
{
    EXPECT_EQ(PathRootLength("C:\\Out\\Docs"), 2u);
    EXPECT_EQ(PathRootLength("C:"), 2u);
    EXPECT_EQ(PathRootLength("\\\\server\\share\\folder"), strlen("\\\\server\\share"));
    EXPECT_EQ(PathRootLength("\\\\server\\share"), strlen("\\\\server\\share"));
    EXPECT_EQ(PathRootLength("\\\\server"), strlen("\\\\server"));
    EXPECT_EQ(PathRootLength("\\Out"), 0u);
    EXPECT_EQ(PathRootLength("Out\\Docs"), 3u);
    EXPECT_EQ(PathRootLength(""), 0u);
    EXPECT_EQ(PathRootLength(nullptr), 0u);
}

TEST(PathText, PlainFileNamesAreSingleNamesWindowsCanCreate)
{
    for (const char* name : {"a.txt", "Report 2004.doc", "caf\xe9.txt", "...x", "CONSOLE.txt",
                             "com10", "LPT", "COM", "CONIN", "CONOUT$X", "CONIN$$", "COM\xC2\xB4"})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
    for (const char* name : {"", ".", "..", "a\\b", "a/b", "C:x", "what?", "star*", "quote\"", "<", ">",
                             "pipe|", "tab\there", "dot.", "blank ", "CON", "con.txt", "Nul", "aux.c",
                             "PRN", "COM1", "lpt9.log", "nul.txt.bak", "COM0", "con .txt", "com\xb9",
                             "LPT\xC2\xB2.txt" /* UTF-8 superscript two */,
                             "CONIN$", "conout$", "CONIN$.txt", "conout$ .log"})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    EXPECT_FALSE(IsPlainFileName(nullptr));
}

}  // namespace
