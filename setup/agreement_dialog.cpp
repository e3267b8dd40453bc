// The agreement dialog, resource 102: the licence agreement in white bold
// Arial on blue, to accept or to cancel the installation.
#include "agreement_text.h"
#include "dialogs.h"
#include "resource.h"
#include "setup_state.h"
#include "window_dpi.h"

static const COLORREF AGREEMENT_TEXT_COLOUR = RGB(255, 255, 255);
static const COLORREF AGREEMENT_BACK_COLOUR = RGB(100, 100, 255);

static HFONT agreementFont = nullptr;
static HBRUSH agreementBrush = nullptr;

// The bold Arial is 15 pixels high at 96 DPI and grows with the dialog's
// font: grown by the DPI alone it would run past the box where the dialog
// grows less.
static int agreementFontHeight;
static UINT agreementDpi;

static HFONT CreateAgreementFont(int height)
{
    return CreateFontA(height, 0, 0, 0, 700, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
}

static void CreateAgreementLook(HWND dialog)
{
    agreementFontHeight = ScaleForDialogFont(dialog, 15);
    agreementDpi = WindowDpi(dialog);
    agreementFont = CreateAgreementFont(agreementFontHeight);
    agreementBrush = CreateSolidBrush(AGREEMENT_BACK_COLOUR);
}

static void DeleteAgreementLook()
{
    if (agreementFont)
        DeleteObject(agreementFont);
    if (agreementBrush)
        DeleteObject(agreementBrush);
    agreementFont = nullptr;
    agreementBrush = nullptr;
}

INT_PTR CALLBACK AgreementDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CreateAgreementLook(dialog);
        // The edit box lays its lines out with its own font: given the bold
        // Arial too, the lines are as tall as the text drawn in them.
        SendDlgItemMessageA(dialog, IDC_AGREEMENT_TEXT, WM_SETFONT, (WPARAM)agreementFont, FALSE);
        SetDlgItemTextA(dialog, IDC_AGREEMENT_TEXT, agreementText);
        // Focus on the accept button: given to the edit box, the dialog would
        // select the whole agreement.
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    case WM_DPICHANGED: {
        // Windows lays the dialog out again, its font made for the new DPI
        // too; the agreement's own font follows.
        agreementFontHeight = (int)RescaleForDpi(agreementFontHeight, agreementDpi, HIWORD(wParam));
        agreementDpi = HIWORD(wParam);
        HFONT font = CreateAgreementFont(agreementFontHeight);
        if (font) {
            SendDlgItemMessageA(dialog, IDC_AGREEMENT_TEXT, WM_SETFONT, (WPARAM)font, TRUE);
            if (agreementFont)
                DeleteObject(agreementFont);
            agreementFont = font;
        }
        return FALSE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        HDC dc = (HDC)wParam;
        SetTextColor(dc, AGREEMENT_TEXT_COLOUR);
        SetBkColor(dc, AGREEMENT_BACK_COLOUR);
        SelectObject(dc, agreementFont);
        return (INT_PTR)agreementBrush;
    }
    case WM_VSCROLL: {
        HWND edit = GetDlgItem(dialog, IDC_AGREEMENT_TEXT);
        InvalidateRect(edit, nullptr, TRUE);
        UpdateWindow(edit);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:  // "I ACCEPT THIS AGREEMENT"
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:  // "Cancel Install", also Esc and the close box
            installCancelled = 1;
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        DeleteAgreementLook();
        return FALSE;
    }
    return FALSE;
}
