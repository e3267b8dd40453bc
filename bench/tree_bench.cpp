// Times the viewer loading a disc's item table into its folder tree, and
// filling the file list with one folder's files, in real controls.
//   tree_bench load VIEWER_FILE            prints the seconds LoadItemTree took
//   tree_bench fill VIEWER_FILE FOLDER     prints the seconds FillFileList took
// VIEWER_FILE is a disc's discview.exe, as mkdisc writes it.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "file_list.h"
#include "item_list.h"
#include "item_tree.h"
#include "key_fields.h"
#include "main_window.h"
#include "resource.h"
#include "viewer_state.h"

namespace {

using Clock = std::chrono::steady_clock;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && ((NMHDR*)lParam)->code == LVN_GETDISPINFOA) {
        GetFileListText((NMLVDISPINFOA*)lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool ReadTrailer(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    bool ok = _fseeki64(file, -(long long)sizeof layoutTrailer, SEEK_END) == 0 &&
              fread(&layoutTrailer, sizeof layoutTrailer, 1, file) == 1 && layoutTrailer.magic == LAYOUT_MAGIC;
    fclose(file);
    snprintf(viewerPath, sizeof viewerPath, "%s", path);
    return ok;
}

// A window like the main window: status bar, tree and list, shown.
void CreateWindows()
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
    windowClass.lpszClassName = "TreeBench";
    RegisterClassA(&windowClass);
    mainWindow = CreateWindowExA(0, "TreeBench", "Viewer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1280,
                                 1000, nullptr, nullptr, appInstance, nullptr);
    statusWindow = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "Ready.", mainWindow, 1);
    treeWindow = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS |
                                 TVS_HASLINES, 0, 21, 635, 930, mainWindow, (HMENU)2, appInstance, nullptr);
    listWindow = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL |
                                 LVS_REPORT, 640, 21, 635, 930, mainWindow, (HMENU)3, appInstance, nullptr);
    SetupFileListColumns();
}

// Lets the controls paint what the operation left to paint, so it counts.
void Settle()
{
    UpdateWindow(mainWindow);
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || (strcmp(argv[1], "fill") == 0 && argc < 4)) {
        fprintf(stderr, "usage: tree_bench load VIEWER_FILE | fill VIEWER_FILE FOLDER\n");
        return 2;
    }
    UnscrambleKeyFields();
    if (!ReadTrailer(argv[2])) {
        fprintf(stderr, "tree_bench: %s is no disc viewer\n", argv[2]);
        return 1;
    }
    CreateWindows();
    Settle();

    auto start = Clock::now();
    int loaded = LoadItemTree(treeWindow);
    Settle();
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!loaded)
        return 1;
    if (strcmp(argv[1], "fill") == 0) {
        ArcsealItem* folder = itemListHead;
        while (folder && !(folder->itemType == 1 && folder->itemName && strcmp(folder->itemName, argv[3]) == 0))
            folder = folder->next;
        if (!folder) {
            fprintf(stderr, "tree_bench: no folder %s\n", argv[3]);
            return 1;
        }
        start = Clock::now();
        FillFileList(folder);
        Settle();
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    printf("%.3f\n", seconds);
    return 0;
}
