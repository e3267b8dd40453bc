#include "about_box.h"

#include <shellapi.h>

#include <cstdio>

#include "build_time.h"
#include "key_fields.h"
#include "bitmap_helpers.h"
#include "resource.h"
#include "window_dpi.h"

// The picture grown with the dialog, when it is not at its 96-DPI size.
static HBITMAP scaledPicture;

// The picture is drawn for the dialog at 96 DPI: a larger dialog gets a copy
// as much larger, so the picture fills its place as it does at 96 DPI.
static void FitPicture(HWND dialog)
{
    HWND control = GetDlgItem(dialog, IDC_ABOUT_PICTURE);
    HBITMAP picture = (HBITMAP)SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0);
    BITMAP info = {};
    if (!picture || !GetObjectA(picture, sizeof info, &info))
        return;
    const int width = ScaleForDialogFont(dialog, info.bmWidth);
    const int height = ScaleForDialogFont(dialog, info.bmHeight);
    if (width == info.bmWidth && height == info.bmHeight)
        return;
    HDC screen = GetDC(nullptr);
    HBITMAP scaled = ScaledBitmap(screen, picture, width, height);
    ReleaseDC(nullptr, screen);
    if (!scaled)
        return;
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)scaled);
    if (scaledPicture)
        DeleteObject(scaledPicture);
    scaledPicture = scaled;
}

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        char line[128];
        snprintf(line, sizeof line, "Build: %s %s", BuildTimeText(), __DATE__);
        SetDlgItemTextA(dialog, IDC_ABOUT_BUILD, line);
        FitPicture(dialog);
        return TRUE;
    }
    case WM_DESTROY:
        // The control does not own a picture it was given.
        if (scaledPicture)
            DeleteObject(scaledPicture);
        scaledPicture = nullptr;
        return FALSE;
    case WM_COMMAND:
        // Only "Ok..." closes the box; Escape and the close box do not.
        if (LOWORD(wParam) == IDOK)
            EndDialog(dialog, 1);
        else if (LOWORD(wParam) == IDC_ABOUT_WEB)
            ShellExecuteA(nullptr, "open", webAddress, nullptr, nullptr, SW_SHOWNORMAL);
        return TRUE;
    }
    return FALSE;
}
