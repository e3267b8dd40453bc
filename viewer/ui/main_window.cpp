#include "main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "about_box.h"
#include "bitmap_helpers.h"
#include "check_disc.h"
#include "context_menus.h"
#include "drag_out.h"
#include "export.h"
#include "file_list.h"
#include "find_dialog.h"
#include "item_tree.h"
#include "key_fields.h"
#include "pane_keys.h"
#include "properties.h"
#include "resource.h"
#include "shutdown.h"
#include "splitter.h"
#include "viewer_state.h"
#include "win_helpers.h"
#include "window_dpi.h"

HWND mainWindow;
HWND statusWindow;
HWND treeWindow;
HWND listWindow;

PaneRect treePane;
PaneRect listPane;
PaneRect splitterPane;
int32_t clientWidth;
int32_t clientHeight;

HCURSOR splitterCursor;

HBITMAP foldersCaption;
HBITMAP filesCaption;
HBITMAP captionEnd;

static const char MAIN_CLASS[] = MAIN_WINDOW_CLASS;
static const char HELP_PAGE[] = "https://arcseal.example/help/";

static HBITMAP LoadCaption(int id, const char* caption)
{
    HBITMAP bitmap = nullptr;
    HBITMAP resource = LoadBitmapA(appInstance, MAKEINTRESOURCEA(id));
    if (resource) {
        bitmap = ReplaceKeyColour(resource, GetSysColor(COLOR_BTNFACE));
        DeleteObject(resource);
    }
    if (!bitmap)
        ShowError(caption, "Cannot load bitmap 1");
    return bitmap;
}

// The caption pictures are pixel art drawn for 96 DPI: at another DPI each
// pixel becomes a block of the scaled size, which keeps the edges sharp.
static void DrawCaptionPicture(HDC dc, HBITMAP picture, int x)
{
    if (!picture)
        return;
    if (PaneLayoutDpi() == DESIGN_DPI) {
        DrawBitmap(dc, picture, x, 0);
        return;
    }
    BITMAP info = {};
    GetObjectA(picture, sizeof info, &info);
    StretchBitmap(dc, picture, x, 0, ScalePaneSize(info.bmWidth), ScalePaneSize(info.bmHeight));
}

void PaintCaptionStrips(HDC dc)
{
    // The pictures' sizes at 96 DPI: folders 78, files 53 (its fill starts
    // one pixel early), the rounded end 4, all 19 high.
    const int height = ScalePaneSize(19);
    const int end = ScalePaneSize(4);
    HBRUSH black = (HBRUSH)GetStockObject(BLACK_BRUSH);
    DrawCaptionPicture(dc, foldersCaption, 0);
    RECT treeFill = {ScalePaneSize(78), 0, treePane.width - end, height};
    FillRect(dc, &treeFill, black);
    DrawCaptionPicture(dc, captionEnd, treePane.width - end);
    DrawCaptionPicture(dc, filesCaption, listPane.x - 1);
    RECT listFill = {listPane.x - 1 + ScalePaneSize(53), 0, listPane.x + listPane.width - end, height};
    FillRect(dc, &listFill, black);
    DrawCaptionPicture(dc, captionEnd, listPane.x + listPane.width - end);
}

static void ApplyLayout(HWND window, int32_t width, int32_t height)
{
    LayoutPanesOnSize(width, height, &clientWidth, &clientHeight, &treePane, &listPane, &splitterPane);
    MoveWindow(treeWindow, treePane.x, treePane.y, treePane.width, treePane.height, TRUE);
    MoveWindow(listWindow, listPane.x, listPane.y, listPane.width, listPane.height, TRUE);
    int32_t x, y, barWidth, barHeight;
    StatusBarRect(width, height, &x, &y, &barWidth, &barHeight);
    MoveWindow(statusWindow, x, y, barWidth, barHeight, TRUE);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

// Set while a click or a context menu of the panes, or an export or open
// command, is being handled, its messages, dialogs and copies included.
// Their message boxes keep the main window pumping messages: nothing that
// arrives meanwhile may start a second operation or rebuild the file list
// under the one running.
static int operationRunning;

static LRESULT OnNotify(WPARAM wParam, LPARAM lParam)
{
    NMHDR* header = (NMHDR*)lParam;
    if (wParam == FILE_LIST_ID && header->code == LVN_GETDISPINFOA) {
        GetFileListText((NMLVDISPINFOA*)lParam);
        return 0;
    }
    if (operationRunning)
        return 0;
    operationRunning = 1;
    if (wParam == FILE_LIST_ID) {
        if (header->code == NM_RCLICK)
            ShowFileMenu();
        else if (header->code == NM_DBLCLK)
            OnListDoubleClick();
        else if (header->code == LVN_KEYDOWN)
            OnListKey((NMLVKEYDOWN*)lParam);
        else if (header->code == LVN_COLUMNCLICK)
            OnListColumnClick((NMLISTVIEW*)lParam);
        else if (header->code == LVN_BEGINDRAG)
            DragListSelection();
    } else if (wParam == FOLDER_TREE_ID) {
        if (header->code == NM_RCLICK)
            ShowFolderMenu();
        else if (header->code == NM_DBLCLK)
            OnTreeDoubleClick();
        else if (header->code == NM_CLICK)
            OnFolderClick();
        else if (header->code == TVN_SELCHANGEDA)
            OnTreeSelectionChanged((NMTREEVIEWA*)lParam);
        else if (header->code == TVN_BEGINDRAGA)
            DragTreeFolder(((NMTREEVIEWA*)lParam)->itemNew.hItem);
    }
    operationRunning = 0;
    return 0;
}

// A web page in the reader's browser; when none starts, the reader is told
// where the page is rather than left waiting for it.
static void OpenAddress(const char* address, const char* what)
{
    if ((INT_PTR)ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOW) > 32)
        return;
    ShowError("Error:(34572)", "The %s at %s cannot be shown: no web browser could be started on this computer.",
              what, address);
}

