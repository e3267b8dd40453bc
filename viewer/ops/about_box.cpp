#include "about_box.h"

#include <shellapi.h>

#include <cstdio>

#include "build_time.h"
#include "key_fields.h"
#include "resource.h"

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        char line[128];
        snprintf(line, sizeof line, "Build: %s %s", BuildTimeText(), __DATE__);
        SetDlgItemTextA(dialog, IDC_ABOUT_BUILD, line);
        return TRUE;
    }
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
