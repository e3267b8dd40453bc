// Destinations of package entries: which prefix, which remainders are safe,
// and the target paths they give under each base directory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "package_format.h"

namespace {

std::string Target(const char* destination, const char* installDir = "c:\\Inst",
                   const char* systemDir = "C:\\windows\\system32", const char* windowsDir = "C:\\windows",
                   size_t size = PACKAGE_PATH_BUFFER)
{
    char target[1024];
    memset(target, 'x', sizeof target);
    int ok = BuildTargetPath(target, size, destination, installDir, systemDir, windowsDir);
    EXPECT_EQ(ok != 0, target[0] != 0) << "a failure leaves an empty target";
    return ok ? target : "<refused>";
}

TEST(PackageDestination, EachPrefixHasItsBaseAndFormat)
{
    EXPECT_EQ(Target("ROOT\\arcs3uninst.exe"), "c:\\Inst\\arcs3uninst.exe");
    // HELP and IMAGES double the backslash before the remainder's first name.
    EXPECT_EQ(Target("HELP\\index.htm"), "c:\\Inst\\Help\\\\index.htm");
    EXPECT_EQ(Target("IMAGES\\logo.gif"), "c:\\Inst\\Help\\images\\\\logo.gif");
    EXPECT_EQ(Target("WINSYS\\helper.dll"), "C:\\windows\\system32\\helper.dll");
    EXPECT_EQ(Target("WINDIR\\notes.ini"), "C:\\windows\\notes.ini");
    EXPECT_EQ(Target("HELP\\guide\\start.htm"), "c:\\Inst\\Help\\\\guide\\start.htm");
}

TEST(PackageDestination, PrefixesAreCaseSensitiveAndTriedInOrder)
{
    const char* remainder = nullptr;
    const PackagePrefix* prefix = FindDestinationPrefix("IMAGES\\a.gif", &remainder);
    ASSERT_NE(prefix, nullptr);
    EXPECT_STREQ(prefix->text, "IMAGES");
    EXPECT_STREQ(remainder, "\\a.gif");
    EXPECT_EQ(FindDestinationPrefix("root\\a.exe", nullptr), nullptr);
    EXPECT_EQ(FindDestinationPrefix("Help\\a.htm", nullptr), nullptr);
    EXPECT_EQ(FindDestinationPrefix("ROO", nullptr), nullptr);
    EXPECT_EQ(FindDestinationPrefix("", nullptr), nullptr);
    EXPECT_EQ(FindDestinationPrefix(nullptr, nullptr), nullptr);
    // A longer word that starts with a prefix matches it, and its remainder
    // is then refused: "ROOTS\x" would land beside the installation directory.
    prefix = FindDestinationPrefix("ROOTS\\x", &remainder);
    ASSERT_NE(prefix, nullptr);
    EXPECT_STREQ(remainder, "S\\x");
    EXPECT_EQ(Target("ROOTS\\x"), "<refused>");
}

TEST(PackageDestination, SafeRemaindersNameAFileInsideTheBase)
{
    for (const char* safe : {"\\a", "\\Arcseal3.exe", "\\guide\\start.htm", "\\a b\\c d.txt", "\\...x", "\\com10",
                             "\\console.txt", "\\caf\xe9.htm"})
        EXPECT_TRUE(IsSafeRemainder(safe)) << safe;
}

TEST(PackageDestination, UnsafeRemaindersAreRefused)
{
    for (const char* unsafe : {
             "",                  // nothing
             "a.exe",             // no backslash: beside the base, not in it
             "\\",                // no name
             "\\a\\",             // no file name
             "\\\\a",             // a second root
             "\\a\\\\b",          // an empty name
             "\\..\\a",           // out of the base
             "\\a\\..\\..\\b",
             "\\.\\a",
             "\\..",
             "\\c:\\a",           // a drive
             "\\a:b",             // a stream
             "\\a/b",             // the other separator
             "\\a.",              // Windows would drop the dot
             "\\a ",
             "\\con", "\\NUL.txt", "\\Com1", "\\lpt9.doc", "\\aux.", "\\prn",
             "\\a*b", "\\a?b", "\\a\"b", "\\a<b", "\\a>b", "\\a|b", "\\a\tb",
         }) {
        EXPECT_FALSE(IsSafeRemainder(unsafe)) << "\"" << unsafe << "\"";
    }
    EXPECT_FALSE(IsSafeRemainder(nullptr));
}

TEST(PackageDestination, FieldMustHoldItsTerminator)
{
    char field[PACKAGE_TEXT_SIZE];
    memset(field, 'a', sizeof field);
    memcpy(field, "ROOT\\", 5);
    EXPECT_FALSE(IsValidDestination(field));
    field[PACKAGE_TEXT_SIZE - 1] = 0;
    EXPECT_TRUE(IsValidDestination(field));
}

TEST(PackageDestination, TargetsLongerThanTheBufferAreRefused)
{
    // 255 characters and the NUL fill the buffer exactly.
    std::string dir = "c:\\" + std::string(255 - 3 - 6, 'd');
    EXPECT_EQ(Target("ROOT\\a.exe", dir.c_str()).size(), 255u);
    EXPECT_EQ(Target("ROOT\\ab.exe", dir.c_str()), "<refused>");
    EXPECT_EQ(Target("ROOT\\a.exe", "c:\\short", "", "", 12), "<refused>");
    EXPECT_EQ(Target("WINSYS\\a.dll", "", std::string(250, 's').c_str()), "<refused>");
}

}  // namespace
