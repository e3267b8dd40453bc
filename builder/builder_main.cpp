// Arcseal3.exe: builds discs. Started from its shortcut it opens the window
// with the disc's settings; started with arguments it runs mkdisc's command line.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "builder_state.h"
#include "console_io.h"
#include "console_mode.h"
#include "dialogs.h"
#include "resource.h"

namespace {

// The main dialog's own class, so its icon shows and it is told apart from
// message boxes; dialogs of a class of their own run DefDlgProc.
int RegisterWindowClass()
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefDlgProcW;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = builderInstance;
    windowClass.hIcon = LoadIconW(builderInstance, MAKEINTRESOURCEW(IDI_BUILDER));
    windowClass.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"" BUILDER_WINDOW_CLASS;
    windowClass.hIconSm = (HICON)LoadImageW(builderInstance, MAKEINTRESOURCEW(IDI_BUILDER), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
    return RegisterClassExW(&windowClass) != 0;
}

int RunWindow()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The folder chooser's new style needs OLE on this thread.
    OleInitialize(nullptr);
    if (!RegisterWindowClass())
        return 1;
    HWND window = CreateDialogParamW(builderInstance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialog, 0);
    if (!window) {
        MessageBoxW(nullptr, L"The window cannot be opened.", PROGRAM_CAPTION, MB_OK | MB_ICONSTOP);
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    HACCEL keys = LoadAcceleratorsW(builderInstance, MAKEINTRESOURCEW(IDR_MAIN_KEYS));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The menu's keys work in the main window only, not in its dialogs.
        if (mainWindow && TranslateAcceleratorW(mainWindow, keys, &message))
            continue;
        if (mainWindow && IsDialogMessageW(mainWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    OleUninitialize();
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    builderInstance = instance;
    std::vector<std::string> args = CommandLineArguments(0, nullptr);
    if (!args.empty())
        return RunCommandLine(args);
    return RunWindow();
}
