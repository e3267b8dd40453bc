#include "export_progress.h"

#include <process.h>

#include "bitmap_helpers.h"
#include "resource.h"
#include "viewer_state.h"
#include "window_dpi.h"

volatile LONG exportAborted;

// The window handle and the end of the export meet under a lock, so a window
// that appears after the export ended closes itself at once.
static CRITICAL_SECTION progressLock;
static int progressLockReady;
static HWND progressWindow;
static int exportDone;
static HANDLE progressThread;
static int frameIndex;  // kept from one export to the next
static const char* progressCaption;

static unsigned __stdcall ProgressThread(void*)
{
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_EXPORTING), nullptr, ExportProgress, 0);
    return 0;
}

void StartExportProgress(const char* caption)
{
    progressCaption = caption;
    if (!progressLockReady) {
        InitializeCriticalSection(&progressLock);
        progressLockReady = 1;
    }
    EnterCriticalSection(&progressLock);
    progressWindow = nullptr;
    exportDone = 0;
    LeaveCriticalSection(&progressLock);
    progressThread = (HANDLE)_beginthreadex(nullptr, 0, ProgressThread, nullptr, 0, nullptr);
}

void FinishExportProgress()
{
    if (!progressLockReady)
        return;
    EnterCriticalSection(&progressLock);
    exportDone = 1;
    HWND window = progressWindow;
    LeaveCriticalSection(&progressLock);
    if (window)
        SendMessageA(window, WM_EXPORT_FINISHED, 0, 0);
    if (!progressThread)
        return;
    // Messages sent to this thread's windows while the dialog goes away are
    // still answered.
    while (MsgWaitForMultipleObjects(1, &progressThread, FALSE, 10000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(progressThread);
    progressThread = nullptr;
}

static void CloseProgress(HWND dialog)
{
    KillTimer(dialog, 1);
    InterlockedExchange(&exportAborted, 1);
    EnterCriticalSection(&progressLock);
    progressWindow = nullptr;
    LeaveCriticalSection(&progressLock);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK ExportProgress(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        EnterCriticalSection(&progressLock);
        int done = exportDone;
        if (!done)
            progressWindow = dialog;
        LeaveCriticalSection(&progressLock);
        if (done) {
            EndDialog(dialog, 1);  // the export ended before this window appeared
            return TRUE;
        }
        if (progressCaption)
            SetWindowTextA(dialog, progressCaption);
        SetTimer(dialog, 1, 200, nullptr);
        return TRUE;
    }
    case WM_TIMER: {
        // The animation's place: 199 x 74 at (50, 0) in the dialog at 96 DPI.
        RECT frame = {ScaleForDialogFont(dialog, 50), 0, ScaleForDialogFont(dialog, 249),
                      ScaleForDialogFont(dialog, 74)};
        InvalidateRect(dialog, &frame, FALSE);
        UpdateWindow(dialog);
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(dialog, &paint);
        HBITMAP picture = exportFrames[frameIndex];
        BITMAP info = {};
        if (picture && GetObjectA(picture, sizeof info, &info)) {
            const int width = ScaleForDialogFont(dialog, info.bmWidth);
            const int height = ScaleForDialogFont(dialog, info.bmHeight);
            if (width == info.bmWidth && height == info.bmHeight)
                DrawBitmap(dc, picture, 50, 0);
            else
                StretchBitmap(dc, picture, ScaleForDialogFont(dialog, 50), 0, width, height);
        }
        frameIndex = (frameIndex + 1) % IDB_EXPORT_FRAME_COUNT;
        EndPaint(dialog, &paint);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {  // "Abort", also the Escape key
            CloseProgress(dialog);
            return TRUE;
        }
        return FALSE;
    case WM_EXPORT_FINISHED:
        CloseProgress(dialog);
        return TRUE;
    }
    return FALSE;
}
