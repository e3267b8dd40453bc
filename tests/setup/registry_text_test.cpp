// ReadRegistryText in this process: plain and expandable strings, and what
// does not fit or is no string.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "registry_text.h"

namespace {

const char* const kKey = "Software\\Arcseal3 tests\\registry text";

class RegistryTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Arcseal3 tests");
    }
    void Set(const char* name, DWORD type, const std::string& data)
    {
        RegSetValueExA(key_, name, 0, type, (const BYTE*)data.c_str(), (DWORD)data.size() + 1);
    }
    std::string Read(const char* name, size_t size = 256)
    {
        char text[1024] = "x";
        return ReadRegistryText(HKEY_CURRENT_USER, kKey, name, text, size) ? std::string(text)
                                                                            : "<none: " + std::string(text) + ">";
    }
    HKEY key_ = nullptr;
};

TEST_F(RegistryTextTest, ShellFoldersStoredEitherWay)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    Set("plain", REG_SZ, "\\\\server\\share\\Desktop");
    Set("expand", REG_EXPAND_SZ, "%SystemRoot%\\Desktop");
    Set("long", REG_SZ, std::string(255, 'a'));
    Set("number", REG_DWORD, "1234");
    EXPECT_EQ(Read("plain"), "\\\\server\\share\\Desktop");
    EXPECT_EQ(Read("expand"), std::string(windows) + "\\Desktop");
    EXPECT_EQ(Read("expand", 5), "<none: >") << "expanded, it does not fit";
    EXPECT_EQ(Read("long"), "<none: >");
    EXPECT_EQ(Read("long", 257), std::string(255, 'a'));
    EXPECT_EQ(Read("number"), "<none: >");
    EXPECT_EQ(Read("missing"), "<none: >");
}

}  // namespace
