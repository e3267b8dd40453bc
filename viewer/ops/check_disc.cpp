#include "check_disc.h"

#include <windows.h>

#include <cstdlib>

#include "check_text.h"
#include "export_progress.h"
#include "extraction.h"
#include "item_list.h"
#include "item_records.h"
#include "win_helpers.h"

// Abort stops the check inside a large file too, not only between files.
static int KeepChecking(void*, uint32_t)
{
    return !exportAborted;
}

static void ShowReport(const CheckReport* report)
{
    const char* caption = report->aborted ? "Aborted:" : report->problems ? "Damaged:" : "Finished:";
    // The list of files can be longer than ShowError's text takes.
    char* text = FormatCheckReport(report);
    if (text)
        MessageBoxA(MessageOwner(), text, caption, MB_SYSTEMMODAL | MB_ICONQUESTION);
    else
        ShowError(caption, "%lu of %lu files were checked; %lu are damaged or cannot be read.",
                  (unsigned long)report->checked, (unsigned long)report->total, (unsigned long)report->problems);
    free(text);
}

void OnCheckDisc()
{
    uint32_t total = 0;
    for (const ArcsealItem* item = itemListHead; item; item = item->next)
        total += RecordHasDataFields(item->itemType) ? 1 : 0;
    CheckReport report;
    StartCheckReport(&report, total);

    InterlockedExchange(&exportAborted, 0);
    StartExportProgress("Checking...");
    int noMemory = 0;
    for (const ArcsealItem* item = itemListHead; item && !report.aborted; item = item->next) {
        if (!RecordHasDataFields(item->itemType))
            continue;
        int result = exportAborted ? CHECK_ABORTED : CheckItemFile(item, KeepChecking, nullptr);
        if (result == CHECK_ABORTED || result == CHECK_NO_MEMORY) {
            noMemory = result == CHECK_NO_MEMORY;
            report.aborted = 1;
            break;
        }
        char path[1024];
        DiscPathOf(item, path, sizeof path);
        NoteCheckedFile(&report, path, result == CHECK_DAMAGED, result == CHECK_UNREADABLE);
    }
    FinishExportProgress();

    if (noMemory)
        ShowError("Error:", "Cannot allocate memory for file!");
    ShowReport(&report);
    FreeCheckReport(&report);
}
