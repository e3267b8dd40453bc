// The splash screen: a full-screen window painted from the layout's
// presentation settings, whose one-shot timer runs the start-up dialogs.
#include "splash.h"

#include <cstdlib>

#include "bitmap_helpers.h"
#include "layout_format.h"
#include "password_dialog.h"
#include "process_text.h"
#include "resource.h"
#include "splash_layout.h"
#include "viewer_state.h"
#include "window_dpi.h"

UINT splashDpi = DESIGN_DPI;

namespace {

const char* const SPLASH_CLASS = SPLASH_WINDOW_CLASS;
const UINT_PTR SPLASH_TIMER = 1;
const UINT SPLASH_DELAY_MS = 200;

// Where the start-up dialogs are. Only DIALOGS_DONE lets the start go on: a
// splash destroyed, or a loop ended, before that counts as a cancelled start,
// so nothing can skip the password gate.
enum StartDialogs { DIALOGS_WAITING, DIALOGS_RUNNING, DIALOGS_DONE };

int screenWidth;
int screenHeight;
HWND splashWindow;
StartDialogs startDialogs;

// A header offset or size in pixels at the splash's DPI; at 96 DPI exactly
// the header's value.
int ScaleSplash(int64_t value)
{
    if (splashDpi == DESIGN_DPI)
        return (int)value;
    return ClampSplashCoordinate(ScaleForDpi(value, splashDpi));
}

// A picture's size on the splash: its pixels at 96 DPI, scaled like the rest.
SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    SIZE size = {ScaleSplash(info.bmWidth), ScaleSplash(info.bmHeight)};
    return size;
}

// Tiling: the first copy is drawn with StretchBitmap at the top left of a
// screen-sized work bitmap and then repeated by doubling the covered area, and
// the part of the work bitmap being painted goes to the target in one copy.
// The pixels are those of one natural-size StretchBitmap per tile, but a small
// tile on a large screen costs a few dozen copies instead of tens of
// thousands. 0 when the work bitmap cannot be made.
int PaintTiles(HDC dc, int width, int height, int tileWidth, int tileHeight, const RECT& clip)
{
    if (width <= 0 || height <= 0 || tileWidth <= 0 || tileHeight <= 0)
        return 1;  // nothing to cover
    HDC work = CreateCompatibleDC(dc);
    HBITMAP canvas = work ? CreateCompatibleBitmap(dc, width, height) : nullptr;
    if (!canvas) {
        if (work)
            DeleteDC(work);
        return 0;
    }
    HGDIOBJ previous = SelectObject(work, canvas);
    StretchBitmap(work, backgroundBitmap, 0, 0, tileWidth, tileHeight);
    for (int covered = tileWidth; covered < width; covered *= 2) {
        int more = covered < width - covered ? covered : width - covered;
        BitBlt(work, covered, 0, more, tileHeight, work, 0, 0, SRCCOPY);
    }
    for (int covered = tileHeight; covered < height; covered *= 2) {
        int more = covered < height - covered ? covered : height - covered;
        BitBlt(work, 0, covered, width, more, work, 0, 0, SRCCOPY);
    }
    RECT area = {0, 0, width, height};
    IntersectRect(&area, &area, &clip);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, work, area.left,
           area.top, SRCCOPY);
    SelectObject(work, previous);
    DeleteObject(canvas);
    DeleteDC(work);
    return 1;
}

void PaintBackground(HDC dc, int width, int height)
{
    if (!backgroundBitmap)
        return;
    SIZE size = BitmapSize(backgroundBitmap);
    const uint32_t flags = layoutHeader.flags;
    RECT clip;
    if (GetClipBox(dc, &clip) == ERROR)
        SetRect(&clip, 0, 0, width, height);
    if (ChooseBackgroundMode(flags) == BACKGROUND_TILE &&
        PaintTiles(dc, width, height, size.cx, size.cy, clip))
        return;
    int count = BackgroundCopyCount(flags, width, height, size.cx, size.cy);
    for (int i = 0; i < count; ++i) {
        SplashRect copy = BackgroundCopy(flags, width, height, size.cx, size.cy, i);
        // Copies wholly outside the area being painted are left out.
        if (copy.x >= clip.right || copy.y >= clip.bottom || copy.x + copy.width <= clip.left ||
            copy.y + copy.height <= clip.top)
            continue;
        StretchBitmap(dc, backgroundBitmap, copy.x, copy.y, copy.width, copy.height);
    }
}

