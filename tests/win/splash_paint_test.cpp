// The splash screen in-process: PaintSplash into a memory "screen" whose
// pixels the tests read, the licence dialog and the whole RunSplash flow with
// a timer playing the reader.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bitmap_helpers.h"
#include "key_fields.h"
#include "layout_format.h"
#include "memory_canvas.h"
#include "resource.h"
#include "splash.h"
#include "splash_layout.h"
#include "viewer_state.h"

namespace {

const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF NAVY = RGB(0, 0, 128);
const COLORREF GREEN = RGB(0, 200, 0);
const COLORREF YELLOW = RGB(255, 255, 0);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF MAGENTA = RGB(255, 0, 255);
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF ORANGE = RGB(255, 128, 0);

// The screen: a memory canvas filled with the background colour, as the
// window's class brush fills the real screen.
struct Screen : MemoryCanvas {
    using MemoryCanvas::MemoryCanvas;
    void Paint() { PaintSplash(dc, width, height); }
};

std::string Hex(COLORREF c)
{
    char text[16];
    snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

::testing::AssertionResult PixelIs(const Screen& screen, int x, int y, COLORREF expected)
{
    COLORREF actual = screen.At(x, y);
    if (actual == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << Hex(actual)
                                         << ", expected " << Hex(expected);
}

// The background: 50 x 30 green with a yellow 10 x 10 block at its top left,
// so that every copy, and its orientation, can be found.
const int BW = 50, BH = 30;
HBITMAP MakeBackground()
{
    return DisplayBitmap(BW, BH, [](HDC dc) {
        Fill(dc, 0, 0, BW, BH, GREEN);
        Fill(dc, 0, 0, 10, 10, YELLOW);
    });
}

// The logo: 40 x 20, its left half magenta (the key), its right half red.
const int LW = 40, LH = 20;
HBITMAP MakeLogo()
{
    return DisplayBitmap(LW, LH, [](HDC dc) {
        Fill(dc, 0, 0, LW / 2, LH, MAGENTA);
        Fill(dc, LW / 2, 0, LW, LH, RED);
    });
}

void ResetLayout()
{
    memset(&layoutHeader, 0, sizeof layoutHeader);
    layoutHeader.backColor = NAVY;
    layoutHeader.textColor = WHITE;
    layoutHeader.fontHeight = 32;
}

void DeleteSplashBitmaps()
{
    if (backgroundBitmap)
        DeleteObject(backgroundBitmap);
    if (logoBitmap)
        DeleteObject(logoBitmap);
    backgroundBitmap = nullptr;
    logoBitmap = nullptr;
}

class SplashPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetLayout();
        DeleteSplashBitmaps();
        splashDpi = 96;
    }
    void TearDown() override
    {
        DeleteSplashBitmaps();
        splashDpi = 96;
    }
};

// ---- background ----

TEST_F(SplashPaint, NothingToPaintLeavesTheBackgroundColour)
{
    Screen screen(320, 240, NAVY);
    layoutHeader.flags = FLAG_SPLASH_TEXT;  // a text flag with an empty text draws nothing
    screen.Paint();
    for (int y = 0; y < 240; y += 7)
        for (int x = 0; x < 320; x += 7)
            ASSERT_TRUE(PixelIs(screen, x, y, NAVY));
}

TEST_F(SplashPaint, StretchedOverTheWholeScreenWhenNoModeBitIsSet)
{
    backgroundBitmap = MakeBackground();
    layoutHeader.flags = FLAG_BACK_IMAGE;
    Screen screen(320, 240, NAVY);
    screen.Paint();
    // The yellow corner grows to 64 x 80; everything else is green.
    EXPECT_TRUE(PixelIs(screen, 0, 0, YELLOW));
    EXPECT_TRUE(PixelIs(screen, 60, 75, YELLOW));
    EXPECT_TRUE(PixelIs(screen, 68, 75, GREEN));
    EXPECT_TRUE(PixelIs(screen, 60, 85, GREEN));
    EXPECT_TRUE(PixelIs(screen, 319, 239, GREEN));
    EXPECT_TRUE(PixelIs(screen, 319, 0, GREEN));
    EXPECT_TRUE(PixelIs(screen, 0, 239, GREEN));
}

TEST_F(SplashPaint, QuartersOnAnOddScreenLeaveAColumnAndARowOfBackColour)
{
    backgroundBitmap = MakeBackground();
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_BACK_QUARTERS | FLAG_BACK_TILE | FLAG_BACK_CENTRE;
    Screen screen(321, 241, NAVY);
    screen.Paint();
    // Copies of 160 x 120 at (0,0), (160,0), (0,121), (160,121); yellow 32 x 40 corners.
    const int xs[2] = {0, 160}, ys[2] = {0, 121};
    for (int x0 : xs) {
        for (int y0 : ys) {
            EXPECT_TRUE(PixelIs(screen, x0 + 2, y0 + 2, YELLOW));
            EXPECT_TRUE(PixelIs(screen, x0 + 30, y0 + 38, YELLOW));
            EXPECT_TRUE(PixelIs(screen, x0 + 34, y0 + 42, GREEN));
            EXPECT_TRUE(PixelIs(screen, x0 + 159, y0 + 119, GREEN));
        }
    }
    for (int y = 0; y < 241; ++y)
        ASSERT_TRUE(PixelIs(screen, 320, y, NAVY)) << "the right-hand column stays free";
    for (int x = 0; x < 320; ++x)
        ASSERT_TRUE(PixelIs(screen, x, 120, NAVY)) << "the row between the halves stays free";
}

TEST_F(SplashPaint, TilesCoverTheScreenFromTheTopLeft)
{
    backgroundBitmap = MakeBackground();
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_BACK_TILE | FLAG_BACK_TOP_LEFT;
    Screen screen(320, 240, NAVY);
    screen.Paint();
    for (int y0 = 0; y0 < 240; y0 += BH) {
        for (int x0 = 0; x0 < 320; x0 += BW) {
            EXPECT_TRUE(PixelIs(screen, x0 + 5, y0 + 5, YELLOW));
            if (x0 + 20 < 320) {
                EXPECT_TRUE(PixelIs(screen, x0 + 20, y0 + 20, GREEN));
            }
        }
    }
    // The last column sticks out: 300..349, its visible part green.
    EXPECT_TRUE(PixelIs(screen, 319, 239, GREEN));
    for (int y = 0; y < 240; y += 3)
        for (int x = 0; x < 320; x += 3)
            ASSERT_NE(screen.At(x, y), NAVY) << "uncovered at " << x << ", " << y;
}

// A display-compatible bitmap in which every pixel differs from its neighbours.
HBITMAP PatternBitmap(int w, int h)
{
    std::vector<DWORD> pixels((size_t)w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels[(size_t)y * w + x] = ((x * 37) & 0xFF) << 16 | ((y * 53) & 0xFF) << 8 | ((x + y) & 0xFF);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    SetDIBits(screen, bitmap, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// Tiles drawn the plain way: one natural-size StretchBitmap per copy.
void ReferenceTiles(Screen& screen, HBITMAP tile, int tw, int th)
{
    for (int y = 0; y < screen.height; y += th)
        for (int x = 0; x < screen.width; x += tw)
            StretchBitmap(screen.dc, tile, x, y, tw, th);
}

TEST_F(SplashPaint, TilesEqualOneCopyPerTileForAnyTileSize)
{
    const int sizes[][2] = {{4, 3}, {3, 5}, {7, 2}, {50, 30}, {320, 1}, {1, 240}, {321, 241}, {500, 400}};
    for (const auto& size : sizes) {
        const int tw = size[0], th = size[1];
        SCOPED_TRACE(std::to_string(tw) + " x " + std::to_string(th));
        DeleteSplashBitmaps();
        // Every pixel of the tile different from its neighbours.
        backgroundBitmap = PatternBitmap(tw, th);
        layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_BACK_TILE;
        Screen screen(321, 241, NAVY);
        Screen reference(321, 241, NAVY);
        screen.Paint();
        ReferenceTiles(reference, backgroundBitmap, tw, th);
        EXPECT_NE(reference.At(1, 1), reference.At(2, 2)) << "the pattern was not drawn";
        int differ = 0;
        for (int y = 0; y < 241; ++y)
            for (int x = 0; x < 321; ++x)
                differ += screen.At(x, y) != reference.At(x, y);
        EXPECT_EQ(differ, 0);
    }
}

TEST_F(SplashPaint, TilesOnlyInTheClippedAreaWhenPartOfTheScreenIsPainted)
{
    backgroundBitmap = MakeBackground();
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_BACK_TILE;
    Screen screen(320, 240, NAVY);
    HRGN region = CreateRectRgn(60, 40, 130, 100);
    SelectClipRgn(screen.dc, region);
    DeleteObject(region);
    screen.Paint();
    SelectClipRgn(screen.dc, nullptr);
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            bool inside = x >= 60 && x < 130 && y >= 40 && y < 100;
            COLORREF want = inside ? ((x % BW) < 10 && (y % BH) < 10 ? YELLOW : GREEN) : NAVY;
            ASSERT_TRUE(PixelIs(screen, x, y, want));
        }
    }
}

TEST_F(SplashPaint, TinyTilesOnALargeScreenPaintQuickly)
{
    backgroundBitmap = DisplayBitmap(2, 2, [](HDC dc) {
        Fill(dc, 0, 0, 2, 2, GREEN);
        SetPixel(dc, 0, 0, YELLOW);
    });
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_BACK_TILE;
    Screen screen(1600, 1200, NAVY);
    DWORD start = GetTickCount();
    screen.Paint();
    DWORD took = GetTickCount() - start;
    EXPECT_LT(took, 1000u) << "one copy per 2 x 2 tile would be 480000 copies";
    EXPECT_TRUE(PixelIs(screen, 0, 0, YELLOW));
    EXPECT_TRUE(PixelIs(screen, 1598, 1198, YELLOW));
    EXPECT_TRUE(PixelIs(screen, 1599, 1199, GREEN));
    EXPECT_TRUE(PixelIs(screen, 801, 600, GREEN));
}

struct NaturalCase {
    uint32_t bit;
    int x, y;  // where the 50 x 30 copy goes on a 321 x 241 screen
};

TEST_F(SplashPaint, NaturalSizeModesPutOneCopyAndNothingElse)
{
    const NaturalCase cases[] = {
        {FLAG_BACK_TOP_LEFT, 0, 0},
        {FLAG_BACK_TOP_CENTRE, 160 - 25, 0},
        {FLAG_BACK_BOTTOM_CENTRE | FLAG_BACK_BOTTOM_LEFT, 160 - 25, 241 - 30},
        {FLAG_BACK_BOTTOM_LEFT | FLAG_BACK_CENTRE, 0, 241 - 30},
        {FLAG_BACK_CENTRE, 160 - 25, 120 - 15},
    };
    for (const NaturalCase& c : cases) {
        SCOPED_TRACE("mode bit 0x" + std::to_string(c.bit));
        DeleteSplashBitmaps();
        backgroundBitmap = MakeBackground();
        layoutHeader.flags = FLAG_BACK_IMAGE | c.bit;
        Screen screen(321, 241, NAVY);
        screen.Paint();
        EXPECT_TRUE(PixelIs(screen, c.x, c.y, YELLOW));
        EXPECT_TRUE(PixelIs(screen, c.x + 9, c.y + 9, YELLOW));
        EXPECT_TRUE(PixelIs(screen, c.x + 10, c.y + 10, GREEN));
        EXPECT_TRUE(PixelIs(screen, c.x + BW - 1, c.y + BH - 1, GREEN));
        // Natural size: nothing around it.
        if (c.x > 0) {
            EXPECT_TRUE(PixelIs(screen, c.x - 1, c.y, NAVY));
        }
        if (c.y > 0) {
            EXPECT_TRUE(PixelIs(screen, c.x, c.y - 1, NAVY));
        }
        if (c.x + BW < 321) {
            EXPECT_TRUE(PixelIs(screen, c.x + BW, c.y + BH - 1, NAVY));
        }
        if (c.y + BH < 241) {
            EXPECT_TRUE(PixelIs(screen, c.x + BW - 1, c.y + BH, NAVY));
        }
        int covered = 0;
        for (int y = 0; y < 241; ++y)
            for (int x = 0; x < 321; ++x)
                covered += screen.At(x, y) != NAVY;
        EXPECT_EQ(covered, BW * BH);
    }
}

TEST_F(SplashPaint, NoBackgroundBitmapNoBackground)
{
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_BACK_TILE;  // the image failed to load
    Screen screen(64, 48, NAVY);
    screen.Paint();
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_TRUE(PixelIs(screen, x, y, NAVY));
}

// ---- logo ----

struct LogoCase {
    uint32_t bits;
    int x, y;  // where the 40 x 20 logo goes on a 320 x 240 screen
};

const LogoCase LOGO_CASES[] = {
    {0, 0, 0},
    {FLAG_LOGO_TOP_LEFT | FLAG_LOGO_CENTRE, 0, 0},
    {FLAG_LOGO_TOP_CENTRE | FLAG_LOGO_BOTTOM_CENTRE, 140, 0},
    {FLAG_LOGO_BOTTOM_CENTRE | FLAG_LOGO_BOTTOM_LEFT, 140, 220},
    {FLAG_LOGO_BOTTOM_LEFT | FLAG_LOGO_AT_XY, 0, 220},
    {FLAG_LOGO_CENTRE | FLAG_LOGO_AT_XY, 140, 110},
    {FLAG_LOGO_AT_XY, 37, 91},
};

TEST_F(SplashPaint, PlainLogoAtEachPositionShowsItsKeyColour)
{
    for (const LogoCase& c : LOGO_CASES) {
        SCOPED_TRACE("logo bits 0x" + std::to_string(c.bits));
        DeleteSplashBitmaps();
        logoBitmap = MakeLogo();
        layoutHeader.flags = FLAG_LOGO_IMAGE | c.bits;
        layoutHeader.logoX = 37;
        layoutHeader.logoY = 91;
        layoutHeader.logoKeyColor = MAGENTA;  // no effect without 0x10000
        Screen screen(320, 240, NAVY);
        screen.Paint();
        EXPECT_TRUE(PixelIs(screen, c.x, c.y, MAGENTA));
        EXPECT_TRUE(PixelIs(screen, c.x + 19, c.y + 19, MAGENTA));
        EXPECT_TRUE(PixelIs(screen, c.x + 20, c.y, RED));
        EXPECT_TRUE(PixelIs(screen, c.x + 39, c.y + 19, RED));
        if (c.x > 0) {
            EXPECT_TRUE(PixelIs(screen, c.x - 1, c.y, NAVY));
        }
        if (c.y + LH < 240) {
            EXPECT_TRUE(PixelIs(screen, c.x, c.y + LH, NAVY));
        }
        EXPECT_TRUE(PixelIs(screen, c.x + LW, c.y, NAVY));
    }
}

TEST_F(SplashPaint, TransparentLogoShowsTheBackgroundImageThroughItsKeyPixels)
{
    for (const LogoCase& c : LOGO_CASES) {
        SCOPED_TRACE("logo bits 0x" + std::to_string(c.bits));
        DeleteSplashBitmaps();
        backgroundBitmap = MakeBackground();
        logoBitmap = MakeLogo();
        layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_BACK_TILE | FLAG_LOGO_IMAGE |
                             FLAG_LOGO_TRANSPARENT | c.bits;
        layoutHeader.logoX = 37;
        layoutHeader.logoY = 91;
        layoutHeader.logoKeyColor = MAGENTA;
        Screen screen(320, 240, NAVY);
        Screen tilesOnly(320, 240, NAVY);
        screen.Paint();
        DeleteObject(logoBitmap);
        logoBitmap = nullptr;
        tilesOnly.Paint();
        for (int y = c.y; y < c.y + LH; ++y) {
            for (int x = c.x; x < c.x + LW; ++x) {
                if (x < LW / 2 + c.x) {
                    ASSERT_EQ(screen.At(x, y), tilesOnly.At(x, y)) << "key pixel " << x << ", " << y;
                }
                else
                    ASSERT_TRUE(PixelIs(screen, x, y, RED));
            }
        }
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                if (x < c.x || x >= c.x + LW || y < c.y || y >= c.y + LH) {
                    ASSERT_EQ(screen.At(x, y), tilesOnly.At(x, y)) << "outside the logo " << x << ", " << y;
                }
    }
}

TEST_F(SplashPaint, TransparentLogoOverTheBackColourAndAnotherKey)
{
    logoBitmap = MakeLogo();
    layoutHeader.flags = FLAG_LOGO_IMAGE | FLAG_LOGO_TRANSPARENT | FLAG_LOGO_CENTRE;
    layoutHeader.logoKeyColor = RED;  // now the red half is the one that disappears
    Screen screen(320, 240, NAVY);
    screen.Paint();
    EXPECT_TRUE(PixelIs(screen, 140, 110, MAGENTA));
    EXPECT_TRUE(PixelIs(screen, 159, 129, MAGENTA));
    EXPECT_TRUE(PixelIs(screen, 160, 110, NAVY));
    EXPECT_TRUE(PixelIs(screen, 179, 129, NAVY));
}

TEST_F(SplashPaint, LogoIsDrawnOverTheBackground)
{
    backgroundBitmap = MakeBackground();
    logoBitmap = MakeLogo();
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_LOGO_IMAGE;  // stretched background, logo top left
    Screen screen(320, 240, NAVY);
    screen.Paint();
    EXPECT_TRUE(PixelIs(screen, 5, 5, MAGENTA));
    EXPECT_TRUE(PixelIs(screen, 25, 5, RED));
    EXPECT_TRUE(PixelIs(screen, 45, 5, YELLOW));
}

// ---- text ----

// What the splash font measures on this DC, made as the splash makes it.
struct FontMetrics {
    int tmHeight;
    int tmAveCharWidth;
    std::vector<SIZE> extents;  // of each given line
};

FontMetrics Measure(const char* face, int height, const std::vector<std::string>& lines)
{
    FontMetrics m = {};
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(height, 0, 0, 0, 700, 0, 0, 0, 0, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0x20, face);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    m.tmHeight = tm.tmHeight;
    m.tmAveCharWidth = tm.tmAveCharWidth;
    for (const auto& line : lines) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, line.c_str(), (int)line.size(), &size);
        m.extents.push_back(size);
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    return m;
}

struct Box {
    int left, top, right, bottom;  // right and bottom exclusive
    bool Holds(int x, int y, int margin) const
    {
        return x >= left - margin && x < right + margin && y >= top - margin && y < bottom + margin;
    }
};

// Pixels of exactly that colour inside the boxes, and whether any pixel other
// than the background stands outside them (with a margin of 2 pixels).
struct InkCount {
    int colourInside = 0;
    int strayOutside = 0;
    std::string firstStray;
};

InkCount CountInk(const Screen& screen, const std::vector<Box>& boxes, COLORREF colour, COLORREF background)
{
    InkCount count;
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            COLORREF c = screen.At(x, y);
            bool inside = false;
            for (const Box& b : boxes)
                inside = inside || b.Holds(x, y, 2);
            if (inside && c == colour)
                ++count.colourInside;
            if (!inside && c != background) {
                if (count.strayOutside++ == 0)
                    count.firstStray = std::to_string(x) + "," + std::to_string(y) + " " + Hex(c);
            }
        }
    }
    return count;
}

