#include "splash_layout.h"

#include "layout_format.h"

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

static SplashRect Rect(int x, int y, int width, int height)
{
    SplashRect rect = {x, y, width, height};
    return rect;
}

SplashRect BackgroundCopy(uint32_t flags, int screenWidth, int screenHeight, int bitmapWidth,
                          int bitmapHeight, int index)
{
    const int W = screenWidth;
    const int H = screenHeight;
    const int bw = bitmapWidth;
    const int bh = bitmapHeight;
    switch (ChooseBackgroundMode(flags)) {
    case BACKGROUND_QUARTERS: {
        // With an odd W or H the quarters leave a one-pixel column or row free.
        const int x[4] = {0, W / 2, 0, W / 2};
        const int y[4] = {0, 0, H - H / 2, H - H / 2};
        int i = index & 3;
        return Rect(x[i], y[i], W / 2, H / 2);
    }
    case BACKGROUND_TILE: {
        int columns = TileCount(W, bw);
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

static SplashPoint Point(int x, int y)
{
    SplashPoint point = {x, y};
    return point;
}

SplashPoint LogoPosition(uint32_t flags, int screenWidth, int screenHeight, int logoWidth,
                         int logoHeight, int logoX, int logoY)
{
    const int W = screenWidth;
    const int H = screenHeight;
    if (flags & FLAG_LOGO_TOP_LEFT)
        return Point(0, 0);
    if (flags & FLAG_LOGO_TOP_CENTRE)
        return Point(W / 2 - logoWidth / 2, 0);
    if (flags & FLAG_LOGO_BOTTOM_CENTRE)
        return Point(W / 2 - logoWidth / 2, H - logoHeight);
    if (flags & FLAG_LOGO_BOTTOM_LEFT)
        return Point(0, H - logoHeight);
    if (flags & FLAG_LOGO_CENTRE)
        return Point(W / 2 - logoWidth / 2, H / 2 - logoHeight / 2);
    if (flags & FLAG_LOGO_AT_XY)
        return Point(logoX, logoY);
    return Point(0, 0);
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

double SplashBlockHeight(int tmHeight, int lineCount)
{
    return ((double)tmHeight * 0.1 + tmHeight) * lineCount;
}

int SplashLineStep(int tmHeight)
{
    return (int)(tmHeight + tmHeight * 0.1);
}

SplashPoint SplashTextOrigin(uint32_t textFlags, int screenWidth, int screenHeight, int tmHeight,
                             int tmAveCharWidth, SplashTextMeasure measure, int textX, int textY)
{
    const uint32_t placement = textFlags & 0xFF;
    const int W = screenWidth;
    const int H = screenHeight;
    const double L = SplashBlockHeight(tmHeight, measure.lineCount);
    const int centredX = W / 2 - (tmAveCharWidth * measure.widest) / 2;
    if (placement & TEXT_TOP_LEFT)
        return Point(0, 0);
    if (placement & TEXT_TOP_CENTRE)
        return Point(centredX, 0);
    if (placement & TEXT_BOTTOM_LEFT)
        return Point(0, (int)(H - L));
    if (placement & TEXT_BOTTOM_CENTRE)
        return Point(centredX, (int)(H - L));
    if (placement & TEXT_CENTRE)
        return Point(centredX, (int)(H / 2 - L * 0.5));
    return Point(textX, textY);
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
            *dy = walk->dy;
            walk->dy += walk->lineStep;
            return 1;
        }
        if (used < SPLASH_LINE_MAX)
            line[used++] = c;
    }
}
