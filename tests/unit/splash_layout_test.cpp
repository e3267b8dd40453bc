// The splash screen's arithmetic: background copies, logo position, text
// measure, text origin and the line walk.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "layout_format.h"
#include "splash_layout.h"

namespace {

std::vector<SplashRect> Copies(uint32_t flags, int W, int H, int bw, int bh)
{
    std::vector<SplashRect> copies;
    int count = BackgroundCopyCount(flags, W, H, bw, bh);
    for (int i = 0; i < count; ++i)
        copies.push_back(BackgroundCopy(flags, W, H, bw, bh, i));
    return copies;
}

::testing::AssertionResult IsRect(const SplashRect& r, int x, int y, int width, int height)
{
    if (r.x == x && r.y == y && r.width == width && r.height == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << r.x << ", " << r.y << ", " << r.width << " x "
                                         << r.height << "), expected (" << x << ", " << y << ", "
                                         << width << " x " << height << ")";
}

::testing::AssertionResult IsPoint(const SplashPoint& p, int x, int y)
{
    if (p.x == x && p.y == y)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << p.x << ", " << p.y << "), expected (" << x
                                         << ", " << y << ")";
}

// ---- background ----

TEST(BackgroundMode, FirstBitInTheListedOrderWins)
{
    const uint32_t all = 0x4 | 0x2 | 0x10 | 0x20 | 0x80 | 0x40 | 0x100;
    EXPECT_EQ(ChooseBackgroundMode(all), BACKGROUND_QUARTERS);
    EXPECT_EQ(ChooseBackgroundMode(all & ~0x4u), BACKGROUND_TILE);
    EXPECT_EQ(ChooseBackgroundMode(all & ~0x6u), BACKGROUND_TOP_LEFT);
    EXPECT_EQ(ChooseBackgroundMode(all & ~0x16u), BACKGROUND_TOP_CENTRE);
    EXPECT_EQ(ChooseBackgroundMode(all & ~0x36u), BACKGROUND_BOTTOM_CENTRE);  // 0x80 before 0x40
    EXPECT_EQ(ChooseBackgroundMode(0x40 | 0x100), BACKGROUND_BOTTOM_LEFT);
    EXPECT_EQ(ChooseBackgroundMode(0x100), BACKGROUND_CENTRE);
    EXPECT_EQ(ChooseBackgroundMode(0), BACKGROUND_STRETCH);
}

TEST(BackgroundMode, EachBitAloneAndBitsOfOtherMeaningsLeaveStretch)
{
    EXPECT_EQ(ChooseBackgroundMode(0x4), BACKGROUND_QUARTERS);
    EXPECT_EQ(ChooseBackgroundMode(0x2), BACKGROUND_TILE);
    EXPECT_EQ(ChooseBackgroundMode(0x10), BACKGROUND_TOP_LEFT);
    EXPECT_EQ(ChooseBackgroundMode(0x20), BACKGROUND_TOP_CENTRE);
    EXPECT_EQ(ChooseBackgroundMode(0x80), BACKGROUND_BOTTOM_CENTRE);
    EXPECT_EQ(ChooseBackgroundMode(0x40), BACKGROUND_BOTTOM_LEFT);
    EXPECT_EQ(ChooseBackgroundMode(0x100), BACKGROUND_CENTRE);
    // 0x1 (image present), 0x8 (no meaning), the logo, text and dialog bits.
    EXPECT_EQ(ChooseBackgroundMode(0x1 | 0x8 | 0x200 | 0xFC00 | 0x70000 | 0x3C00000u), BACKGROUND_STRETCH);
    EXPECT_EQ(ChooseBackgroundMode(0x1 | 0x8 | 0x40), BACKGROUND_BOTTOM_LEFT);
}

TEST(BackgroundCopies, QuartersAreFourCopiesEachAQuarterOfTheScreen)
{
    auto c = Copies(0x4 | 0x2, 640, 480, 100, 50);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_TRUE(IsRect(c[0], 0, 0, 320, 240));
    EXPECT_TRUE(IsRect(c[1], 320, 0, 320, 240));
    EXPECT_TRUE(IsRect(c[2], 0, 240, 320, 240));
    EXPECT_TRUE(IsRect(c[3], 320, 240, 320, 240));
}

TEST(BackgroundCopies, QuartersOnAnOddScreenLeaveAColumnAtTheRightAndARowBetween)
{
    auto c = Copies(0x4, 641, 481, 7, 9);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_TRUE(IsRect(c[0], 0, 0, 320, 240));
    EXPECT_TRUE(IsRect(c[1], 320, 0, 320, 240));
    EXPECT_TRUE(IsRect(c[2], 0, 241, 320, 240));    // H - H/2 = 241: row 240 stays free
    EXPECT_TRUE(IsRect(c[3], 320, 241, 320, 240));  // columns end at 639: column 640 stays free
}

TEST(BackgroundCopies, TilesCoverTheScreenRowByRowAndMayStickOut)
{
    auto c = Copies(0x2, 250, 120, 100, 50);
    ASSERT_EQ(c.size(), 9u);  // 3 columns (0, 100, 200) x 3 rows (0, 50, 100)
    EXPECT_TRUE(IsRect(c[0], 0, 0, 100, 50));
    EXPECT_TRUE(IsRect(c[1], 100, 0, 100, 50));
    EXPECT_TRUE(IsRect(c[2], 200, 0, 100, 50));
    EXPECT_TRUE(IsRect(c[3], 0, 50, 100, 50));
    EXPECT_TRUE(IsRect(c[8], 200, 100, 100, 50));
}

TEST(BackgroundCopies, TilesThatFitExactlyAddNoExtraRowOrColumn)
{
    auto c = Copies(0x2, 300, 100, 100, 50);
    ASSERT_EQ(c.size(), 6u);
    EXPECT_TRUE(IsRect(c[5], 200, 50, 100, 50));
    // A bitmap larger than the screen: one copy.
    c = Copies(0x2, 320, 240, 1000, 1000);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_TRUE(IsRect(c[0], 0, 0, 1000, 1000));
    // An odd screen and an odd tile.
    EXPECT_EQ(BackgroundCopyCount(0x2, 641, 481, 7, 9), 92 * 54);
}

TEST(BackgroundCopies, TilingWithoutPixelsDrawsNothing)
{
    EXPECT_EQ(BackgroundCopyCount(0x2, 320, 240, 0, 50), 0);
    EXPECT_EQ(BackgroundCopyCount(0x2, 320, 240, 50, 0), 0);
    EXPECT_EQ(BackgroundCopyCount(0x2, 0, 240, 50, 50), 0);
    EXPECT_EQ(BackgroundCopyCount(0x2, 320, -1, 50, 50), 0);
}

TEST(BackgroundCopies, NaturalSizeModes)
{
    const int W = 640, H = 480, bw = 101, bh = 51;
    auto one = [&](uint32_t flags) {
        auto c = Copies(flags, W, H, bw, bh);
        EXPECT_EQ(c.size(), 1u);
        return c.empty() ? SplashRect{-1, -1, -1, -1} : c[0];
    };
    EXPECT_TRUE(IsRect(one(0x10), 0, 0, bw, bh));
    EXPECT_TRUE(IsRect(one(0x20), 320 - 50, 0, bw, bh));
    EXPECT_TRUE(IsRect(one(0x80), 320 - 50, 480 - 51, bw, bh));
    EXPECT_TRUE(IsRect(one(0x40), 0, 480 - 51, bw, bh));
    EXPECT_TRUE(IsRect(one(0x100), 320 - 50, 240 - 25, bw, bh));
    EXPECT_TRUE(IsRect(one(0), 0, 0, W, H));  // stretched over the screen
    EXPECT_TRUE(IsRect(one(0x1), 0, 0, W, H));
}

TEST(BackgroundCopies, OddScreensAndLargeBitmapsHalveTowardZero)
{
    // W/2 and bw/2 each truncated: 641/2 - 101/2 = 320 - 50.
    EXPECT_TRUE(IsRect(BackgroundCopy(0x100, 641, 481, 101, 51, 0), 270, 215, 101, 51));
    // A bitmap larger than the screen stands out on both sides.
    EXPECT_TRUE(IsRect(BackgroundCopy(0x100, 101, 51, 301, 201, 0), 50 - 150, 25 - 100, 301, 201));
    EXPECT_TRUE(IsRect(BackgroundCopy(0x80, 101, 51, 301, 201, 0), -100, 51 - 201, 301, 201));
    EXPECT_TRUE(IsRect(BackgroundCopy(0, 641, 481, 3, 3, 0), 0, 0, 641, 481));
}

// ---- logo ----

TEST(LogoPosition, FirstBitInTheListedOrderWins)
{
    const int W = 640, H = 480, lw = 64, lh = 32;
    const uint32_t all = 0x400 | 0x800 | 0x2000 | 0x1000 | 0x4000 | 0x8000;
    EXPECT_TRUE(IsPoint(LogoPosition(all, W, H, lw, lh, 7, 9), 0, 0));
    EXPECT_TRUE(IsPoint(LogoPosition(all & ~0x400u, W, H, lw, lh, 7, 9), 288, 0));
    // 0x2000 (bottom centre) is tested before 0x1000 (bottom left).
    EXPECT_TRUE(IsPoint(LogoPosition(0x2000 | 0x1000 | 0x4000 | 0x8000, W, H, lw, lh, 7, 9), 288, 448));
    EXPECT_TRUE(IsPoint(LogoPosition(0x1000 | 0x4000 | 0x8000, W, H, lw, lh, 7, 9), 0, 448));
    EXPECT_TRUE(IsPoint(LogoPosition(0x4000 | 0x8000, W, H, lw, lh, 7, 9), 288, 224));
    EXPECT_TRUE(IsPoint(LogoPosition(0x8000, W, H, lw, lh, 7, 9), 7, 9));
    EXPECT_TRUE(IsPoint(LogoPosition(0, W, H, lw, lh, 7, 9), 0, 0));
}

TEST(LogoPosition, EachBitAloneAndOtherBitsLeaveTheTopLeft)
{
    const int W = 641, H = 481, lw = 65, lh = 33;  // odd: every halving truncates
    EXPECT_TRUE(IsPoint(LogoPosition(0x400, W, H, lw, lh, 1, 2), 0, 0));
    EXPECT_TRUE(IsPoint(LogoPosition(0x800, W, H, lw, lh, 1, 2), 320 - 32, 0));
    EXPECT_TRUE(IsPoint(LogoPosition(0x2000, W, H, lw, lh, 1, 2), 320 - 32, 481 - 33));
    EXPECT_TRUE(IsPoint(LogoPosition(0x1000, W, H, lw, lh, 1, 2), 0, 481 - 33));
    EXPECT_TRUE(IsPoint(LogoPosition(0x4000, W, H, lw, lh, 1, 2), 320 - 32, 240 - 16));
    EXPECT_TRUE(IsPoint(LogoPosition(0x8000, W, H, lw, lh, -30, 100000), -30, 100000));
    // The image-present, transparency and background bits place nothing.
    EXPECT_TRUE(IsPoint(LogoPosition(0x200 | 0x10000 | 0x1FF | 0x20000, W, H, lw, lh, 1, 2), 0, 0));
}

TEST(LogoPosition, ALogoLargerThanTheScreenStandsOut)
{
    EXPECT_TRUE(IsPoint(LogoPosition(0x4000, 100, 50, 301, 151, 0, 0), 50 - 150, 25 - 75));
    EXPECT_TRUE(IsPoint(LogoPosition(0x2000, 100, 50, 301, 151, 0, 0), -100, -101));
}

// ---- text measure ----

TEST(SplashTextMeasure, CountsCrAndTheWidestMeasuredLine)
{
    SplashTextMeasure m = MeasureSplashText("A\r\nBC\r\n");
    EXPECT_EQ(m.lineCount, 2);
    EXPECT_EQ(m.widest, 2);
    m = MeasureSplashText("Harbour Trust\r\n2004\r\n");
    EXPECT_EQ(m.lineCount, 2);
    EXPECT_EQ(m.widest, 13);
}

TEST(SplashTextMeasure, EmptyLinesCountTextAfterTheLastCrDoesNot)
{
    SplashTextMeasure m = MeasureSplashText("one\r\n\r\nthree\r\n");
    EXPECT_EQ(m.lineCount, 3);
    EXPECT_EQ(m.widest, 5);
    m = MeasureSplashText("ab\r\na much longer tail");
    EXPECT_EQ(m.lineCount, 1);
    EXPECT_EQ(m.widest, 2);
    m = MeasureSplashText("no line break at all");
    EXPECT_EQ(m.lineCount, 0);
    EXPECT_EQ(m.widest, 0);
    m = MeasureSplashText("");
    EXPECT_EQ(m.lineCount, 0);
    EXPECT_EQ(m.widest, 0);
}

TEST(SplashTextMeasure, OnlyCrEndsAMeasuredLineAndLfIsNotCounted)
{
    // LF alone ends no measured line: no CR, no lines.
    SplashTextMeasure m = MeasureSplashText("ab\ncd\n");
    EXPECT_EQ(m.lineCount, 0);
    EXPECT_EQ(m.widest, 0);
    // LFs inside a CR-ended run are not characters of it.
    m = MeasureSplashText("\n\nabc\n\rde\r");
    EXPECT_EQ(m.lineCount, 2);
    EXPECT_EQ(m.widest, 3);
    m = MeasureSplashText("ab\rcde\r");
    EXPECT_EQ(m.lineCount, 2);
    EXPECT_EQ(m.widest, 3);
}

TEST(SplashTextMeasure, Spacing)
{
    // tmHeight + tmHeight * 0.1, in double.
    EXPECT_DOUBLE_EQ(SplashBlockHeight(20, 2), 44.0);
    EXPECT_NEAR(SplashBlockHeight(37, 3), 122.1, 1e-9);
    EXPECT_DOUBLE_EQ(SplashBlockHeight(37, 0), 0.0);
    EXPECT_EQ(SplashLineStep(20), 22);
    EXPECT_EQ(SplashLineStep(37), 40);   // 40.7 truncated
    EXPECT_EQ(SplashLineStep(9), 9);     // 9.9 truncated
    EXPECT_EQ(SplashLineStep(10), 11);
    for (int h = 0; h < 200; ++h)
        EXPECT_EQ(SplashLineStep(h), (int)(h + h * 0.1)) << h;
}

// ---- text origin ----

TEST(SplashTextOrigin, PlacementTable)
{
    const int W = 320, H = 240, tmHeight = 20, ave = 8;
    const SplashTextMeasure m = {2, 2};  // L = 44
    auto at = [&](uint32_t textFlags) { return SplashTextOrigin(textFlags, W, H, tmHeight, ave, m, 11, 13); };
    EXPECT_TRUE(IsPoint(at(0x2), 0, 0));
    EXPECT_TRUE(IsPoint(at(0x4), 160 - 8, 0));
    EXPECT_TRUE(IsPoint(at(0x8), 0, 196));
    EXPECT_TRUE(IsPoint(at(0x10), 152, 196));
    EXPECT_TRUE(IsPoint(at(0x20), 152, 120 - 22));
    EXPECT_TRUE(IsPoint(at(0), 11, 13));
}

TEST(SplashTextOrigin, FirstBitInTheListedOrderWinsAndOnlyTheLowByteCounts)
{
    const SplashTextMeasure m = {2, 2};
    auto at = [&](uint32_t textFlags) { return SplashTextOrigin(textFlags, 320, 240, 20, 8, m, 11, 13); };
    EXPECT_TRUE(IsPoint(at(0x3E), 0, 0));
    EXPECT_TRUE(IsPoint(at(0x3C), 152, 0));
    EXPECT_TRUE(IsPoint(at(0x38), 0, 196));
    EXPECT_TRUE(IsPoint(at(0x30), 152, 196));
    EXPECT_TRUE(IsPoint(at(0x60), 152, 98));
    // 0x40 (custom font), 0x1, 0x80 and bits above the low byte place nothing.
    EXPECT_TRUE(IsPoint(at(0x40 | 0x1 | 0x80), 11, 13));
    EXPECT_TRUE(IsPoint(at(0x200 | 0x400 | 0x800 | 0x1000 | 0x2000 | 0x4000), 11, 13));
    EXPECT_TRUE(IsPoint(at(0xFFFF00), 11, 13));
    EXPECT_TRUE(IsPoint(at(0xFFFF08), 0, 196));
}

TEST(SplashTextOrigin, TwoLinesOfOneAndTwoCharactersAtTheBottomCentre)
{
    const int W = 641, H = 481, tmHeight = 37, ave = 15;
    SplashTextMeasure m = MeasureSplashText("A\r\nBC\r\n");
    ASSERT_EQ(m.lineCount, 2);
    ASSERT_EQ(m.widest, 2);
    SplashPoint p = SplashTextOrigin(TEXT_BOTTOM_CENTRE, W, H, tmHeight, ave, m, 0, 0);
    // L = 40.7 * 2 = 81.4: the block starts L pixels above the bottom edge,
    // centred on a width of two average characters.
    EXPECT_EQ(p.y, 399);  // 481 - 81.4 = 399.6, truncated
    EXPECT_EQ(p.x, 320 - 15);
}

TEST(SplashTextOrigin, TruncationIsTowardZero)
{
    const SplashTextMeasure m = {3, 3};  // L = 122.1 with tmHeight 37
    // 241 - 122.1 = 118.9 -> 118; 120 - 61.05 = 58.95 -> 58; 321/2 - 21/2 = 160 - 10.
    EXPECT_TRUE(IsPoint(SplashTextOrigin(0x10, 321, 241, 37, 7, m, 0, 0), 150, 118));
    EXPECT_TRUE(IsPoint(SplashTextOrigin(0x20, 321, 241, 37, 7, m, 0, 0), 150, 58));
    // Negative results truncate toward zero too: 50 - 122.1 = -72.1 -> -72;
    // 25 - 61.05 = -36.05 -> -36; 100/2 - 217/2 = 50 - 108.
    const SplashTextMeasure wide = {3, 31};
    EXPECT_TRUE(IsPoint(SplashTextOrigin(0x10, 100, 50, 37, 7, wide, 0, 0), -58, -72));
    EXPECT_TRUE(IsPoint(SplashTextOrigin(0x20, 100, 50, 37, 7, wide, 0, 0), -58, -36));
    EXPECT_TRUE(IsPoint(SplashTextOrigin(0x8, 100, 50, 37, 7, wide, 0, 0), 0, -72));
}

TEST(SplashTextOrigin, TextWithoutCrIsZeroLinesHigh)
{
    SplashTextMeasure m = MeasureSplashText("tail only");
    EXPECT_TRUE(IsPoint(SplashTextOrigin(0x10, 320, 240, 20, 8, m, 0, 0), 160, 240));
    EXPECT_TRUE(IsPoint(SplashTextOrigin(0x20, 320, 240, 20, 8, m, 0, 0), 160, 120));
}

// ---- line walk ----

struct DrawnLine {
    std::string text;
    int dy;
};

std::vector<DrawnLine> Walk(const char* text, int tmHeight)
{
    std::vector<DrawnLine> lines;
    SplashLineWalk walk;
    StartSplashLines(&walk, text, tmHeight);
    // The buffer sits between guard bytes: a line may never write past it.
    struct {
        char before[16];
        char line[SPLASH_LINE_BUFFER];
        char after[16];
    } guarded;
    memset(&guarded, 0x5A, sizeof guarded);
    int length = -1, dy = -1;
    while (NextSplashLine(&walk, guarded.line, &length, &dy)) {
        EXPECT_EQ((size_t)length, strlen(guarded.line));
        lines.push_back({std::string(guarded.line, (size_t)length), dy});
        if (lines.size() > 10000)
            break;
    }
    for (char c : guarded.before)
        EXPECT_EQ(c, 0x5A) << "written before the line buffer";
    for (char c : guarded.after)
        EXPECT_EQ(c, 0x5A) << "written past the line buffer";
    // Once done, done.
    EXPECT_EQ(NextSplashLine(&walk, guarded.line, &length, &dy), 0);
    return lines;
}

TEST(SplashLines, CrLfEndsEachLineOnceAndLinesMoveDownByTheStep)
{
    auto lines = Walk("A\r\nBC\r\n", 37);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "A");
    EXPECT_EQ(lines[0].dy, 0);
    EXPECT_EQ(lines[1].text, "BC");
    EXPECT_EQ(lines[1].dy, 40);
}

TEST(SplashLines, AnEmptyLineIsSkippedWithoutAGapThoughItIsMeasured)
{
    const char* text = "first\r\n\r\nthird\r\n";
    auto lines = Walk(text, 20);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "first");
    EXPECT_EQ(lines[0].dy, 0);
    EXPECT_EQ(lines[1].text, "third");
    EXPECT_EQ(lines[1].dy, 22);