std::vector<Box> LineBoxes(const FontMetrics& m, int x, int y, int lineCount)
{
    std::vector<Box> boxes;
    int dy = 0;
    for (int i = 0; i < lineCount; ++i) {
        boxes.push_back({x, y + dy, x + m.extents[i].cx, y + dy + m.tmHeight});
        dy += SplashLineStep(m.tmHeight);
    }
    return boxes;
}

TEST_F(SplashPaint, TwoLinesAtTheBottomCentre)
{
    strcpy(layoutHeader.splashText, "A\r\nBC\r\n");
    layoutHeader.flags = FLAG_SPLASH_TEXT;
    layoutHeader.textFlags = TEXT_BOTTOM_CENTRE;
    layoutHeader.fontHeight = 40;
    Screen screen(320, 240, NAVY);
    screen.Paint();

    FontMetrics m = Measure("Arial", 40, {"A", "BC"});
    ASSERT_GT(m.tmHeight, 0);
    int x = 160 - (m.tmAveCharWidth * 2) / 2;
    int y = (int)(240 - SplashBlockHeight(m.tmHeight, 2));
    InkCount ink = CountInk(screen, LineBoxes(m, x, y, 2), WHITE, NAVY);
    EXPECT_GT(ink.colourInside, 40) << "text colour inside the block";
    EXPECT_EQ(ink.strayOutside, 0) << "first at " << ink.firstStray;
}

