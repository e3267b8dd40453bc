// CP1252 conversion and the texts the viewer draws or shows.
#include <gtest/gtest.h>

#include "cp1252.h"
#include "item_names.h"
#include "windows_text.h"

namespace {

TEST(Cp1252Test, ConvertsLatin1AndTheWindowsRange)
{
    std::string out;
    ASSERT_TRUE(Utf8ToCp1252("caf\xC3\xA9 \xE2\x82\xAC \xC5\xB8 \xC3\xBF", out));
    EXPECT_EQ("caf\xE9 \x80 \x9F \xFF", out);

    size_t bad = 99;
    EXPECT_FALSE(Utf8ToCp1252("ok\xC2\x81", out, &bad)) << "U+0081 is a control, not byte 0x81";
    EXPECT_EQ(2u, bad);
    EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF", out)) << "overlong form";
    EXPECT_FALSE(Utf8ToCp1252("\xED\xA0\x80", out)) << "surrogate";
    EXPECT_FALSE(Utf8ToCp1252("\xE2\x82", out)) << "truncated";
}

TEST(Cp1252Test, CaseFoldingMatchesWindowsNames)
{
    EXPECT_EQ(FoldCaseCp1252("\xC9T\xC9 \x8A\x9F"), FoldCaseCp1252("\xE9t\xE9 \x9A\xFF"));
    EXPECT_NE(FoldCaseCp1252("\xD7"), FoldCaseCp1252("\xF7")) << "multiply and divide signs";
}

TEST(ItemNameTest, ReservedDeviceNamesWithAndWithoutExtension)
{
    for (const char* name : {"CON", "prn.txt", "Aux.tar.gz", "nul ", "COM1.log", "lpt9", "COM\xB9"})
        EXPECT_FALSE(WindowsNameProblem(name).empty()) << name;
    for (const char* name : {"CONSOLE", "com10", "lpt", "nul_file", "x.con"})
        EXPECT_TRUE(WindowsNameProblem(name).empty()) << name;
}

TEST(SplashTextTest, LineEndsAndLimits)
{
    std::string out;
    EXPECT_EQ("", ConvertSplashText("one\rtwo\n\nthree", out));
    EXPECT_EQ("one\r\ntwo\r\n\r\nthree\r\n", out);

    // Three lines that fill the field exactly once the last CR LF is added.
    std::string fits(SPLASH_TEXT_MAX - 2, 'x');
    fits.replace(1000, 2, "\r\n");
    fits.replace(2000, 2, "\r\n");
    EXPECT_EQ("", ConvertSplashText(fits, out));
    EXPECT_EQ(SPLASH_TEXT_MAX, out.size());
    EXPECT_NE("", ConvertSplashText(fits + "x", out)) << "one byte over";
    EXPECT_NE("", ConvertSplashText(std::string(SPLASH_LINE_MAX + 1, 'x'), out)) << "line too long";
    EXPECT_NE("", ConvertSplashText(std::string("a\0b", 3), out));
    EXPECT_NE("", ConvertSplashText("", out));
}

}  // namespace
