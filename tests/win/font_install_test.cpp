// The custom-font helpers against Wine's real registry and font table.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "font_install.h"
#include "viewer_state.h"

namespace {

TEST(FontsFolder, ComesFromTheUsersShellFolders)
{
    const char* folder = FontsFolder();
    ASSERT_NE(folder, nullptr);
    std::string path = folder;
    ASSERT_GE(path.size(), 6u);
    EXPECT_EQ(_stricmp(path.substr(path.size() - 6).c_str(), "\\Fonts"), 0) << path;
    EXPECT_NE(GetFileAttributesA(folder), INVALID_FILE_ATTRIBUTES);
}

TEST(RegisterFont, RecordsTheFaceWithTheWholeFileNameField)
{
    memset(&layoutHeader, 0, sizeof layoutHeader);
    strcpy(layoutHeader.fontFaceName, "Arcseal Registry Test Face");
    strcpy(layoutHeader.fontFileName, "ArcsealRegistryTest.ttf");
    // Not a real font: the registry entry is made before the font table is asked.
    std::string path = std::string(FontsFolder()) + "\\ArcsealRegistryTest.ttf";
    RegisterFont(path.c_str());

    // The entry goes into the first of the two Fonts keys that exists.
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts", 0,
                      KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                                0, KEY_ALL_ACCESS, &key),
                  ERROR_SUCCESS);
    }
    char data[300] = "";
    DWORD size = sizeof data;
    DWORD type = 0;
    LONG status = RegQueryValueExA(key, "Arcseal Registry Test Face", nullptr, &type, (BYTE*)data, &size);
    RegDeleteValueA(key, "Arcseal Registry Test Face");
    EXPECT_EQ(status, ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_STREQ(data, "ArcsealRegistryTest.ttf");
    EXPECT_EQ(size, 255u);

    // A face whose value names another font's file keeps it; a path that is
    // not the disc's own font file makes no value.
    const char other[] = "SomeoneElse.ttf";
    RegSetValueExA(key, "Arcseal Registry Test Face", 0, REG_SZ, (const BYTE*)other, sizeof other);
    RegisterFont(path.c_str());
    size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, "Arcseal Registry Test Face", nullptr, &type, (BYTE*)data, &size), ERROR_SUCCESS);
    EXPECT_STREQ(data, other) << "the value of another font was replaced";
    RegDeleteValueA(key, "Arcseal Registry Test Face");
    RegisterFont((std::string(FontsFolder()) + "\\NotTheDiscsFont.ttf").c_str());
    size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, "Arcseal Registry Test Face", nullptr, &type, (BYTE*)data, &size),
              ERROR_FILE_NOT_FOUND)
        << "a value was made for a file that is not the disc's font";
    RegDeleteValueA(key, "Arcseal Registry Test Face");
    RegCloseKey(key);
}

}  // namespace