TEST_F(SplashPaint, EachPlacementPutsTheBlockWhereTheTableSays)
{
    struct Case {
        uint32_t textFlags;
        const char* name;
    } cases[] = {{TEXT_TOP_LEFT, "top-left"},         {TEXT_TOP_CENTRE, "top-centre"},
                 {TEXT_BOTTOM_LEFT, "bottom-left"},   {TEXT_BOTTOM_CENTRE, "bottom-centre"},
                 {TEXT_CENTRE, "centre"},             {0, "at text x, y"}};
    const std::vector<std::string> lines = {"Harbour", "Trust 2004"};
    FontMetrics m = Measure("Arial", 24, lines);
    SplashTextMeasure measure = MeasureSplashText("Harbour\r\nTrust 2004\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetLayout();
        strcpy(layoutHeader.splashText, "Harbour\r\nTrust 2004\r\n");
        layoutHeader.flags = FLAG_SPLASH_TEXT;
        layoutHeader.textFlags = c.textFlags;
        layoutHeader.fontHeight = 24;
        layoutHeader.textX = 23;
        layoutHeader.textY = 57;
        layoutHeader.textColor = YELLOW;
        Screen screen(320, 240, BLACK);
        screen.Paint();
        SplashPoint at = SplashTextOrigin(c.textFlags, 320, 240, m.tmHeight, m.tmAveCharWidth, measure, 23, 57);
        InkCount ink = CountInk(screen, LineBoxes(m, at.x, at.y, 2), YELLOW, BLACK);
        EXPECT_GT(ink.colourInside, 60);
        EXPECT_EQ(ink.strayOutside, 0) << "first at " << ink.firstStray;
    }
}