    // Bottom-aligned, the block stands one line higher than its two lines need.
    SplashTextMeasure m = MeasureSplashText(text);
    EXPECT_EQ(m.lineCount, 3);
    SplashPoint p = SplashTextOrigin(TEXT_BOTTOM_LEFT, 320, 240, 20, 8, m, 0, 0);
    EXPECT_EQ(p.y, 240 - 66);
    EXPECT_EQ(240 - (p.y + lines[1].dy + 22), 22) << "one line-height left free below";
}

TEST(SplashLines, TextAfterTheLastLineBreakIsNotDrawn)
{
    auto lines = Walk("one\r\ntwo", 20);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "one");
    EXPECT_TRUE(Walk("no line break", 20).empty());
    EXPECT_TRUE(Walk("", 20).empty());
    EXPECT_TRUE(Walk("\r\n\r\n\n\r", 20).empty());
}

TEST(SplashLines, LfOrCrAloneEndsALineToo)
{
    auto lines = Walk("a\nb\rc\n\rd\r\n", 10);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "a");
    EXPECT_EQ(lines[1].text, "b");
    EXPECT_EQ(lines[2].text, "c");
    EXPECT_EQ(lines[3].text, "d");
    EXPECT_EQ(lines[3].dy, 33);
}

TEST(SplashLines, ALineOver1023CharactersIsCutAt1023)
{
    std::string longLine(3000, 'x');
    longLine[1022] = 'y';  // the last character kept
    longLine[1023] = 'z';  // the first one dropped
    std::string text = longLine + "\r\nnext\r\n";
    auto lines = Walk(text.c_str(), 20);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text.size(), 1023u);
    EXPECT_EQ(lines[0].text.back(), 'y');
    EXPECT_EQ(lines[0].text.find('z'), std::string::npos);
    EXPECT_EQ(lines[1].text, "next");
    EXPECT_EQ(lines[1].dy, 22) << "the dropped rest makes no line of its own";
}

