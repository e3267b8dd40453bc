// The drawing helpers, rendered into memory bitmaps whose pixels the tests read.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "bitmap_helpers.h"
#include "memory_canvas.h"

namespace {

using Canvas = MemoryCanvas;

const COLORREF RED = RGB(255, 0, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF GREEN = RGB(0, 200, 0);
const COLORREF GREY = RGB(192, 192, 192);

// 10x10: a magenta frame of 2 pixels around a red 6x6 square.
HBITMAP FramedSquare()
{
    return DisplayBitmap(10, 10, [](HDC dc) {
        Fill(dc, 0, 0, 10, 10, KEY_MAGENTA);
        Fill(dc, 2, 2, 8, 8, RED);
    });
}

TEST(DrawTransparent, KeyPixelsLeaveTheTargetOthersAreCopied)
{
    HBITMAP square = FramedSquare();
    Canvas canvas(40, 40, GREEN);
    DrawTransparent(canvas.dc, square, 5, 7, KEY_MAGENTA);
    EXPECT_EQ(canvas.At(5, 7), GREEN) << "key corner";
    EXPECT_EQ(canvas.At(6, 8), GREEN) << "key frame";
    EXPECT_EQ(canvas.At(7, 9), RED) << "first opaque pixel";
    EXPECT_EQ(canvas.At(12, 14), RED) << "last opaque pixel";
    EXPECT_EQ(canvas.At(13, 15), GREEN) << "key frame, far side";
    EXPECT_EQ(canvas.At(30, 30), GREEN) << "outside the bitmap";

    // The source comes back unchanged.
    Canvas copy(10, 10, GREY);
    DrawBitmap(copy.dc, square, 0, 0);
    EXPECT_EQ(copy.At(0, 0), KEY_MAGENTA);
    EXPECT_EQ(copy.At(5, 5), RED);
    DeleteObject(square);
}

TEST(DrawTransparent, WithoutKeyPixelsIsAPlainCopyAndAllKeyChangesNothing)
{
    HBITMAP solid = DisplayBitmap(4, 4, [](HDC dc) { Fill(dc, 0, 0, 4, 4, BLUE); });
    HBITMAP allKey = DisplayBitmap(4, 4, [](HDC dc) { Fill(dc, 0, 0, 4, 4, KEY_MAGENTA); });
    Canvas canvas(8, 8, GREEN);
    DrawTransparent(canvas.dc, solid, 0, 0, KEY_MAGENTA);
    DrawTransparent(canvas.dc, allKey, 4, 4, KEY_MAGENTA);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(canvas.At(i, i), BLUE);
        EXPECT_EQ(canvas.At(4 + i, 4 + i), GREEN);
    }
    DeleteObject(solid);
    DeleteObject(allKey);
}

TEST(ReplaceKeyColour, MagentaTakesTheFillColourInANewBitmap)
{
    HBITMAP square = FramedSquare();
    HBITMAP replaced = ReplaceKeyColour(square, GREY);
    ASSERT_NE(replaced, nullptr);
    ASSERT_NE(replaced, square);
    BITMAP info;
    GetObjectA(replaced, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 10);
    EXPECT_EQ(info.bmHeight, 10);

    Canvas canvas(10, 10, GREEN);
    DrawBitmap(canvas.dc, replaced, 0, 0);
    EXPECT_EQ(canvas.At(0, 0), GREY);
    EXPECT_EQ(canvas.At(9, 1), GREY);
    EXPECT_EQ(canvas.At(2, 2), RED);
    EXPECT_EQ(canvas.At(7, 7), RED);
    DeleteObject(replaced);
    DeleteObject(square);
}

TEST(DrawBitmap, CopiesAtNaturalSizeAndStretchFillsTheRectangle)
{
    HBITMAP halves = DisplayBitmap(4, 2, [](HDC dc) {
        Fill(dc, 0, 0, 2, 2, RED);
        Fill(dc, 2, 0, 4, 2, BLUE);
    });
    Canvas plain(10, 10, GREEN);
    DrawBitmap(plain.dc, halves, 3, 3);
    EXPECT_EQ(plain.At(3, 3), RED);
    EXPECT_EQ(plain.At(6, 4), BLUE);
    EXPECT_EQ(plain.At(7, 3), GREEN);
    EXPECT_EQ(plain.At(3, 5), GREEN);

    Canvas stretched(40, 20, GREEN);
    StretchBitmap(stretched.dc, halves, 0, 0, 40, 20);
    EXPECT_EQ(stretched.At(0, 0), RED);
    EXPECT_EQ(stretched.At(19, 19), RED);
    EXPECT_EQ(stretched.At(20, 0), BLUE);
    EXPECT_EQ(stretched.At(39, 19), BLUE);
    DeleteObject(halves);
}

// The fixtures are 96x96 pictures, red on the left half and blue on the right.
void ExpectHalves(HBITMAP picture, const char* name)
{
    ASSERT_NE(picture, nullptr) << name;
    Canvas canvas(96, 96, GREEN);
    DrawBitmap(canvas.dc, picture, 0, 0);
    COLORREF left = canvas.At(10, 48);
    COLORREF right = canvas.At(85, 48);
    EXPECT_GT(GetRValue(left), 200) << name;
    EXPECT_LT(GetBValue(left), 60) << name;
    EXPECT_GT(GetBValue(right), 200) << name;
    EXPECT_LT(GetRValue(right), 60) << name;
    DeleteObject(picture);
}

TEST(LoadPicture, ReadsJpegAndGifAtTheDisplaysResolution)
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    for (const char* name : {"halves.jpg", "halves.gif"}) {
        std::string path = std::string(FIXTURES_DIR) + "/" + name;
        int width = 0;
        int height = 0;
        HBITMAP picture = LoadPicture(path.c_str(), &width, &height);
        // 96 pixels of a 96-dpi picture are 2540 HIMETRIC units: one inch of the display.
        EXPECT_EQ(width, MulDiv(96, dpi, 96)) << name;
        EXPECT_EQ(height, width) << name;
        ExpectHalves(picture, name);
    }
}

TEST(LoadPicture, BitmapFilesLoadDirectly)
{
    std::string path = std::string(FIXTURES_DIR) + "/halves.bmp";
    HBITMAP picture = (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    ExpectHalves(picture, "halves.bmp");
}

}  // namespace
