// The main window on a monitor of another DPI (WM_DPICHANGED). Windows leaves
// a per-monitor aware window as it is: everything sized in pixels for the old
// DPI is made again for the new one.
#include "main_window.h"

#include "file_list.h"
#include "item_tree.h"
#include "window_dpi.h"

// The font of the tree, the list and the status bar once the DPI changed;
// until then they keep the one they were created with.
static HFONT paneFont;

static void RescalePaneFont(UINT oldDpi, UINT newDpi)
{
    HFONT font = RescaledFont((HFONT)SendMessageA(treeWindow, WM_GETFONT, 0, 0), oldDpi, newDpi);
    if (!font)
        return;
    SendMessageA(treeWindow, WM_SETFONT, (WPARAM)font, TRUE);
    SendMessageA(listWindow, WM_SETFONT, (WPARAM)font, TRUE);
    SendMessageA(statusWindow, WM_SETFONT, (WPARAM)font, TRUE);
    if (paneFont)
        DeleteObject(paneFont);
    paneFont = font;
}

void OnMainWindowDpiChanged(HWND window, UINT dpi, const RECT* suggested)
{
    const UINT oldDpi = PaneLayoutDpi();
    if (dpi == 0)
        dpi = WindowDpi(window);
    if (dpi != oldDpi) {
        RescalePaneFont(oldDpi, dpi);
        // A dragged splitter keeps its place relative to the panes.
        splitterPane.x = (int32_t)RescaleForDpi(splitterPane.x, oldDpi, dpi);
        SetPaneLayoutDpi(dpi);
        RescaleFileListColumns(oldDpi, dpi);
        RefreshTreeIcons(treeWindow);
    }
    MoveToSuggestedRect(window, suggested);
    // A rectangle of the same size brings no WM_SIZE: the panes are laid out
    // again all the same, the splitter where it is.
    RECT client;
    GetClientRect(window, &client);
    SendMessageA(window, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
}