TEST_F(SplashPaint, ShadowIsDrawnUnderTheTextAtItsOffset)
{
    strcpy(layoutHeader.splashText, "Shadow\r\n");
    layoutHeader.flags = FLAG_SPLASH_TEXT | FLAG_TEXT_SHADOW;
    layoutHeader.textFlags = TEXT_TOP_LEFT;
    layoutHeader.fontHeight = 36;
    layoutHeader.textColor = WHITE;
    layoutHeader.shadowColor = ORANGE;
    layoutHeader.shadowDx = 4;
    layoutHeader.shadowDy = 5;
    Screen screen(320, 240, NAVY);
    screen.Paint();

    FontMetrics m = Measure("Arial", 36, {"Shadow"});
    std::vector<Box> text = LineBoxes(m, 0, 0, 1);
    std::vector<Box> shadow = LineBoxes(m, 4, 5, 1);
    std::vector<Box> both = {text[0], shadow[0]};
    InkCount white = CountInk(screen, both, WHITE, NAVY);
    InkCount orange = CountInk(screen, shadow, ORANGE, NAVY);
    EXPECT_GT(white.colourInside, 60);
    EXPECT_GT(orange.colourInside, 20) << "the shadow shows beside the text";
    EXPECT_EQ(white.strayOutside, 0) << "first at " << white.firstStray;
    // The text is drawn over its shadow: orange only where the shadow box is.
    int orangeOutsideShadow = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            if (screen.At(x, y) == ORANGE && !shadow[0].Holds(x, y, 2))
                ++orangeOutsideShadow;
    EXPECT_EQ(orangeOutsideShadow, 0);
}

TEST_F(SplashPaint, ShadowIsNotDrawnWithoutItsFlag)
{
    strcpy(layoutHeader.splashText, "Shadow\r\n");
    layoutHeader.flags = FLAG_SPLASH_TEXT;
    layoutHeader.textFlags = TEXT_TOP_LEFT;
    layoutHeader.shadowColor = ORANGE;
    layoutHeader.shadowDx = 4;
    layoutHeader.shadowDy = 5;
    Screen screen(320, 240, NAVY);
    screen.Paint();
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_NE(screen.At(x, y), ORANGE);
}

TEST_F(SplashPaint, AnEmptyLineLeavesNoGapButTheBottomBlockStandsALineHigher)
{
    strcpy(layoutHeader.splashText, "one\r\n\r\nthree\r\n");
    layoutHeader.flags = FLAG_SPLASH_TEXT;
    layoutHeader.textFlags = TEXT_BOTTOM_LEFT;
    layoutHeader.fontHeight = 30;
    Screen screen(320, 240, NAVY);
    screen.Paint();
    FontMetrics m = Measure("Arial", 30, {"one", "three"});
    int step = SplashLineStep(m.tmHeight);
    int y = (int)(240 - SplashBlockHeight(m.tmHeight, 3));
    InkCount ink = CountInk(screen, LineBoxes(m, 0, y, 2), WHITE, NAVY);
    EXPECT_GT(ink.colourInside, 40);
    EXPECT_EQ(ink.strayOutside, 0) << "first at " << ink.firstStray;
    // Below the two drawn lines a full line-height stays empty.
    for (int yy = y + 2 * step + 2; yy < 240; ++yy)
        for (int x = 0; x < 320; ++x)
            ASSERT_TRUE(PixelIs(screen, x, yy, NAVY));
    EXPECT_GE(240 - (y + 2 * step), step);
}

