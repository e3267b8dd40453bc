#include "bench_viewer.h"

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>

#include "disc_integrity.h"
#include "file_list.h"
#include "key_fields.h"
#include "byte_source.h"
#include "main_window.h"
#include "resource.h"
#include "viewer_state.h"

static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && ((NMHDR*)lParam)->code == LVN_GETDISPINFOA) {
        GetFileListText((NMLVDISPINFOA*)lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool OpenBenchDisc(const char* viewerFile, const char* password)
{
    UnscrambleKeyFields();
    FILE* file = fopen(viewerFile, "rb");
    if (!file)
        return false;
    // The layout as the viewer opens it: the record decides how contents are
    // checked, the password gate (with its key derivation) opens them.
    ForgetDiscKeys();
    ByteSource source;
    int reason = DISC_OK;
    bool ok = FileSource(file, &source) && OpenDiscLayout(&source, &viewerDisc, &reason);
    fclose(file);
    if (!ok)
        return false;
    layoutTrailer = viewerDisc.trailer;
    layoutHeader = viewerDisc.header;
    if (viewerDisc.needsPassword &&
        CheckDiscPassword(layoutHeader.contentKey, password, layoutHeader.contentKey) != 1)
        return false;
    // Backslashes, as the viewer gets its own path from Windows.
    snprintf(viewerPath, sizeof viewerPath, "%s", viewerFile);
    for (char* p = viewerPath; *p; ++p)
        if (*p == '/')
            *p = '\\';
    return true;
}

void CreateViewerWindows()
{
    appInstance = GetModuleHandleA(nullptr);
    rootIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_DISC_ROOT));
    closedFolderIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FOLDER_CLOSED));
    openFolderIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FOLDER_OPEN));
    fileIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FILE));
    InitCommonControls();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = appInstance;
    windowClass.lpszClassName = "ViewerBench";
    RegisterClassA(&windowClass);
    mainWindow = CreateWindowExA(0, "ViewerBench", "Viewer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1280,
                                 1000, nullptr, nullptr, appInstance, nullptr);
    statusWindow = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "Ready.", mainWindow, 1);
    treeWindow = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS |
                                 TVS_HASLINES, 0, 21, 635, 930, mainWindow, (HMENU)2, appInstance, nullptr);
    listWindow = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL |
                                 LVS_REPORT, 640, 21, 635, 930, mainWindow, (HMENU)3, appInstance, nullptr);
    SetupFileListColumns();
    SettleWindows();
}

void SettleWindows()
{
    UpdateWindow(mainWindow);
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

long long NowTicks()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

double SecondsSince(long long startTicks)
{
    auto elapsed = std::chrono::steady_clock::duration(NowTicks() - startTicks);
    return std::chrono::duration<double>(elapsed).count();
}
