// The header fields, flag bits and sections that each group of options sets.
#include <gtest/gtest.h>

#include <cstring>

#include "disc_test_support.h"
#include "scramble.h"

namespace {

class HeaderTest : public DiscBuildTest {
protected:
    void SetUp() override
    {
        DiscBuildTest::SetUp();
        WriteText(source / "a.txt", "a");
    }

    DiscContents Build(const std::vector<std::string>& options)
    {
        RunResult run = RunBuild(options);
        EXPECT_EQ(0, run.exitCode) << run.messages;
        return ReadDisc(output);
    }
};

TEST_F(HeaderTest, DefaultsAndContainer)
{
    DiscContents disc = Build({});
    EXPECT_EQ(std::string(FAKE_VIEWER, sizeof FAKE_VIEWER - 1), disc.viewerImage);
    EXPECT_EQ(sizeof FAKE_VIEWER - 1, disc.trailer.layoutStart);
    EXPECT_EQ(0u, disc.trailer.eulaSize + disc.trailer.backImageSize +
                      disc.trailer.logoImageSize + disc.trailer.fontSize);

    const LayoutHeader& h = disc.header;
    EXPECT_EQ(0u, h.flags);
    EXPECT_EQ(TEXT_CENTRE, h.textFlags);
    EXPECT_EQ(0x00FFFFFFu, h.textColor);
    EXPECT_EQ(0u, h.backColor);
    EXPECT_EQ(32, h.fontHeight);
    // A random content key: printable, and never one that leaves contents plain.
    std::string key = h.contentKey;
    EXPECT_EQ(16u, key.size());
    EXPECT_NE(0, CombinedKeyValue(key.c_str()));
    for (char c : key)
        EXPECT_TRUE(c > ' ' && c < 127) << key;
    // The integrity record of a verified disc without password: checksums only.
    ASSERT_EQ(RECORD_PRESENT, disc.recordState);
    EXPECT_EQ(INTEGRITY_FILE_CRC32, disc.record.flags);

    DiscContents second = Build({});
    EXPECT_STRNE(key.c_str(), second.header.contentKey) << "each disc gets its own key";

    // --no-integrity: the discs of before, nothing in the bytes the original viewer skips.
    DiscContents old = Build({"--no-integrity"});
    const unsigned char zeros[512] = {};
    EXPECT_EQ(0, memcmp(zeros, old.header.unused2, sizeof old.header.unused2));
    EXPECT_EQ(RECORD_ABSENT, old.recordState);
    for (const ItemRecord& item : old.items)
        EXPECT_EQ(0u, item.reserved) << item.itemName;
}

TEST_F(HeaderTest, SplashTextOptions)
{
    DiscContents disc = Build({"--splash-text", "Welcome\nto the disc", "--text-pos", "-10,20",
                               "--text-color", "#102030", "--back-color", "1,2,3", "--shadow",
                               "#0A0B0C,3,-4", "--font-height", "-48"});
    const LayoutHeader& h = disc.header;
    EXPECT_EQ(FLAG_SPLASH_TEXT | FLAG_TEXT_SHADOW, h.flags);
    EXPECT_EQ(0u, h.textFlags) << "X,Y sets no placement bit";
    EXPECT_EQ(-10, h.textX);
    EXPECT_EQ(20, h.textY);
    EXPECT_EQ(0x00302010u, h.textColor);
    EXPECT_EQ(0x00030201u, h.backColor);
    EXPECT_EQ(0x000C0B0Au, h.shadowColor);
    EXPECT_EQ(3, h.shadowDx);
    EXPECT_EQ(-4, h.shadowDy);
    EXPECT_EQ(-48, h.fontHeight);
    EXPECT_STREQ("Welcome\r\nto the disc\r\n", h.splashText);
}

TEST_F(HeaderTest, SplashTextFromFileAndNamedPositions)
{
    WriteText(scratch / "splash.txt", "\xEF\xBB\xBFLine one\r\nCaf\xC3\xA9\r\n");
    const std::pair<const char*, uint32_t> positions[] = {
        {"top-left", TEXT_TOP_LEFT},       {"top-centre", TEXT_TOP_CENTRE},
        {"bottom-left", TEXT_BOTTOM_LEFT}, {"bottom-centre", TEXT_BOTTOM_CENTRE},
        {"centre", TEXT_CENTRE},
    };
    for (const auto& position : positions) {
        DiscContents disc = Build({"--splash-text", "@" + (scratch / "splash.txt").string(),
                                   "--text-pos", position.first});
        EXPECT_EQ(position.second, disc.header.textFlags) << position.first;
        EXPECT_STREQ("Line one\r\nCaf\xE9\r\n", disc.header.splashText);
    }
    // "@@" keeps a text that begins with '@' from being taken for a file name.
    EXPECT_STREQ("@home\r\n", Build({"--splash-text", "@@home"}).header.splashText);
}

TEST_F(HeaderTest, BackgroundLogoAndFontSections)
{
    WriteText(scratch / "art/sky.bmp", "BM background bytes");
    WriteText(scratch / "art/logo.gif", "GIF89a logo");
    WriteText(scratch / "fonts/Fancy.ttf", std::string("\0\1\0\0 font", 10));
    DiscContents disc =
        Build({"--background", (scratch / "art/sky.bmp").string(), "--background-mode", "tile",
               "--logo", (scratch / "art/logo.gif").string(), "--logo-pos", "bottom-centre",
               "--logo-key", "255,0,255", "--font", (scratch / "fonts/Fancy.ttf").string(),
               "--font-face", "Fancy Sans"});
    const LayoutHeader& h = disc.header;
    EXPECT_EQ(FLAG_BACK_IMAGE | FLAG_BACK_TILE | FLAG_LOGO_IMAGE | FLAG_LOGO_BOTTOM_CENTRE |
                  FLAG_LOGO_TRANSPARENT,
              h.flags);
    EXPECT_EQ(TEXT_CENTRE | TEXT_CUSTOM_FONT, h.textFlags);
    EXPECT_EQ(0x00FF00FFu, h.logoKeyColor);
    EXPECT_STREQ("sky.bmp", h.backImageName);
    EXPECT_STREQ("logo.gif", h.logoImageName);
    EXPECT_STREQ("Fancy.ttf", h.fontFileName);
    EXPECT_STREQ("Fancy Sans", h.fontFaceName);
    EXPECT_EQ("BM background bytes", disc.background);
    EXPECT_EQ("GIF89a logo", disc.logo);
    EXPECT_EQ(std::string("\0\1\0\0 font", 10), disc.font);

    // PNG pictures go onto the disc as the BMPs the viewer shows: 3 by 2
    // pixels, red, green, clear / white, half opaque black, dark blue. The
    // background's clear pixels take its colour; the logo's take a key colour
    // it does not use, and the logo is drawn with that key.
    const std::string png("\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x03\x00\x00\x00\x02\x08\x06\x00\x00\x00\x9d\x74\x66\x1a\x00\x00\x00\x1a\x49\x44\x41\x54\x78\xda\x63\xf8\xcf\xc0\xf0\x1f\x0c\xc1\x08\x08\x18\x18\x18\x1a\xb8\x44\xe4\xfe\x03\x00\x91\xab\x0a\xb3\x82\x53\xd2\x0a\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82", 83);
    WriteText(scratch / "art/sky.png", png);
    WriteText(scratch / "art/mark.png", png);
    disc = Build({"--background", (scratch / "art/sky.png").string(), "--back-color", "#102030",
                  "--logo", (scratch / "art/mark.png").string()});
    EXPECT_STREQ("sky.bmp", disc.header.backImageName);
    EXPECT_STREQ("mark.bmp", disc.header.logoImageName);
    EXPECT_EQ(FLAG_LOGO_TRANSPARENT, disc.header.flags & FLAG_LOGO_TRANSPARENT);
    EXPECT_EQ(0x00FF00FFu, disc.header.logoKeyColor);
    // Bottom-up rows of 3 pixels (BGR) padded to 12 bytes, behind 54 header bytes.
    const std::string bottom = "\xff\xff\xff", topRight = "\x30\x20\x10", key("\xff\0\xff", 3);
    ASSERT_EQ(54u + 24u, disc.background.size());
    EXPECT_EQ("BM", disc.background.substr(0, 2));
    EXPECT_EQ(bottom, disc.background.substr(54, 3));
    EXPECT_EQ(topRight, disc.background.substr(66 + 6, 3)) << "the clear pixel shows the background colour";
    EXPECT_EQ(std::string("\0\0\xff", 3), disc.background.substr(66, 3)) << "red stays red";
    EXPECT_EQ(key, disc.logo.substr(66 + 6, 3)) << "the clear pixel takes the key";
    EXPECT_EQ(std::string(3, '\0'), disc.logo.substr(54 + 3, 3)) << "a half opaque pixel is shown";
}

TEST_F(HeaderTest, PlacementBitsOfEveryMode)
{
    WriteText(scratch / "img.bmp", "BM");
    const std::pair<const char*, uint32_t> backgrounds[] = {
        {"stretch", 0},
        {"quarters", FLAG_BACK_QUARTERS},
        {"tile", FLAG_BACK_TILE},
        {"top-left", FLAG_BACK_TOP_LEFT},
        {"top-centre", FLAG_BACK_TOP_CENTRE},
        {"bottom-centre", FLAG_BACK_BOTTOM_CENTRE},
        {"bottom-left", FLAG_BACK_BOTTOM_LEFT},
        {"centre", FLAG_BACK_CENTRE},
    };
    for (const auto& mode : backgrounds) {
        DiscContents disc = Build({"--background", (scratch / "img.bmp").string(),
                                   "--background-mode", mode.first});
        EXPECT_EQ(FLAG_BACK_IMAGE | mode.second, disc.header.flags) << mode.first;
    }
    const std::pair<const char*, uint32_t> logos[] = {
        {"top-left", FLAG_LOGO_TOP_LEFT},       {"top-centre", FLAG_LOGO_TOP_CENTRE},
        {"bottom-centre", FLAG_LOGO_BOTTOM_CENTRE}, {"bottom-left", FLAG_LOGO_BOTTOM_LEFT},
        {"centre", FLAG_LOGO_CENTRE},
    };
    for (const auto& position : logos) {
        DiscContents disc =
            Build({"--logo", (scratch / "img.bmp").string(), "--logo-pos", position.first});
        EXPECT_EQ(FLAG_LOGO_IMAGE | position.second, disc.header.flags) << position.first;
    }
    DiscContents atPoint = Build({"--logo", (scratch / "img.bmp").string(), "--logo-pos", "7,-8"});
    EXPECT_EQ(FLAG_LOGO_IMAGE | FLAG_LOGO_AT_XY, atPoint.header.flags);
    EXPECT_EQ(7, atPoint.header.logoX);
    EXPECT_EQ(-8, atPoint.header.logoY);
    DiscContents byDefault = Build({"--logo", (scratch / "img.bmp").string()});
    EXPECT_EQ(FLAG_LOGO_IMAGE | FLAG_LOGO_TOP_LEFT, byDefault.header.flags);
}

TEST_F(HeaderTest, LicenceTextAndSwitches)
{
    WriteText(scratch / "eula.txt", "Terms \xE2\x80\x94 read them.\nLine two\rLine three\r\n");
    DiscContents disc = Build({"--eula", (scratch / "eula.txt").string(), "--no-export",
                               "--clear-recent"});
    EXPECT_EQ(FLAG_EULA | FLAG_EXPORT_DISABLED | FLAG_CLEAR_RECENT, disc.header.flags);
    EXPECT_EQ("Terms \x97 read them.\r\nLine two\r\nLine three\r\n", disc.eula);
    EXPECT_EQ(disc.eula.size(), disc.trailer.eulaSize);
}

}  // namespace
