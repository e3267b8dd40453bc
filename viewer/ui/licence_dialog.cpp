// The licence agreement, dialog 101: the layout's licence text to accept or decline.
#include "splash.h"

#include "resource.h"
#include "viewer_state.h"

INT_PTR CALLBACK LicenceDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_EULA_TEXT, eulaText ? eulaText : "");
        return TRUE;
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
