#include "window_dpi.h"

typedef UINT(WINAPI* GetDpiForWindowCall)(HWND);

UINT WindowDpi(HWND window)
{
    static GetDpiForWindowCall getDpiForWindow;
    static int lookedUp;
    if (!lookedUp) {
        HMODULE user = GetModuleHandleA("user32.dll");
        if (user)
            getDpiForWindow = (GetDpiForWindowCall)(void*)GetProcAddress(user, "GetDpiForWindow");
        lookedUp = 1;
    }
    UINT dpi = 0;
    if (getDpiForWindow && window)
        dpi = getDpiForWindow(window);
    if (dpi == 0) {
        HDC screen = GetDC(nullptr);
        if (screen) {
            dpi = (UINT)GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
        }
    }
    return dpi ? dpi : DESIGN_DPI;
}

int ScaleForWindow(HWND window, int px96)
{
    return (int)ScaleForDpi(px96, WindowDpi(window));
}

int ScaleForDialogFont(HWND dialog, int px96)
{
    RECT units = {0, 0, 0, 8};
    if (!MapDialogRect(dialog, &units) || units.bottom <= 0)
        return px96;
    return MulDiv(px96, units.bottom, 13);
}

void MoveToSuggestedRect(HWND window, const RECT* suggested)
{
    if (suggested)
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT RescaledFont(HFONT current, UINT oldDpi, UINT newDpi)
{
    LOGFONTA look = {};
    if (!GetObjectA(current ? (HGDIOBJ)current : GetStockObject(DEFAULT_GUI_FONT), sizeof look, &look))
        return nullptr;
    look.lfHeight = (LONG)RescaleForDpi(look.lfHeight, oldDpi, newDpi);
    look.lfWidth = (LONG)RescaleForDpi(look.lfWidth, oldDpi, newDpi);
    return CreateFontIndirectA(&look);
}