TEST_F(SplashPaint, TextWithoutAFinalLineBreakLosesItsLastLine)
{
    strcpy(layoutHeader.splashText, "shown\r\nnot shown");
    layoutHeader.flags = FLAG_SPLASH_TEXT;
    layoutHeader.textFlags = TEXT_TOP_LEFT;
    Screen screen(320, 240, NAVY);
    screen.Paint();
    FontMetrics m = Measure("Arial", 32, {"shown"});
    InkCount ink = CountInk(screen, LineBoxes(m, 0, 0, 1), WHITE, NAVY);
    EXPECT_GT(ink.colourInside, 20);
    EXPECT_EQ(ink.strayOutside, 0) << "first at " << ink.firstStray;
}

TEST_F(SplashPaint, NoTextFlagNoText)
{
    strcpy(layoutHeader.splashText, "hidden\r\n");
    layoutHeader.flags = 0;
    layoutHeader.textFlags = TEXT_TOP_LEFT;
    Screen screen(320, 240, NAVY);
    screen.Paint();
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_TRUE(PixelIs(screen, x, y, NAVY));
}

TEST_F(SplashPaint, TextIsDrawnOverTheLogoAndTheBackground)
{
    backgroundBitmap = MakeBackground();
    logoBitmap = DisplayBitmap(200, 60, [](HDC dc) { Fill(dc, 0, 0, 200, 60, RED); });
    strcpy(layoutHeader.splashText, "WWWW\r\n");
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_LOGO_IMAGE | FLAG_SPLASH_TEXT;
    layoutHeader.textFlags = TEXT_TOP_LEFT;
    layoutHeader.fontHeight = 40;
    Screen screen(320, 240, NAVY);
    screen.Paint();
    int white = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            white += screen.At(x, y) == WHITE;
    EXPECT_GT(white, 100) << "the text stands on the red logo";
    EXPECT_TRUE(PixelIs(screen, 199, 59, RED));
    EXPECT_TRUE(PixelIs(screen, 319, 239, GREEN));
}

// The whole text step, drawn step by step with plain GDI calls, must
// give exactly the same pixels: custom face, shadow, centred block.
TEST_F(SplashPaint, CustomFaceWithShadowMatchesAReferenceDrawing)
{
    const char* text = "Tahoma face\r\n\r\nline two\r\ntail";
    strcpy(layoutHeader.splashText, text);
    strcpy(layoutHeader.fontFaceName, "Tahoma");
    layoutHeader.flags = FLAG_SPLASH_TEXT | FLAG_TEXT_SHADOW;
    layoutHeader.textFlags = TEXT_CENTRE | TEXT_CUSTOM_FONT;
    layoutHeader.fontHeight = 28;
    layoutHeader.textColor = YELLOW;
    layoutHeader.shadowColor = RED;
    layoutHeader.shadowDx = -2;
    layoutHeader.shadowDy = 3;
    Screen screen(321, 241, NAVY);
    screen.Paint();

    Screen reference(321, 241, NAVY);
    HFONT font = CreateFontA(28, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0x20, "Tahoma");
    HGDIOBJ previous = SelectObject(reference.dc, font);
    SetBkMode(reference.dc, TRANSPARENT);
    TEXTMETRICA tm;
    GetTextMetricsA(reference.dc, &tm);
    double L = (tm.tmHeight * 0.1 + tm.tmHeight) * 3;
    int x = 321 / 2 - (tm.tmAveCharWidth * 11) / 2;
    int y = (int)(241 / 2 - L * 0.5);
    int step = (int)(tm.tmHeight + tm.tmHeight * 0.1);
    const char* lines[] = {"Tahoma face", "line two"};
    for (int i = 0; i < 2; ++i) {
        SetTextColor(reference.dc, RED);
        TextOutA(reference.dc, x - 2, y + 3 + i * step, lines[i], (int)strlen(lines[i]));
        SetTextColor(reference.dc, YELLOW);
        TextOutA(reference.dc, x, y + i * step, lines[i], (int)strlen(lines[i]));
    }
    SelectObject(reference.dc, previous);
    DeleteObject(font);

    int differ = 0, inked = 0;
    for (int yy = 0; yy < 241; ++yy) {
        for (int xx = 0; xx < 321; ++xx) {
            differ += screen.At(xx, yy) != reference.At(xx, yy);
            inked += screen.At(xx, yy) != NAVY;
        }
    }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(inked, 100);

    // And it is not what Arial gives.
    layoutHeader.textFlags = TEXT_CENTRE;
    Screen arial(321, 241, NAVY);
    arial.Paint();
    int arialDiffers = 0;
    for (int yy = 0; yy < 241; ++yy)
        for (int xx = 0; xx < 321; ++xx)
            arialDiffers += arial.At(xx, yy) != screen.At(xx, yy);
    EXPECT_GT(arialDiffers, 0) << "the custom face made no difference";
}

