#include "splash_layout.h"

#include <cmath>

#include "layout_format.h"

int ClampSplashCoordinate(int64_t value)
{
    if (value > SPLASH_COORDINATE_LIMIT)
        return SPLASH_COORDINATE_LIMIT;
    if (value < -SPLASH_COORDINATE_LIMIT)
        return -SPLASH_COORDINATE_LIMIT;
    return (int)value;
}

int ClampSplashCoordinate(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= SPLASH_COORDINATE_LIMIT)
        return SPLASH_COORDINATE_LIMIT;
    if (value <= -SPLASH_COORDINATE_LIMIT)
        return -SPLASH_COORDINATE_LIMIT;
    return (int)value;
}

int SplashFontHeight(int32_t fontHeight)
{
    if (fontHeight > SPLASH_FONT_HEIGHT_LIMIT)
        return SPLASH_FONT_HEIGHT_LIMIT;
    if (fontHeight < -SPLASH_FONT_HEIGHT_LIMIT)
        return -SPLASH_FONT_HEIGHT_LIMIT;
    return fontHeight;
}

BackgroundMode ChooseBackgroundMode(uint32_t flags)
{
    if (flags & FLAG_BACK_QUARTERS)
        return BACKGROUND_QUARTERS;
    if (flags & FLAG_BACK_TILE)
        return BACKGROUND_TILE;
    if (flags & FLAG_BACK_TOP_LEFT)
        return BACKGROUND_TOP_LEFT;
    if (flags & FLAG_BACK_TOP_CENTRE)
        return BACKGROUND_TOP_CENTRE;
    if (flags & FLAG_BACK_BOTTOM_CENTRE)
        return BACKGROUND_BOTTOM_CENTRE;
    if (flags & FLAG_BACK_BOTTOM_LEFT)
        return BACKGROUND_BOTTOM_LEFT;
    if (flags & FLAG_BACK_CENTRE)
        return BACKGROUND_CENTRE;
    return BACKGROUND_STRETCH;
}

// Copies needed to cover length pixels with pieces of size pixels: x = 0,
// size, 2*size, ... while x < length.
static int TileCount(int length, int size)
{
    if (length <= 0 || size <= 0)
        return 0;
    return (int)(((long long)length + size - 1) / size);
}

int BackgroundCopyCount(uint32_t flags, int screenWidth, int screenHeight, int bitmapWidth,
                        int bitmapHeight)
{
    switch (ChooseBackgroundMode(flags)) {
    case BACKGROUND_QUARTERS:
        return 4;
    case BACKGROUND_TILE: {
        long long count = (long long)TileCount(screenWidth, bitmapWidth) *
                          TileCount(screenHeight, bitmapHeight);
        return count > 0x7FFFFFFF ? 0x7FFFFFFF : (int)count;
    }
    default:
        return 1;
    }
}

// Every rectangle and point is worked out in 64 bits and clamped: the screen
// and bitmap sizes are the system's, but positions, offsets and the font's
// measures come from the disc.
static SplashRect Rect(int64_t x, int64_t y, int64_t width, int64_t height)
{
    SplashRect rect = {ClampSplashCoordinate(x), ClampSplashCoordinate(y), ClampSplashCoordinate(width),
                       ClampSplashCoordinate(height)};
    return rect;
}

SplashRect BackgroundCopy(uint32_t flags, int screenWidth, int screenHeight, int bitmapWidth,
                          int bitmapHeight, int index)
{
    const int64_t W = screenWidth;
    const int64_t H = screenHeight;
    const int64_t bw = bitmapWidth;
    const int64_t bh = bitmapHeight;
    switch (ChooseBackgroundMode(flags)) {
    case BACKGROUND_QUARTERS: {
        // With an odd W or H the quarters leave a one-pixel column or row free.
        const int64_t x[4] = {0, W / 2, 0, W / 2};
        const int64_t y[4] = {0, 0, H - H / 2, H - H / 2};
        int i = index & 3;
        return Rect(x[i], y[i], W / 2, H / 2);
    }
    case BACKGROUND_TILE: {
        int columns = TileCount(screenWidth, bitmapWidth);
        if (columns == 0)
            return Rect(0, 0, bw, bh);
        return Rect((index % columns) * bw, (index / columns) * bh, bw, bh);
    }
    case BACKGROUND_TOP_LEFT:
        return Rect(0, 0, bw, bh);
    case BACKGROUND_TOP_CENTRE:
        return Rect(W / 2 - bw / 2, 0, bw, bh);
    case BACKGROUND_BOTTOM_CENTRE:
        return Rect(W / 2 - bw / 2, H - bh, bw, bh);
    case BACKGROUND_BOTTOM_LEFT:
        return Rect(0, H - bh, bw, bh);
    case BACKGROUND_CENTRE:
        return Rect(W / 2 - bw / 2, H / 2 - bh / 2, bw, bh);
    case BACKGROUND_STRETCH:
        break;
    }
    return Rect(0, 0, W, H);
}