static void RunCommand(WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case CMD_PROPERTIES:
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_PROPERTIES), nullptr, PropertiesDialog, 0);
        break;
    case CMD_OPEN_WITH:
        OnOpenWith();
        break;
    case CMD_EXPORT:
        OnExport();
        break;
    case CMD_VIEW_OPEN:
        OnViewOpen();
        break;
    case CMD_CHECK_DISC:
        OnCheckDisc();
        break;
    case CMD_FIND:
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_FIND), mainWindow, FindDialog, 0);
        break;
    case CMD_ABOUT:
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_ABOUT), nullptr, AboutDialog, 0);
        break;
    case CMD_HELP:
        OpenAddress(HELP_PAGE, "help pages");
        break;
    case CMD_WEBSITE:
        OpenAddress(webAddress, "website");
        break;
    }
}

static void OnCommand(WPARAM wParam)
{
    const int command = LOWORD(wParam);
    if (command == CMD_FILE_EXIT) {
        ShutDownViewer();  // also in the middle of an operation: nothing of it is needed any more
        return;
    }
    if (operationRunning)
        return;
    // The Properties and About boxes hold nothing of the list once they are
    // up: the window goes on working beside them.
    const int isOperation = command == CMD_OPEN_WITH || command == CMD_EXPORT || command == CMD_VIEW_OPEN ||
                            command == CMD_CHECK_DISC || command == CMD_FIND;
    if (isOperation)
        operationRunning = 1;
    RunCommand(wParam);
    if (isOperation)
        operationRunning = 0;
}

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetPaneLayoutDpi(WindowDpi(window));
        foldersCaption = LoadCaption(IDB_FOLDERS_CAPTION, "Error: 211");
        filesCaption = LoadCaption(IDB_FILES_CAPTION, "Error: 212");
        captionEnd = LoadCaption(IDB_CAPTION_END, "Error: 213");
        return 0;
    case WM_SIZE:
        ApplyLayout(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintCaptionStrips(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DPICHANGED:
        OnMainWindowDpiChanged(window, HIWORD(wParam), (const RECT*)lParam);
        return 0;
    case WM_NOTIFY:
        return OnNotify(wParam, lParam);
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnSplitterMouseMove((short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnSplitterButtonDown((short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnSplitterButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        // A drag that loses the mouse (another window took it) ends where it is.
        if ((HWND)lParam != window)
            OnSplitterButtonUp();
        return 0;
    case WM_CLOSE:
        ShutDownViewer();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Windows ends the session: the copies go now, as on "Exit".
        if (wParam)
            ShutDownViewer();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND CreateChild(const char* className, const char* text, DWORD style, const PaneRect* pane, int id)
{
    return CreateWindowExA(0, className, text, style, pane->x, pane->y, pane->width, pane->height,
                           mainWindow, (HMENU)(INT_PTR)id, appInstance, nullptr);
}

int CreateMainWindow()
{
    HBRUSH background = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = appInstance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
    windowClass.lpszClassName = MAIN_CLASS;
    RegisterClassExA(&windowClass);
    mainWindow = CreateWindowExA(0, MAIN_CLASS, "Viewer", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 appInstance, nullptr);
    if (!mainWindow) {
        ShowError("Error: 30", "Cannot create viewer window.");
        return 0;
    }
    SetMessageOwner(mainWindow);

    RECT client;
    GetClientRect(mainWindow, &client);
    clientWidth = client.right;
    clientHeight = client.bottom;
    splitterCursor = LoadCursorA(appInstance, MAKEINTRESOURCEA(IDC_SPLITTER_CURSOR));
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES |
                                                          ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    statusWindow = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "Ready.", mainWindow, STATUS_BAR_ID);
    if (!statusWindow) {
        ShowError("Error: 31", "Cannot create status window.");
        return 0;
    }
    LayoutPanesAtCreation(clientWidth, clientHeight, &treePane, &listPane, &splitterPane);
    treeWindow = CreateChild(WC_TREEVIEWA, "",
                             WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES,
                             &treePane, FOLDER_TREE_ID);
    if (!treeWindow) {
        ShowError("Error: 30", "Cannot create Arcseal tree window.");
        return 0;
    }
    SendMessageA(treeWindow, TVM_SETBKCOLOR, 0, RGB(240, 240, 255));
    SendMessageA(treeWindow, TVM_SETTEXTCOLOR, 0, RGB(0, 0, 255));
    SendMessageA(treeWindow, TVM_SETLINECOLOR, 0, RGB(100, 100, 255));
    listWindow = CreateChild(WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_REPORT,
                             &listPane, FILE_LIST_ID);
    if (!listWindow) {
        ShowError("Error: 378", "Cannot create Arcseal filelist window.");
        return 0;
    }

    RegisterSplitterClass();
    SetupFileListColumns();
    UpdateWindow(mainWindow);
    ShowWindow(mainWindow, SW_SHOWMAXIMIZED);

    if (!LoadItemTree(treeWindow))
        return 0;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TakePaneSwitchKey(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DeleteObject(background);
    return 1;
}