TEST_F(SplashPaint, ALineOfThousandsOfCharactersIsDrawnCutAndSafely)
{
    std::string longLine(2786, 'i');
    strcpy(layoutHeader.splashText, (longLine + "\r\n").c_str());
    layoutHeader.flags = FLAG_SPLASH_TEXT;
    layoutHeader.textFlags = TEXT_TOP_LEFT;
    layoutHeader.fontHeight = 12;
    Screen screen(320, 240, NAVY);
    screen.Paint();
    // The first 1023 characters reach across the whole screen, on one line.
    int inkedColumns = 0;
    for (int x = 0; x < 320; ++x) {
        bool inked = false;
        for (int y = 0; y < 14; ++y)
            inked = inked || screen.At(x, y) != NAVY;
        inkedColumns += inked;
    }
    EXPECT_GT(inkedColumns, 60);
    FontMetrics m = Measure("Arial", 12, {"i"});
    EXPECT_GT(m.extents[0].cx * 1023, 320);
    for (int y = m.tmHeight + 2; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_TRUE(PixelIs(screen, x, y, NAVY)) << "only one line";
}

TEST_F(SplashPaint, KeepsTheDcsFontAndLeaksNoGdiObjects)
{
    backgroundBitmap = MakeBackground();
    logoBitmap = MakeLogo();
    strcpy(layoutHeader.splashText, "leak\r\ncheck\r\n");
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_BACK_TILE | FLAG_LOGO_IMAGE | FLAG_LOGO_TRANSPARENT |
                         FLAG_SPLASH_TEXT | FLAG_TEXT_SHADOW;
    layoutHeader.logoKeyColor = MAGENTA;
    Screen screen(320, 240, NAVY);
    HFONT mine = CreateFontA(10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ original = SelectObject(screen.dc, mine);
    screen.Paint();
    EXPECT_EQ(GetCurrentObject(screen.dc, OBJ_FONT), (HGDIOBJ)mine);
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 20; ++i)
        screen.Paint();
    DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_EQ(after, before);
    SelectObject(screen.dc, original);
    DeleteObject(mine);
}

// ---- at 200 % ----

TEST_F(SplashPaint, At200PercentThePicturesAndTheLogosOffsetAreTwiceAsLarge)
{
    splashDpi = 192;
    backgroundBitmap = MakeBackground();
    logoBitmap = MakeLogo();
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_BACK_TOP_LEFT | FLAG_LOGO_IMAGE | FLAG_LOGO_AT_XY |
                         FLAG_LOGO_TRANSPARENT;
    layoutHeader.logoX = 60;
    layoutHeader.logoY = 50;
    layoutHeader.logoKeyColor = MAGENTA;
    Screen screen(320, 240, NAVY);
    screen.Paint();
    // The background, 100 x 60 with its yellow block 20 x 20.
    EXPECT_TRUE(PixelIs(screen, 19, 19, YELLOW));
    EXPECT_TRUE(PixelIs(screen, 20, 20, GREEN));
    EXPECT_TRUE(PixelIs(screen, 99, 59, GREEN));
    EXPECT_TRUE(PixelIs(screen, 100, 30, NAVY));
    EXPECT_TRUE(PixelIs(screen, 50, 60, NAVY));
    // The logo at (120, 100), 80 x 40: its key half shows what is under it.
    EXPECT_TRUE(PixelIs(screen, 120, 100, NAVY));
    EXPECT_TRUE(PixelIs(screen, 159, 139, NAVY));
    EXPECT_TRUE(PixelIs(screen, 160, 100, RED));
    EXPECT_TRUE(PixelIs(screen, 199, 139, RED));
    EXPECT_TRUE(PixelIs(screen, 200, 120, NAVY));
    EXPECT_TRUE(PixelIs(screen, 180, 140, NAVY));
}

// The text at 200 % is the text a layout of twice the height and offsets
// draws at 100 %, pixel for pixel.
TEST_F(SplashPaint, At200PercentTheTextIsTheDoubleLayoutsText)
{
    auto paint = [](Screen& screen, uint32_t dpi, int32_t scale) {
        splashDpi = dpi;
        strcpy(layoutHeader.splashText, "Scaled\r\ntext\r\n");
        layoutHeader.flags = FLAG_SPLASH_TEXT | FLAG_TEXT_SHADOW;
        layoutHeader.shadowColor = ORANGE;
        layoutHeader.fontHeight = 14 * scale;
        layoutHeader.textX = 15 * scale;
        layoutHeader.textY = 20 * scale;
        layoutHeader.shadowDx = 2 * scale;
        layoutHeader.shadowDy = 1 * scale;
        screen.Paint();
    };
    Screen scaled(320, 240, NAVY);
    Screen reference(320, 240, NAVY);
    paint(scaled, 192, 1);
    paint(reference, 96, 2);
    int inked = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            ASSERT_EQ(scaled.At(x, y), reference.At(x, y)) << x << ", " << y;
            inked += reference.At(x, y) != NAVY;
        }
    EXPECT_GT(inked, 200) << "no text drawn";
}

// ---- licence dialog and the RunSplash flow, with a timer as the reader ----

const char* const LICENCE = "End User Licence Agreement";
const char* const GATE = "Enter password:";
const char* const SPLASH_CLASS = "ScreenOneClass";

std::string Text(HWND window)
{
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A visible top-level window of this thread with that caption (or class).
HWND ThreadWindow(const std::string& caption, const std::string& className = "")
{
    struct Search {
        std::string caption, className;
        HWND found;
    } search = {caption, className, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = (Search*)data;
            if (!IsWindowVisible(window))
                return TRUE;
            if ((!s->className.empty() && ClassOf(window) == s->className) ||
                (s->className.empty() && Text(window) == s->caption)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

// Each step names the window it waits for (a caption, or the splash class)
// and acts on it once, from a thread timer that runs inside every modal loop.
struct Step {
    std::string waitFor;
    std::function<void(HWND)> action;
};
std::vector<Step> steps;
size_t nextStep;
std::vector<HWND> dialogsSeen;  // every distinct dialog window that came up
std::vector<std::string> dialogCaptions;  // and its caption
HWND splashSeen;
bool splashVisibleUnderDialog;

HWND Find(const std::string& what)
{
    return what == SPLASH_CLASS ? ThreadWindow("", SPLASH_CLASS) : ThreadWindow(what);
}

void CALLBACK ReaderTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND splash = ThreadWindow("", SPLASH_CLASS))
        splashSeen = splash;
    for (const char* caption : {GATE, LICENCE}) {
        HWND dialog = ThreadWindow(caption);
        if (!dialog)
            continue;
        bool known = false;
        for (HWND seen : dialogsSeen)
            known = known || seen == dialog;
        if (!known) {
            bool again = false;
            for (const auto& seen : dialogCaptions)
                again = again || seen == caption;
            dialogsSeen.push_back(dialog);
            dialogCaptions.push_back(caption);
            HWND splash = ThreadWindow("", SPLASH_CLASS);
            splashVisibleUnderDialog = splash && IsWindowVisible(splash);
            // Unexpected (after the last step, or a dialog come up a second
            // time): cancel it, so that the test ends and reports it.
            if (nextStep >= steps.size() || again)
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }
    if (nextStep >= steps.size())
        return;
    if (HWND window = Find(steps[nextStep].waitFor))
        steps[nextStep++].action(window);
}

char* HeapText(const char* text)
{
    char* copy = (char*)malloc(strlen(text) + 50);
    strcpy(copy, text);
    return copy;
}

class SplashFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnscrambleKeyFields();
        appInstance = GetModuleHandleA(nullptr);
        startCancelled = 0;
        ResetLayout();
        DeleteSplashBitmaps();
        free(eulaText);
        eulaText = nullptr;
        steps.clear();
        nextStep = 0;
        dialogsSeen.clear();
        dialogCaptions.clear();
        splashSeen = nullptr;
        splashVisibleUnderDialog = false;
    }
    void TearDown() override
    {
        MSG message;
        EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
            << "a WM_QUIT was left behind for the next message loop";
        DeleteSplashBitmaps();
        free(eulaText);
        eulaText = nullptr;
    }

    void WithPassword(const char* password)
    {
        layoutHeader.flags |= FLAG_PASSWORD;
        ASSERT_TRUE(MakePasswordCheckBlock(password, layoutHeader.contentKey));
    }
    void WithLicence(const char* text)
    {
        layoutHeader.flags |= FLAG_EULA;
        eulaText = HeapText(text);
    }

    // RunSplash with the reader's steps; the result and how long it took.
    int Run(DWORD* milliseconds = nullptr)
    {
        UINT_PTR timer = SetTimer(nullptr, 0, 15, ReaderTimer);
        DWORD start = GetTickCount();
        int result = RunSplash();
        if (milliseconds)
            *milliseconds = GetTickCount() - start;
        KillTimer(nullptr, timer);
        EXPECT_EQ(nextStep, steps.size()) << "every step ran";
        return result;
    }
};

void TypeAndPressOk(HWND dialog, const char* text)
{
    SetDlgItemTextA(dialog, IDC_PASSWORD_EDIT, text);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, id, 0);
}

