// The progress dialog: files and bytes written and a bar, while a worker
// thread builds the disc; Cancel stops the worker at its next slice, and the
// staged output leaves the output folder as it was.
#include <windows.h>
#include <commctrl.h>
#include <process.h>

#include <atomic>
#include <new>

#include "builder_state.h"
#include "dialogs.h"
#include "disc_builder.h"
#include "progress_text.h"
#include "resource.h"

namespace {

const int BAR_RANGE = 1000;
const UINT_PTR COUNTS_TIMER = 1;
const UINT COUNTS_INTERVAL_MS = 100;

// Shared between the worker and the dialog: the counts and the cancel
// request. The dialog reads the counts on a timer: messages posted for every
// slice would come before the mouse and painting and leave Cancel dead.
struct BuildRun {
    const DiscOptions* options = nullptr;
    HWND dialog = nullptr;
    HANDLE worker = nullptr;
    std::atomic<uint64_t> files{0};
    std::atomic<uint64_t> bytes{0};
    std::atomic<uint64_t> plannedFiles{0};
    std::atomic<uint64_t> plannedBytes{0};
    std::atomic<bool> planned{false};
    std::atomic<bool> cancel{false};
    BuildResult result;  // written by the worker before it posts WM_BUILD_FINISHED
};

BuildRun* currentRun = nullptr;

class WindowProgress : public BuildProgress {
public:
    explicit WindowProgress(BuildRun& run) : run_(run) {}
    void Planned(const BuildTotals& totals) override
    {
        run_.plannedFiles = totals.files;
        run_.plannedBytes = totals.bytes;
        run_.planned = true;
    }
    void Advanced(uint64_t filesDone, uint64_t bytesDone) override
    {
        run_.files = filesDone;
        run_.bytes = bytesDone;
    }
    bool CancelRequested() override { return run_.cancel; }

private:
    BuildRun& run_;
};

unsigned __stdcall BuildWorker(void* parameter)
{
    BuildRun& run = *(BuildRun*)parameter;
    WindowProgress progress(run);
    try {
        run.result.totals = BuildDisc(*run.options, &progress);
        run.result.outcome = BUILD_DONE;
    } catch (const BuildCancelled&) {
        run.result.outcome = BUILD_CANCELLED;
    } catch (const BuildError& failure) {
        run.result.message = failure.what();
    } catch (const std::bad_alloc&) {
        run.result.message = "out of memory";
    } catch (const std::exception& failure) {
        run.result.message = failure.what();
    }
    PostMessageW(run.dialog, WM_BUILD_FINISHED, 0, 0);
    return 0;
}

void ShowCounts(HWND dialog, const BuildRun& run)
{
    if (!run.planned)
        return;
    BuildTotals totals;
    totals.files = run.plannedFiles;
    totals.bytes = run.plannedBytes;
    uint64_t files = run.files;
    uint64_t bytes = run.bytes;
    if (!run.cancel)
        SetDlgItemTextW(dialog, IDC_PROGRESS_FILES, Widen(FilesProgressText(files, totals.files)).c_str());
    SetDlgItemTextW(dialog, IDC_PROGRESS_BYTES, Widen(BytesProgressText(bytes, totals.bytes)).c_str());
    SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, ProgressPosition(files, bytes, totals, BAR_RANGE), 0);
}

}  // namespace

INT_PTR CALLBACK ProgressDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        currentRun->dialog = dialog;
        SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, BAR_RANGE);
        SetTimer(dialog, COUNTS_TIMER, COUNTS_INTERVAL_MS, nullptr);
        currentRun->worker = (HANDLE)_beginthreadex(nullptr, 0, BuildWorker, currentRun, 0, nullptr);
        if (!currentRun->worker) {
            currentRun->result.message = "cannot start the build";
            EndDialog(dialog, 0);
        }
        return TRUE;
    case WM_TIMER:
        ShowCounts(dialog, *currentRun);
        return TRUE;
    case WM_BUILD_FINISHED:
        KillTimer(dialog, COUNTS_TIMER);
        WaitForSingleObject(currentRun->worker, INFINITE);
        CloseHandle(currentRun->worker);
        currentRun->worker = nullptr;
        EndDialog(dialog, 1);
        return TRUE;
    case WM_COMMAND:
        // Cancel, Esc and the close box: the worker stops at its next slice,
        // and the dialog closes when it has.
        if (LOWORD(wParam) == IDCANCEL && !currentRun->cancel) {
            currentRun->cancel = true;
            EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
            SetDlgItemTextW(dialog, IDC_PROGRESS_FILES, L"Cancelling...");
        }
        return TRUE;
    }
    return FALSE;
}

BuildResult RunBuild(HWND owner, const DiscOptions& options)
{
    BuildRun run;
    run.options = &options;
    currentRun = &run;
    DialogBoxParamW(builderInstance, MAKEINTRESOURCEW(IDD_PROGRESS), owner, ProgressDialog, 0);
    currentRun = nullptr;
    return run.result;
}
