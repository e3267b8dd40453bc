// The progress dialog, resource 101: "Extracting..." and a bar that fills one
// step per package entry while a worker thread unpacks.
#include <windows.h>
#include <commctrl.h>
#include <process.h>

#include "dialogs.h"
#include "package_unpack.h"
#include "resource.h"
#include "setup_state.h"
#include "window_dpi.h"

// The window's size at 96 DPI.
static const int PROGRESS_WIDTH = 395;
static const int PROGRESS_HEIGHT = 80;

static HANDLE workerThread = nullptr;

static unsigned __stdcall UnpackWorker(void*)
{
    if (UnpackPackage() == 1)
        InterlockedExchange(&completionFlag, 1);
    // The dialog looks at the flag only when a message arrives: send it one.
    PostMessageA(progressDialog, WM_UNPACK_FINISHED, 0, 0);
    return 0;
}

// One worker per installation: a second start command (Enter, say) is ignored.
static void StartUnpackWorker()
{
    if (workerThread)
        return;
    workerThread = (HANDLE)_beginthreadex(nullptr, 0, UnpackWorker, nullptr, 0, nullptr);
}

INT_PTR CALLBACK ProgressDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (completionFlag == 1) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        InitCommonControls();
        progressDialog = dialog;
        progressBar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
        SendMessageA(progressBar, PBM_SETRANGE, 0, MAKELPARAM(0, entryCount & 0xFFFF));
        SendMessageA(progressBar, PBM_SETSTEP, 1, 0);
        SendMessageA(progressBar, PBM_DELTAPOS, 0, 0);
        SendMessageA(progressBar, PBM_SETPOS, 0, 0);
        MoveWindow(dialog, 0, 0, ScaleForWindow(dialog, PROGRESS_WIDTH), ScaleForWindow(dialog, PROGRESS_HEIGHT), FALSE);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            StartUnpackWorker();
            return TRUE;
        case IDCANCEL:  // Esc or the close box
            InterlockedExchange(&unpackCancelled, 1);
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// Waits for the worker to end while answering the messages it may still be
// sending to the (now destroyed) progress bar.
static void WaitForWorker()
{
    if (!workerThread)
        return;
    while (MsgWaitForMultipleObjects(1, &workerThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    }
    CloseHandle(workerThread);
    workerThread = nullptr;
}

void RunProgressDialog()
{
    DialogBoxParamA(setupInstance, MAKEINTRESOURCEA(IDD_PROGRESS), nullptr, ProgressDialog, 0);
    WaitForWorker();
}