void PaintLogo(HDC dc, int width, int height)
{
    if (!logoBitmap)
        return;
    SIZE size = BitmapSize(logoBitmap);
    SplashPoint at = LogoPosition(layoutHeader.flags, width, height, size.cx, size.cy,
                                  ScaleSplash(layoutHeader.logoX), ScaleSplash(layoutHeader.logoY));
    // At another DPI the logo is drawn from a copy of its scaled size.
    HBITMAP logo = logoBitmap;
    if (splashDpi != DESIGN_DPI)
        logo = ScaledBitmap(dc, logoBitmap, size.cx, size.cy);
    if (!logo)
        return;
    if (layoutHeader.flags & FLAG_LOGO_TRANSPARENT)
        DrawTransparent(dc, logo, (short)at.x, (short)at.y, layoutHeader.logoKeyColor);
    else
        DrawBitmap(dc, logo, at.x, at.y);
    if (logo != logoBitmap)
        DeleteObject(logo);
}


// The splash text is code page 1252: a process in UTF-8 draws it through
// the W call, one in any other code page as it always has.
static void DrawSplashLine(HDC dc, int x, int y, const char* line, int length)
{
    if (!ProcessUsesUtf8()) {
        TextOutA(dc, x, y, line, length);
        return;
    }
    wchar_t wide[SPLASH_LINE_BUFFER];
    int units = Cp1252ToWide(line, length, wide, SPLASH_LINE_BUFFER);
    TextOutW(dc, x, y, wide, units);
}

void PaintText(HDC dc, int width, int height)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, layoutHeader.textColor);
    SetBkColor(dc, layoutHeader.backColor);
    const char* face = (layoutHeader.textFlags & TEXT_CUSTOM_FONT) ? layoutHeader.fontFaceName : "Arial";
    const int32_t designHeight = SplashFontHeight(layoutHeader.fontHeight);
    const int fontHeight = SplashFontHeight((int32_t)ScaleForDpi(designHeight, splashDpi));
    HFONT font = CreateFontA(fontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                             ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, face);
    HGDIOBJ previousFont = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);

    const char* text = layoutHeader.splashText;
    SplashTextMeasure measure = MeasureSplashText(text);
    SplashPoint origin = SplashTextOrigin(layoutHeader.textFlags, width, height, metrics.tmHeight,
                                          metrics.tmAveCharWidth, measure, ScaleSplash(layoutHeader.textX),
                                          ScaleSplash(layoutHeader.textY));
    SplashLineWalk walk;
    StartSplashLines(&walk, text, metrics.tmHeight);
    char line[SPLASH_LINE_BUFFER];
    int length = 0;
    int dy = 0;
    while (NextSplashLine(&walk, line, &length, &dy)) {
        if (layoutHeader.flags & FLAG_TEXT_SHADOW) {
            SetTextColor(dc, layoutHeader.shadowColor);
            SplashPoint shadow = OffsetSplashPoint(origin, ScaleForDpi(layoutHeader.shadowDx, splashDpi),
                                                   ScaleForDpi(layoutHeader.shadowDy, splashDpi) + dy);
            DrawSplashLine(dc, shadow.x, shadow.y, line, length);
            SetTextColor(dc, layoutHeader.textColor);
        }
        SplashPoint at = OffsetSplashPoint(origin, 0, dy);
        DrawSplashLine(dc, at.x, at.y, line, length);
    }

    SelectObject(dc, previousFont);
    DeleteObject(font);
}

