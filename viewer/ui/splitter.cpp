#include "splitter.h"

#include "main_window.h"
#include "viewer_state.h"
#include "win_helpers.h"

int splitterDragging;

static const char SPLITTER_CLASS[] = "SplitterWnd";
static HWND dragBar;

static LRESULT CALLBACK DragBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        // The black class background stays as a one-pixel frame.
        RECT inside = {1, 1, splitterPane.width - 1, splitterPane.height - 1};
        HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
        FillRect(dc, &inside, face);
        DeleteObject(face);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);  // ends the drag's own message loop
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterSplitterClass()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = DragBarProc;
    windowClass.hInstance = appInstance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszClassName = SPLITTER_CLASS;
    if (!RegisterClassExA(&windowClass))
        ShowError("Error: 2552", "Cannot create Splitter Bar ( 1 )");
}

int HitSplitter(int x, int y)
{
    return PointOnSplitter(&splitterPane, x, y);
}

void StartSplitterDrag()
{
    POINT corner = {treePane.x + treePane.width, treePane.y};
    ClientToScreen(mainWindow, &corner);
    dragBar = CreateWindowExA(WS_EX_APPWINDOW, SPLITTER_CLASS, "", WS_POPUP, corner.x, corner.y,
                              splitterPane.width, splitterPane.height, mainWindow, nullptr,
                              appInstance, nullptr);
    if (!dragBar) {
        ShowError("Error: 23456", "Cannot create Splitter Bar ( 2 )");
        return;
    }
    UpdateWindow(dragBar);
    ShowWindow(dragBar, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void MoveSplitterDrag(int x)
{
    if (!SplitterPositionAllowed(&treePane, &listPane, x))
        return;
    splitterPane.x = x;
    POINT corner = {x, treePane.y};
    ClientToScreen(mainWindow, &corner);
    if (dragBar)
        MoveWindow(dragBar, corner.x, corner.y, splitterPane.width, splitterPane.height, TRUE);
}

void EndSplitterDrag()
{
    if (dragBar) {
        DestroyWindow(dragBar);
        dragBar = nullptr;
    }
    RECT oldGap = {treePane.x + treePane.width, treePane.y, treePane.x + treePane.width + ScalePaneSize(4),
                   treePane.y + treePane.height};
    InvalidateRect(mainWindow, &oldGap, TRUE);
    UpdateWindow(mainWindow);
}

void OnSplitterMouseMove(int x, int y)
{
    if (splitterDragging)
        MoveSplitterDrag(x);
    else
        SetCursor(HitSplitter(x, y) ? splitterCursor : LoadCursorA(nullptr, IDC_ARROW));
}

void OnSplitterButtonDown(int x, int y)
{
    if (splitterDragging)
        return;
    if (HitSplitter(x, y)) {
        splitterDragging = 1;
        SetCursor(splitterCursor);
        SetCapture(mainWindow);
        StartSplitterDrag();
    } else {
        splitterDragging = 0;
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    }
}

void OnSplitterButtonUp()
{
    if (!splitterDragging)
        return;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    EndSplitterDrag();
    SendMessageA(mainWindow, WM_SIZE, 0, MAKELPARAM(clientWidth, clientHeight));
    splitterDragging = 0;
    ReleaseCapture();
}
