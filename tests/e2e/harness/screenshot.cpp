#include "screenshot.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "paths.h"

namespace e2e {

namespace {
// The screen copied into a bitmap with GDI.
struct ScreenBitmap {
    HBITMAP bitmap = nullptr;
    ScreenBitmap()
    {
        int width = GetSystemMetrics(SM_CXSCREEN);
        int height = GetSystemMetrics(SM_CYSCREEN);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    ~ScreenBitmap() { DeleteObject(bitmap); }
    ScreenBitmap(const ScreenBitmap&) = delete;
    ScreenBitmap& operator=(const ScreenBitmap&) = delete;
};

// GDI+ is up for the lifetime of this object.
struct GdiPlus {
    ULONG_PTR token = 0;
    bool ok = false;
    GdiPlus()
    {
        Gdiplus::GdiplusStartupInput input;
        ok = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiPlus()
    {
        if (ok)
            Gdiplus::GdiplusShutdown(token);
    }
    GdiPlus(const GdiPlus&) = delete;
    GdiPlus& operator=(const GdiPlus&) = delete;
};

// GDI+'s built-in PNG encoder.
const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
}  // namespace

std::filesystem::path SaveScreenshot(const std::string& name)
{
    std::error_code error;
    std::filesystem::create_directories(ScreenshotDir(), error);
    std::filesystem::path path = ScreenshotDir() / (name + ".png");

    ScreenBitmap screen;
    if (!screen.bitmap)
        return {};
    GdiPlus gdiPlus;
    if (!gdiPlus.ok)
        return {};
    auto image = std::make_unique<Gdiplus::Bitmap>(screen.bitmap, (HPALETTE) nullptr);
    if (image->Save(path.c_str(), &kPngEncoder, nullptr) != Gdiplus::Ok)
        return {};
    return path;
}

}  // namespace e2e