TEST(SplashLines, LinesOf1023And1024Characters)
{
    std::string text = std::string(1023, 'a') + "\r\n" + std::string(1024, 'b') + "\r\n";
    auto lines = Walk(text.c_str(), 20);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, std::string(1023, 'a'));
    EXPECT_EQ(lines[1].text, std::string(1023, 'b'));
}

TEST(SplashLines, TheWholeHeaderFieldOfOneLine)
{
    // The header's splashText field holds 2788 characters and its NUL.
    std::string text(2786, 'q');
    text += "\r\n";
    auto lines = Walk(text.c_str(), 20);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text.size(), 1023u);
    SplashTextMeasure m = MeasureSplashText(text.c_str());
    EXPECT_EQ(m.lineCount, 1);
    EXPECT_EQ(m.widest, 2786) << "the measure counts the whole line";
}

// ---- hostile header values ----

// Header values at the ends of the int range, and the font measures they
// give: every result lies within GDI's coordinate range (the fuzzer runs the
// same arithmetic under UBSan, which would stop at a signed overflow).
TEST(SplashHostileValues, ResultsAreClampedNotWrapped)
{
    const int L = SPLASH_COORDINATE_LIMIT;
    SplashTextMeasure m = MeasureSplashText("line\r\nline two\r\n");
    for (int big : {INT_MAX, INT_MIN}) {
        SCOPED_TRACE(big);
        EXPECT_TRUE(IsPoint(SplashTextOrigin(0, 320, 240, 20, 8, m, big, big), big > 0 ? L : -L, big > 0 ? L : -L));
        EXPECT_TRUE(IsPoint(LogoPosition(FLAG_LOGO_AT_XY, 320, 240, 10, 10, big, big), big > 0 ? L : -L,
                            big > 0 ? L : -L));
        EXPECT_EQ(SplashFontHeight(big), big > 0 ? SPLASH_FONT_HEIGHT_LIMIT : -SPLASH_FONT_HEIGHT_LIMIT);
        EXPECT_EQ(SplashLineStep(big), big > 0 ? L : -L);
    }
    // A huge font: the block is far higher than the screen, the centre far to the left.
    EXPECT_TRUE(IsPoint(SplashTextOrigin(TEXT_BOTTOM_CENTRE, 320, 240, INT_MAX, INT_MAX, m, 0, 0), -L, -L));
    EXPECT_TRUE(IsPoint(SplashTextOrigin(TEXT_CENTRE, 320, 240, INT_MIN, INT_MIN, m, 0, 0), L, L));
    // Shadow offsets and line offsets add up without wrapping.
    SplashPoint near = {L - 1, -L + 1};
    EXPECT_TRUE(IsPoint(OffsetSplashPoint(near, INT_MAX, (int64_t)INT_MIN + INT_MIN), L, -L));
    EXPECT_TRUE(IsPoint(OffsetSplashPoint(near, -2, 5), L - 3, -L + 6));
    auto lines = Walk("a\r\nb\r\nc\r\n", INT_MAX);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].dy, L);
    EXPECT_EQ(lines[2].dy, L);
    // Logos and tiles at the far end of the screen sizes.
    EXPECT_TRUE(IsPoint(LogoPosition(FLAG_LOGO_BOTTOM_LEFT, 320, INT_MIN, 10, INT_MAX, 0, 0), 0, -L));
    EXPECT_TRUE(IsRect(BackgroundCopy(FLAG_BACK_BOTTOM_CENTRE, INT_MAX, INT_MIN, INT_MIN, INT_MAX, 0),
                       L, -L, -L, L));
    int count = BackgroundCopyCount(FLAG_BACK_TILE, INT_MAX, INT_MAX, 1 << 20, 1 << 20);
    EXPECT_TRUE(IsRect(BackgroundCopy(FLAG_BACK_TILE, INT_MAX, INT_MAX, 1 << 20, 1 << 20, count - 1), L, L,
                       1 << 20, 1 << 20));
}

}  // namespace