// The licence dialog procedure on its own, shown as the splash shows it.
INT_PTR RunLicenceDialog()
{
    UINT_PTR timer = SetTimer(nullptr, 0, 15, ReaderTimer);
    INT_PTR result = DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_EULA), nullptr, LicenceDialog, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(nextStep, steps.size()) << "every step ran";
    return result;
}

TEST_F(SplashFlow, LicenceDialogAcceptEndsWithOkAndLeavesTheStartAlone)
{
    eulaText = HeapText("Clause 1.\r\nClause 2.\r\n");
    std::string shown;
    steps = {{LICENCE, [&](HWND dialog) {
        shown = Text(GetDlgItem(dialog, IDC_EULA_TEXT));
        Press(dialog, IDOK);
    }}};
    EXPECT_EQ(RunLicenceDialog(), IDOK);
    EXPECT_EQ(shown, "Clause 1.\r\nClause 2.\r\n");
    EXPECT_EQ(startCancelled, 0);
    EXPECT_NE(eulaText, nullptr) << "the dialog does not free the text; the splash does";
}

TEST_F(SplashFlow, LicenceDialogDeclineSetsStartCancelled)
{
    eulaText = HeapText("Terms.");
    steps = {{LICENCE, [](HWND dialog) { Press(dialog, IDCANCEL); }}};
    EXPECT_EQ(RunLicenceDialog(), IDCANCEL);
    EXPECT_EQ(startCancelled, 1);
}

TEST_F(SplashFlow, LicenceDialogWithoutTextShowsAnEmptyField)
{
    std::string shown = "unset";
    steps = {{LICENCE, [&](HWND dialog) {
        shown = Text(GetDlgItem(dialog, IDC_EULA_TEXT));
        Press(dialog, IDOK);
    }}};
    EXPECT_EQ(RunLicenceDialog(), IDOK);
    EXPECT_EQ(shown, "");
}

TEST_F(SplashFlow, WithoutDialogsTheSplashEndsByItselfAndFreesWhatItOwns)
{
    backgroundBitmap = MakeBackground();
    logoBitmap = MakeLogo();
    HBITMAP background = backgroundBitmap, logo = logoBitmap;
    layoutHeader.flags = FLAG_BACK_IMAGE | FLAG_LOGO_IMAGE;
    eulaText = HeapText("licence text present, flag clear");
    DWORD took = 0;
    EXPECT_EQ(Run(&took), 1);
    EXPECT_GE(took, 150u);
    EXPECT_LT(took, 5000u);
    EXPECT_TRUE(splashSeen) << "the splash was shown";
    EXPECT_TRUE(dialogsSeen.empty());
    EXPECT_EQ(startCancelled, 0);
    EXPECT_EQ(eulaText, nullptr);
    EXPECT_EQ(backgroundBitmap, nullptr);
    EXPECT_EQ(logoBitmap, nullptr);
    EXPECT_EQ(GetObjectType(background), 0u) << "background bitmap deleted";
    EXPECT_EQ(GetObjectType(logo), 0u) << "logo bitmap deleted";
    EXPECT_FALSE(IsWindow(splashSeen)) << "the splash window is gone";
    WNDCLASSA unused;
    EXPECT_FALSE(GetClassInfoA(appInstance, SPLASH_CLASS, &unused)) << "class left registered";
}