// True when a WM_QUIT waits for this thread: a modal loop that ends by it
// leaves it for the loop outside, and reports the dialog as ended all the same.
bool QuitPending()
{
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

// The password gate when the layout demands it, then the licence agreement
// when the layout carries one and the reader has not given up. A dialog that
// ends any other way than through its own buttons (it could not be shown, or
// a WM_QUIT ended its loop) counts as giving up.
void RunStartDialogs()
{
    startDialogs = DIALOGS_RUNNING;
    if (layoutHeader.flags & FLAG_PASSWORD) {
        INT_PTR result = DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_PASSWORD), nullptr,
                                         PasswordDialog, 0);
        if (result == -1 || QuitPending())
            startCancelled = 1;
    }
    if (!startCancelled && (layoutHeader.flags & FLAG_EULA)) {
        INT_PTR result =
            DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_EULA), nullptr, LicenceDialog, 0);
        if (result != IDOK || QuitPending())
            startCancelled = 1;
    }
    startDialogs = DIALOGS_DONE;
}

LRESULT CALLBACK SplashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetTimer(window, SPLASH_TIMER, SPLASH_DELAY_MS, nullptr);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintSplash(dc, screenWidth, screenHeight);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_TIMER:
        if (wParam != SPLASH_TIMER)
            break;
        // One shot: stopped first; a timer message that still arrives (while
        // the dialogs run, or posted) finds the dialogs started and does nothing.
        KillTimer(window, SPLASH_TIMER);
        if (startDialogs != DIALOGS_WAITING)
            return 0;
        RunStartDialogs();
        DestroyWindow(window);
        PostQuitMessage(0);
        return 0;
    case WM_DPICHANGED:
        // The splash covers the primary screen wherever the DPI changes: it
        // keeps its place and paints again at the new DPI.
        splashDpi = HIWORD(wParam);
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_CLOSE:
        // The splash ends only through its timer: a close request (Alt+F4)
        // is ignored, so it can neither skip nor cut short the start dialogs.
        return 0;
    case WM_DESTROY:
        splashWindow = nullptr;
        if (startDialogs != DIALOGS_DONE) {
            // Destroyed before the start dialogs were through: the start is cancelled.
            startCancelled = 1;
            PostQuitMessage(0);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void PaintSplash(HDC dc, int width, int height)
{
    PaintBackground(dc, width, height);
    PaintLogo(dc, width, height);
    if (layoutHeader.flags & FLAG_SPLASH_TEXT)
        PaintText(dc, width, height);
}

int RunSplash()
{
    startDialogs = DIALOGS_WAITING;
    HBRUSH background = CreateSolidBrush(layoutHeader.backColor);

    WNDCLASSEXA splashClass = {};
    splashClass.cbSize = sizeof splashClass;
    splashClass.style = CS_HREDRAW | CS_VREDRAW;
    splashClass.lpfnWndProc = SplashProc;
    splashClass.hInstance = appInstance;
    splashClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    splashClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    splashClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    splashClass.hbrBackground = background;
    splashClass.lpszClassName = SPLASH_CLASS;
    RegisterClassExA(&splashClass);

    screenWidth = GetSystemMetrics(SM_CXSCREEN);
    screenHeight = GetSystemMetrics(SM_CYSCREEN);
    splashWindow = CreateWindowExA(0, SPLASH_CLASS, "", WS_POPUP, 0, 0, screenWidth, screenHeight,
                                   nullptr, nullptr, appInstance, nullptr);
    splashDpi = WindowDpi(splashWindow);
    if (splashWindow) {
        ShowWindow(splashWindow, SW_SHOW);
        UpdateWindow(splashWindow);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } else {
        // No splash to show: the start-up dialogs still run, without it.
        RunStartDialogs();
    }

    // The loop can also end by a WM_QUIT from elsewhere: a start whose
    // dialogs did not finish is cancelled, and a splash still up goes.
    if (startDialogs != DIALOGS_DONE)
        startCancelled = 1;
    startDialogs = DIALOGS_DONE;
    if (splashWindow)
        DestroyWindow(splashWindow);
    UnregisterClassA(SPLASH_CLASS, appInstance);

    DeleteObject(background);
    free(eulaText);
    eulaText = nullptr;
    if (backgroundBitmap)
        DeleteObject(backgroundBitmap);
    backgroundBitmap = nullptr;
    if (logoBitmap)
        DeleteObject(logoBitmap);
    logoBitmap = nullptr;
    return startCancelled ? 0 : 1;
}
