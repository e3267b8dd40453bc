// Where the splash screen puts its background copies, its logo and its text
// block. No windows.h: the arithmetic is tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

// Positions and sizes are clamped to the coordinates GDI takes (within
// +-2^27), so no header value, however large, overflows on the way.
const int SPLASH_COORDINATE_LIMIT = 1 << 27;
int ClampSplashCoordinate(int64_t value);
int ClampSplashCoordinate(double value);  // truncated; NaN gives 0

// The header's font height as the splash font is created with it: at most
// 32767 pixels either way (the sign chooses cell or character height).
const int SPLASH_FONT_HEIGHT_LIMIT = 32767;
int SplashFontHeight(int32_t fontHeight);

// A rectangle in screen pixels: where one copy of an image goes.
struct SplashRect {
    int x;
    int y;
    int width;
    int height;
};

struct SplashPoint {
    int x;
    int y;
};

// Background image placement: the first bit of flags set in this order wins.
enum BackgroundMode {
    BACKGROUND_QUARTERS,       // 0x4: four copies, each stretched to a quarter of the screen
    BACKGROUND_TILE,           // 0x2: natural-size copies, row by row, over the whole screen
    BACKGROUND_TOP_LEFT,       // 0x10
    BACKGROUND_TOP_CENTRE,     // 0x20
    BACKGROUND_BOTTOM_CENTRE,  // 0x80 (tested before 0x40)
    BACKGROUND_BOTTOM_LEFT,    // 0x40
    BACKGROUND_CENTRE,         // 0x100
    BACKGROUND_STRETCH,        // none: one copy stretched over the screen
};

BackgroundMode ChooseBackgroundMode(uint32_t flags);

// Number of copies of a bw x bh background on a W x H screen. Tiling covers
// the screen (the last row and column may stick out); a bitmap without pixels
// or a screen without pixels tiles nothing.
int BackgroundCopyCount(uint32_t flags, int screenWidth, int screenHeight, int bitmapWidth,
                        int bitmapHeight);

// Copy number index (0 .. count-1, tiles row by row) as the rectangle it is
// stretched into; natural-size copies have the bitmap's own size.
SplashRect BackgroundCopy(uint32_t flags, int screenWidth, int screenHeight, int bitmapWidth,
                          int bitmapHeight, int index);

// Top-left corner of an lw x lh logo at natural size: the first logo bit of
// flags set in the order 0x400, 0x800, 0x2000, 0x1000, 0x4000, 0x8000 wins;
// none means the top left.
SplashPoint LogoPosition(uint32_t flags, int screenWidth, int screenHeight, int logoWidth,
                         int logoHeight, int logoX, int logoY);

// point + (dx, dy), clamped: a drawn line is origin + (0, line offset), its
// shadow origin + (shadowDx, shadowDy + line offset).
SplashPoint OffsetSplashPoint(SplashPoint point, int64_t dx, int64_t dy);

// The text measure: lineCount is the number of CR characters; widest the most
// characters other than CR and LF before the first CR or between two CRs.
// Characters after the last CR are not measured.
struct SplashTextMeasure {
    int lineCount;
    int widest;
};

SplashTextMeasure MeasureSplashText(const char* text);

// Height of the block: (tmHeight * 0.1 + tmHeight) * lineCount, in double.
double SplashBlockHeight(int tmHeight, int lineCount);

// Vertical distance from one drawn line to the next: tmHeight + tmHeight * 0.1, truncated.
int SplashLineStep(int tmHeight);

// Origin of the text block: the first placement bit of the low byte of
// textFlags set in the order 0x2, 0x4, 0x8, 0x10, 0x20 wins; none means
// (textX, textY).
SplashPoint SplashTextOrigin(uint32_t textFlags, int screenWidth, int screenHeight, int tmHeight,
                             int tmAveCharWidth, SplashTextMeasure measure, int textX, int textY);

// The line buffer of the drawing walk: 1024 bytes, so a line holds at most
// 1023 characters; the rest of a longer line (up to its CR or LF) is dropped.
const int SPLASH_LINE_BUFFER = 1024;
const int SPLASH_LINE_MAX = SPLASH_LINE_BUFFER - 1;

// The walk over the text that yields the lines to draw. A CR or an LF ends a
// non-empty line; empty lines are skipped without moving down; text after the
// last CR or LF is not drawn.
struct SplashLineWalk {
    const char* text;
    size_t position;
    int64_t dy;     // offset of the next line drawn (clamped when handed out)
    int lineStep;   // SplashLineStep(tmHeight)
};

void StartSplashLines(SplashLineWalk* walk, const char* text, int tmHeight);

// 1 with the next line to draw in line (NUL-terminated, *length characters)
// and its vertical offset in *dy; 0 when no line is left.
int NextSplashLine(SplashLineWalk* walk, char line[SPLASH_LINE_BUFFER], int* length, int* dy);
