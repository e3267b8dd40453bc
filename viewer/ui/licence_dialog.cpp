// The licence agreement, dialog 101: the layout's licence text to accept or decline.
#include "splash.h"

#include <cstdlib>

#include "process_text.h"
#include "resource.h"
#include "viewer_state.h"

INT_PTR CALLBACK LicenceDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        // The text wraps at the control's width (no horizontal scrolling) and
        // starts unselected, the caret at its top: the dialog manager would
        // select all of it when it gives the field the focus.
        HWND text = GetDlgItem(dialog, IDC_EULA_TEXT);
        // The licence is code page 1252: shown through the W call whatever
        // code page the process runs in.
        int length = eulaText ? lstrlenA(eulaText) : 0;
        wchar_t* wide = (wchar_t*)calloc((size_t)length + 1, sizeof(wchar_t));
        if (wide) {
            Cp1252ToWide(eulaText, length, wide, length + 1);
            SetWindowTextW(text, wide);
            free(wide);
        }
        SetFocus(text);
        SendMessageA(text, EM_SETSEL, 0, 0);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:  // "I accept this agreement >>", also the Enter key
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:  // "Decline", also the Escape key and the close box
            startCancelled = 1;
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
