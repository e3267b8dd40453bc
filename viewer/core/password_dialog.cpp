#include "password_dialog.h"

#include <cstring>

#include "disc_integrity.h"
#include "key_fields.h"
#include "process_text.h"
#include "resource.h"
#include "viewer_state.h"
#include "win_helpers.h"

static void CheckTypedPassword(HWND dialog)
{
    char typed[1024];
    HWND edit = GetDlgItem(dialog, IDC_PASSWORD_EDIT);
    // Strong discs of the wide records take the password in any script;
    // the others keep the design's code page 1252 password.
    int usable = TypedPassword(edit, viewerDisc.wide, typed, sizeof typed);

    // Deriving a verified or strong disc's keys takes a noticeable moment.
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    int accepted = usable ? CheckDiscPassword(layoutHeader.contentKey, typed, layoutHeader.contentKey) : 0;
    SetCursor(previous);
    SecureZeroMemory(typed, sizeof typed);
    if (accepted > 0) {
        EndDialog(dialog, 1);
        return;
    }
    // Not a wrong password: the machine could not lend the derivation its
    // memory. Trying again may work once other programs have closed.
    if (accepted < 0) {
        if (AskYesNo("Error: 14306",
                     "There is not enough memory to check the password (the disc's key needs "
                     "%lu MiB). Close other programs and try again?",
                     (unsigned long)(viewerDisc.record.memoryKiB / 1024)) != IDYES) {
            startCancelled = 1;
            EndDialog(dialog, 1);
        }
        return;
    }
    if (AskYesNo("Password Incorrect.",
                 "Password incorrect, do you want to try again?\r\n\r\n"
                 "( case sensitive - make sure \"CAPS LOCK\" is not on )") != IDYES) {
        startCancelled = 1;
        EndDialog(dialog, 1);
        return;
    }
    // The next try starts from an empty field: typed after the wrong
    // password, the right one would be refused too.
    SetWindowTextA(edit, "");
    SetFocus(edit);
}

INT_PTR CALLBACK PasswordDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        // password + salt + NUL must fit the header's 255-byte contentKey
        SendDlgItemMessageA(dialog, IDC_PASSWORD_EDIT, EM_LIMITTEXT, MAX_PASSWORD_LENGTH, 0);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(dialog, &paint);
        EndPaint(dialog, &paint);
        SetFocus(GetDlgItem(dialog, IDC_PASSWORD_EDIT));
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            CheckTypedPassword(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            startCancelled = 1;
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
