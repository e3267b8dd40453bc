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

TEST(PathText, PlainFileNamesAreSingleNamesWindowsCanCreate)
{
    for (const char* name : {"a.txt", "Report 2004.doc", "caf\xe9.txt", "...x", "CONSOLE.txt",
                             "com10", "LPT", "COM"})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
    for (const char* name : {"", ".", "..", "a\\b", "a/b", "C:x", "what?", "star*", "quote\"", "<", ">",
                             "pipe|", "tab\there", "dot.", "blank ", "CON", "con.txt", "Nul", "aux.c",
                             "PRN", "COM1", "lpt9.log", "nul.txt.bak", "COM0", "con .txt", "com\xb9"})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    EXPECT_FALSE(IsPlainFileName(nullptr));
}

}  // namespace