static SplashPoint Point(int64_t x, int64_t y)
{
    SplashPoint point = {ClampSplashCoordinate(x), ClampSplashCoordinate(y)};
    return point;
}

static SplashPoint TruncatedPoint(double x, double y)
{
    SplashPoint point = {ClampSplashCoordinate(x), ClampSplashCoordinate(y)};
    return point;
}

SplashPoint LogoPosition(uint32_t flags, int screenWidth, int screenHeight, int logoWidth,
                         int logoHeight, int logoX, int logoY)
{
    const int64_t W = screenWidth;
    const int64_t H = screenHeight;
    const int64_t lw = logoWidth;
    const int64_t lh = logoHeight;
    if (flags & FLAG_LOGO_TOP_LEFT)
        return Point(0, 0);
    if (flags & FLAG_LOGO_TOP_CENTRE)
        return Point(W / 2 - lw / 2, 0);
    if (flags & FLAG_LOGO_BOTTOM_CENTRE)
        return Point(W / 2 - lw / 2, H - lh);
    if (flags & FLAG_LOGO_BOTTOM_LEFT)
        return Point(0, H - lh);
    if (flags & FLAG_LOGO_CENTRE)
        return Point(W / 2 - lw / 2, H / 2 - lh / 2);
    if (flags & FLAG_LOGO_AT_XY)
        return Point((int64_t)logoX, (int64_t)logoY);
    return Point(0, 0);
}

SplashPoint OffsetSplashPoint(SplashPoint point, int64_t dx, int64_t dy)
{
    return Point(point.x + dx, point.y + dy);
}

SplashTextMeasure MeasureSplashText(const char* text)
{
    SplashTextMeasure measure = {0, 0};
    int run = 0;  // characters other than CR and LF since the start or the last CR
    for (const char* c = text; *c; ++c) {
        if (*c == '\r') {
            ++measure.lineCount;
            if (run > measure.widest)
                measure.widest = run;
            run = 0;
        } else if (*c != '\n') {
            ++run;
        }
    }
    return measure;
}

// A step of the arithmetic rounded to double as soon as it is done. The
// shipped 32-bit build computes on the x87 unit, which otherwise keeps extra
// bits between the steps: its block of two 20-pixel lines came out
// 44.0000000000000002 high, and a bottom text stood one pixel above the
// 64-bit build's (240 - 44.0000000000000002 truncates to 195).
static double AsDouble(double value)
{
    volatile double stored = value;
    return stored;
}

double SplashBlockHeight(int tmHeight, int lineCount)
{
    return AsDouble(AsDouble(AsDouble((double)tmHeight * 0.1) + tmHeight) * lineCount);
}

int SplashLineStep(int tmHeight)
{
    return ClampSplashCoordinate(AsDouble(tmHeight + AsDouble(tmHeight * 0.1)));
}

SplashPoint SplashTextOrigin(uint32_t textFlags, int screenWidth, int screenHeight, int tmHeight,
                             int tmAveCharWidth, SplashTextMeasure measure, int textX, int textY)
{
    const uint32_t placement = textFlags & 0xFF;
    const int64_t W = screenWidth;
    const int H = screenHeight;
    const double L = SplashBlockHeight(tmHeight, measure.lineCount);
    const int64_t centredX = W / 2 - ((int64_t)tmAveCharWidth * measure.widest) / 2;
    if (placement & TEXT_TOP_LEFT)
        return Point(0, 0);
    if (placement & TEXT_TOP_CENTRE)
        return Point(centredX, 0);
    if (placement & TEXT_BOTTOM_LEFT)
        return TruncatedPoint(0.0, AsDouble(H - L));
    if (placement & TEXT_BOTTOM_CENTRE)
        return TruncatedPoint((double)centredX, AsDouble(H - L));
    if (placement & TEXT_CENTRE)
        return TruncatedPoint((double)centredX, AsDouble(H / 2 - AsDouble(L * 0.5)));
    return Point((int64_t)textX, (int64_t)textY);
}

void StartSplashLines(SplashLineWalk* walk, const char* text, int tmHeight)
{
    walk->text = text;
    walk->position = 0;
    walk->dy = 0;
    walk->lineStep = SplashLineStep(tmHeight);
}

int NextSplashLine(SplashLineWalk* walk, char line[SPLASH_LINE_BUFFER], int* length, int* dy)
{
    int used = 0;
    for (;;) {
        char c = walk->text[walk->position];
        if (c == 0) {
            // Text after the last CR or LF is not drawn.
            line[0] = 0;
            *length = 0;
            return 0;
        }
        ++walk->position;
        if (c == '\r' || c == '\n') {
            if (used == 0)
                continue;  // an empty line: nothing drawn, no move down
            line[used] = 0;
            *length = used;
            *dy = ClampSplashCoordinate(walk->dy);
            walk->dy += walk->lineStep;
            return 1;
        }
        if (used < SPLASH_LINE_MAX)
            line[used++] = c;
    }
}