TEST_F(SplashFlow, TheSplashWindowCoversThePrimaryScreen)
{
    layoutHeader.backColor = RGB(12, 34, 56);
    WithPassword("pw");
    struct Seen {
        std::string className, caption;
        LONG_PTR style = 0;
        RECT rect = {};
        DWORD classStyle = 0;
        COLORREF brushColour = 0;
    } seen;
    steps = {{GATE, [&](HWND dialog) {
        HWND splash = ThreadWindow("", SPLASH_CLASS);
        if (splash) {
            seen.className = ClassOf(splash);
            seen.caption = Text(splash);
            seen.style = GetWindowLongPtrA(splash, GWL_STYLE);
            GetWindowRect(splash, &seen.rect);
            seen.classStyle = (DWORD)GetClassLongPtrA(splash, GCL_STYLE);
            LOGBRUSH brush = {};
            GetObjectA((HBRUSH)GetClassLongPtrA(splash, GCLP_HBRBACKGROUND), sizeof brush, &brush);
            seen.brushColour = brush.lbColor;
        }
        TypeAndPressOk(dialog, "pw");
    }}};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(seen.className, SPLASH_CLASS);
    EXPECT_EQ(seen.caption, "");
    EXPECT_TRUE(seen.style & WS_POPUP);
    EXPECT_FALSE(seen.style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CHILD));
    EXPECT_EQ(seen.rect.left, 0);
    EXPECT_EQ(seen.rect.top, 0);
    EXPECT_EQ(seen.rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(seen.rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(seen.classStyle & (CS_HREDRAW | CS_VREDRAW), (DWORD)(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(seen.brushColour, RGB(12, 34, 56));
}

TEST_F(SplashFlow, PasswordThenLicenceOverTheSplashAndAcceptGoesOn)
{
    WithPassword("Right Pass");
    WithLicence("Line one of the licence.\r\nLine two.");
    std::string shownLicence;
    steps = {{GATE, [](HWND dialog) { TypeAndPressOk(dialog, "Right Pass"); }},
             {LICENCE, [&](HWND dialog) {
                  shownLicence = Text(GetDlgItem(dialog, IDC_EULA_TEXT));
                  Press(dialog, IDOK);
              }}};
    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(dialogsSeen.size(), 2u);
    EXPECT_EQ(dialogCaptions[0], GATE);
    EXPECT_EQ(dialogCaptions[1], LICENCE);
    EXPECT_TRUE(splashVisibleUnderDialog) << "the splash stays up under the dialogs";
    EXPECT_EQ(shownLicence, "Line one of the licence.\r\nLine two.");
    EXPECT_EQ(startCancelled, 0);
    EXPECT_STREQ(layoutHeader.contentKey, "Right PassTk9w");
    EXPECT_EQ(eulaText, nullptr);
}

TEST_F(SplashFlow, DeclineCancelsTheStart)
{
    WithLicence("Terms.");
    steps = {{LICENCE, [](HWND dialog) { Press(dialog, IDCANCEL); }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
    EXPECT_EQ(dialogsSeen.size(), 1u);
}

TEST_F(SplashFlow, TheDeclineButtonItselfCancels)
{
    WithLicence("Terms.");
    steps = {{LICENCE, [](HWND dialog) {
        HWND decline = GetDlgItem(dialog, IDCANCEL);
        EXPECT_EQ(Text(decline), "Decline");
        EXPECT_EQ(Text(GetDlgItem(dialog, IDOK)), "I accept this agreement >>");
        PostMessageA(decline, BM_CLICK, 0, 0);
    }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
}

TEST_F(SplashFlow, EscapeOnTheLicenceCancelsTheStart)
{
    WithLicence("Terms.");
    steps = {{LICENCE, [](HWND dialog) {
        HWND focus = GetFocus();
        HWND target = focus && IsChild(dialog, focus) ? focus : GetDlgItem(dialog, IDC_EULA_TEXT);
        PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
}

TEST_F(SplashFlow, TheLicenceCloseBoxCancelsTheStart)
{
    WithLicence("Terms.");
    steps = {{LICENCE, [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
}

TEST_F(SplashFlow, EnterOnTheLicenceAccepts)
{
    WithLicence("Terms.");
    steps = {{LICENCE, [](HWND dialog) {
        HWND edit = GetDlgItem(dialog, IDC_EULA_TEXT);
        SetFocus(edit);
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
    }}};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(startCancelled, 0);
}

TEST_F(SplashFlow, CancellingThePasswordSkipsTheLicence)
{
    WithPassword("pw");
    WithLicence("Terms.");
    steps = {{GATE, [](HWND dialog) { Press(dialog, IDCANCEL); }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
    ASSERT_EQ(dialogsSeen.size(), 1u) << "no licence after a cancelled password";
    EXPECT_EQ(eulaText, nullptr) << "the licence text is freed all the same";
}

TEST_F(SplashFlow, ACloseRequestBeforeTheTimerIsIgnoredAndTheGateStillRuns)
{
    WithPassword("pw");
    bool splashStayed = false;
    bool closedBeforeTheTimer = false;
    steps = {{SPLASH_CLASS, [&](HWND splash) {
                  // Before the 200 ms timer: the close key and a plain close request.
                  closedBeforeTheTimer = dialogsSeen.empty();
                  SendMessageA(splash, WM_SYSCOMMAND, SC_CLOSE, 0);
                  SendMessageA(splash, WM_CLOSE, 0, 0);
              }},
             {GATE, [&](HWND dialog) {
                  splashStayed = ThreadWindow("", SPLASH_CLASS) != nullptr;
                  TypeAndPressOk(dialog, "pw");
              }}};
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(closedBeforeTheTimer);
    EXPECT_TRUE(splashStayed);
    EXPECT_EQ(startCancelled, 0);
}

TEST_F(SplashFlow, ACloseRequestWhileTheGateRunsIsIgnoredToo)
{
    WithPassword("pw");
    bool splashStayed = false;
    steps = {{GATE, [&](HWND dialog) {
        HWND splash = ThreadWindow("", SPLASH_CLASS);
        SendMessageA(splash, WM_SYSCOMMAND, SC_CLOSE, 0);
        splashStayed = IsWindow(splash) && IsWindowVisible(splash) && IsWindow(dialog);
        Press(dialog, IDCANCEL);
    }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(splashStayed);
}

TEST_F(SplashFlow, ASplashDestroyedBeforeTheTimerCancelsTheStart)
{
    WithPassword("pw");
    steps = {{SPLASH_CLASS, [](HWND splash) { DestroyWindow(splash); }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
    EXPECT_TRUE(dialogsSeen.empty());
}

TEST_F(SplashFlow, ASplashDestroyedBeforeTheTimerCancelsEvenWithoutDialogs)
{
    steps = {{SPLASH_CLASS, [](HWND splash) { DestroyWindow(splash); }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
}

TEST_F(SplashFlow, AQuitMessageBeforeTheTimerCancelsTheStart)
{
    WithPassword("pw");
    steps = {{SPLASH_CLASS, [](HWND) { PostQuitMessage(0); }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
    EXPECT_TRUE(dialogsSeen.empty());
    EXPECT_FALSE(IsWindow(splashSeen)) << "the splash is destroyed all the same";
}

TEST_F(SplashFlow, AQuitMessageDuringThePasswordCancelsAndSkipsTheLicence)
{
    WithPassword("pw");
    WithLicence("Terms.");
    steps = {{GATE, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_PASSWORD_EDIT, "pw");  // typed, but never confirmed
        PostQuitMessage(0);
    }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
    EXPECT_EQ(dialogsSeen.size(), 1u);
}

TEST_F(SplashFlow, AQuitMessageDuringTheLicenceCancels)
{
    WithLicence("Terms.");
    steps = {{LICENCE, [](HWND) { PostQuitMessage(0); }}};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(startCancelled, 1);
}

TEST_F(SplashFlow, ATimerMessageWhileTheDialogsRunDoesNotRunThemTwice)
{
    WithPassword("pw");
    WithLicence("Terms.");
    steps = {{GATE, [](HWND dialog) {
                  HWND splash = ThreadWindow("", SPLASH_CLASS);
                  PostMessageA(splash, WM_TIMER, 1, 0);
                  PostMessageA(splash, WM_TIMER, 1, 0);
                  TypeAndPressOk(dialog, "pw");
              }},
             {LICENCE, [](HWND dialog) {
                  PostMessageA(ThreadWindow("", SPLASH_CLASS), WM_TIMER, 1, 0);
                  Press(dialog, IDOK);
              }}};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(dialogsSeen.size(), 2u) << "each dialog came up once";
    EXPECT_EQ(startCancelled, 0);
}

}  // namespace

