// Drawing helpers over GDI bitmaps: the picture loader, key-colour replacement,
// and plain, stretched and transparent copies into any device context.
#pragma once
#include <windows.h>

// Loads any image the OLE picture loader reads (JPEG, GIF, BMP, ...) into a
// display-compatible bitmap; null after showing "OleLoad FAILED!".
HBITMAP LoadPicture(const char* path, int* width, int* height);

// A new bitmap of the source's size in which every magenta pixel has the fill colour.
HBITMAP ReplaceKeyColour(HBITMAP source, COLORREF fill);

void DrawBitmap(HDC target, HBITMAP bitmap, int x, int y);
void StretchBitmap(HDC target, HBITMAP bitmap, int x, int y, int width, int height);

// A new bitmap compatible with target: the source stretched to width x height,
// pixels repeated or dropped (no blending, so a key colour stays exact).
// Null when it cannot be made.
HBITMAP ScaledBitmap(HDC target, HBITMAP source, int width, int height);

// Copies the bitmap, leaving the target untouched where it has the key colour.
void DrawTransparent(HDC target, HBITMAP bitmap, short x, short y, COLORREF key);

const COLORREF KEY_MAGENTA = RGB(255, 0, 255);
