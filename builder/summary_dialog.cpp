// The summary after a build: what the disc holds, and "Open disc", which
// starts the disc's own viewer from the output folder as a reader would.
#include <windows.h>

#include "builder_state.h"
#include "dialogs.h"
#include "progress_text.h"
#include "resource.h"

namespace {

struct Summary {
    BuildTotals totals;
    std::string outputFolder;
};

const Summary* shownSummary = nullptr;

int StartViewer(const std::wstring& folder)
{
    std::wstring viewer = folder + L"\\discview.exe";
    std::wstring commandLine = L"\"" + viewer + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(viewer.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        ShowMessage("The viewer \"" + Narrow(viewer) + "\" cannot be started.", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1;
}

}  // namespace

INT_PTR CALLBACK SummaryDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextW(dialog, IDC_SUMMARY_TEXT,
                        Widen(SummaryText(shownSummary->totals, shownSummary->outputFolder)).c_str());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_OPEN_DISC:
            if (StartViewer(Widen(shownSummary->outputFolder)))
                EndDialog(dialog, 1);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

void ShowSummary(HWND owner, const BuildTotals& totals, const std::string& outputFolder)
{
    Summary summary{totals, outputFolder};
    shownSummary = &summary;
    DialogBoxParamW(builderInstance, MAKEINTRESOURCEW(IDD_SUMMARY), owner, SummaryDialog, 0);
    shownSummary = nullptr;
}
