#include "bitmap_helpers.h"

#include <ole2.h>
#include <olectl.h>

#include "win_helpers.h"

HBITMAP LoadPicture(const char* path, int* width, int* height)
{
    WCHAR widePath[260];
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, widePath, 260) == 0)
        widePath[0] = 0;
    IPicture* picture = nullptr;
    HRESULT result = OleLoadPicturePath(widePath, nullptr, 0, 0, IID_IPicture, (void**)&picture);
    if (FAILED(result) || !picture) {
        MessageBoxA(MessageOwner(), "OleLoad FAILED!", "ERROR:", MB_OK);
        return nullptr;
    }
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HDC memory = CreateCompatibleDC(display);

    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    // 2540 HIMETRIC units (hundredths of a millimetre) make one inch.
    int pixelWidth = MulDiv(GetDeviceCaps(display, LOGPIXELSX), himetricWidth, 2540);
    int pixelHeight = MulDiv(GetDeviceCaps(display, LOGPIXELSY), himetricHeight, 2540);

    HBITMAP bitmap = CreateCompatibleBitmap(display, pixelWidth, pixelHeight);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    // The picture's vertical axis points up: start at its top and go down.
    picture->Render(memory, 0, 0, pixelWidth, pixelHeight, 0, himetricHeight, himetricWidth,
                    -himetricHeight, nullptr);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteDC(display);
    picture->Release();

    if (width)
        *width = pixelWidth;
    if (height)
        *height = pixelHeight;
    return bitmap;
}

static SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    SIZE size = {info.bmWidth, info.bmHeight};
    return size;
}

HBITMAP ReplaceKeyColour(HBITMAP source, COLORREF fill)
{
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HDC memory = CreateCompatibleDC(display);
    HGDIOBJ previous = SelectObject(memory, source);
    SetMapMode(memory, GetMapMode(display));

    SIZE size = BitmapSize(source);
    HBITMAP result = CreateCompatibleBitmap(display, size.cx, size.cy);
    SelectObject(memory, result);
    RECT all = {0, 0, size.cx, size.cy};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(memory, &all, brush);
    DeleteObject(brush);

    DrawTransparent(memory, source, 0, 0, KEY_MAGENTA);

    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteDC(display);
    return result;
}

HBITMAP ScaledBitmap(HDC target, HBITMAP source, int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    HDC memory = CreateCompatibleDC(target);
    HBITMAP result = memory ? CreateCompatibleBitmap(target, width, height) : nullptr;
    if (result) {
        HGDIOBJ previous = SelectObject(memory, result);
        StretchBitmap(memory, source, 0, 0, width, height);
        SelectObject(memory, previous);
    }
    if (memory)
        DeleteDC(memory);
    return result;
}

// The preparation DrawBitmap and StretchBitmap share: a memory context holding
// the bitmap, and the bitmap's size and origin in logical units.
struct BitmapSource {
    HDC memory;
    HGDIOBJ previous;
    POINT size;
    POINT origin;
};

static void OpenBitmapSource(HDC target, HBITMAP bitmap, BitmapSource* source)
{
    source->memory = CreateCompatibleDC(target);
    source->previous = SelectObject(source->memory, bitmap);
    SetMapMode(source->memory, GetMapMode(target));
    SIZE size = BitmapSize(bitmap);
    source->size.x = size.cx;
    source->size.y = size.cy;
    DPtoLP(target, &source->size, 1);
    source->origin.x = 0;
    source->origin.y = 0;
    DPtoLP(source->memory, &source->origin, 1);
}

static void CloseBitmapSource(BitmapSource* source)
{
    SelectObject(source->memory, source->previous);
    DeleteDC(source->memory);
}

void DrawBitmap(HDC target, HBITMAP bitmap, int x, int y)
{
    BitmapSource source;
    OpenBitmapSource(target, bitmap, &source);
    BitBlt(target, x, y, source.size.x, source.size.y, source.memory, source.origin.x,
           source.origin.y, SRCCOPY);
    CloseBitmapSource(&source);
}

void StretchBitmap(HDC target, HBITMAP bitmap, int x, int y, int width, int height)
{
    BitmapSource source;
    OpenBitmapSource(target, bitmap, &source);
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, x, y, width, height, source.memory, source.origin.x, source.origin.y,
               source.size.x, source.size.y, SRCCOPY);
    CloseBitmapSource(&source);
}

// The mask technique: a monochrome mask of the key-coloured pixels clears the
// target where the bitmap is opaque and clears the bitmap where it is not; OR
// joins the two.
void DrawTransparent(HDC target, HBITMAP bitmap, short x, short y, COLORREF key)
{
    HDC sourceDc = CreateCompatibleDC(target);
    HGDIOBJ sourcePrevious = SelectObject(sourceDc, bitmap);
    SetMapMode(sourceDc, GetMapMode(target));
    SIZE bitmapSize = BitmapSize(bitmap);
    POINT size = {bitmapSize.cx, bitmapSize.cy};
    DPtoLP(sourceDc, &size, 1);

    HDC inverseDc = CreateCompatibleDC(target);
    HDC maskDc = CreateCompatibleDC(target);
    HDC mergeDc = CreateCompatibleDC(target);
    HDC saveDc = CreateCompatibleDC(target);
    HBITMAP inverseMask = CreateBitmap(size.x, size.y, 1, 1, nullptr);
    HBITMAP objectMask = CreateBitmap(size.x, size.y, 1, 1, nullptr);
    HBITMAP merge = CreateCompatibleBitmap(target, size.x, size.y);
    HBITMAP save = CreateCompatibleBitmap(target, size.x, size.y);
    HGDIOBJ inversePrevious = SelectObject(inverseDc, inverseMask);
    HGDIOBJ maskPrevious = SelectObject(maskDc, objectMask);
    HGDIOBJ mergePrevious = SelectObject(mergeDc, merge);
    HGDIOBJ savePrevious = SelectObject(saveDc, save);

    BitBlt(saveDc, 0, 0, size.x, size.y, sourceDc, 0, 0, SRCCOPY);

    COLORREF background = SetBkColor(sourceDc, key);
    BitBlt(maskDc, 0, 0, size.x, size.y, sourceDc, 0, 0, SRCCOPY);
    SetBkColor(sourceDc, background);

    BitBlt(inverseDc, 0, 0, size.x, size.y, maskDc, 0, 0, NOTSRCCOPY);
    BitBlt(mergeDc, 0, 0, size.x, size.y, target, x, y, SRCCOPY);
    BitBlt(mergeDc, 0, 0, size.x, size.y, maskDc, 0, 0, SRCAND);
    BitBlt(sourceDc, 0, 0, size.x, size.y, inverseDc, 0, 0, SRCAND);
    BitBlt(mergeDc, 0, 0, size.x, size.y, sourceDc, 0, 0, SRCPAINT);
    BitBlt(target, x, y, size.x, size.y, mergeDc, 0, 0, SRCCOPY);
    BitBlt(sourceDc, 0, 0, size.x, size.y, saveDc, 0, 0, SRCCOPY);

    SelectObject(inverseDc, inversePrevious);
    SelectObject(maskDc, maskPrevious);
    SelectObject(mergeDc, mergePrevious);
    SelectObject(saveDc, savePrevious);
    SelectObject(sourceDc, sourcePrevious);
    DeleteObject(inverseMask);
    DeleteObject(objectMask);
    DeleteObject(merge);
    DeleteObject(save);
    DeleteDC(inverseDc);
    DeleteDC(maskDc);
    DeleteDC(mergeDc);
    DeleteDC(saveDc);
    DeleteDC(sourceDc);
}
