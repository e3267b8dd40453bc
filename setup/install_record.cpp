#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "install_log.h"
#include "install_record.h"
#include "setup_helpers.h"
#include "setup_state.h"

// Used by the worker thread alone, from BeginInstallRecord to EndInstallRecord.
static InstallLog record;
static int recording = 0;
static int writeFailed = 0;
static char logPath[SETUP_PATH_SIZE + 32];

static void TakeOverEarlierLog()
{
    FILE* file = fopen(logPath, "rb");
    if (!file)
        return;
    char* bytes = nullptr;
    long length = -1;
    if (fseek(file, 0, SEEK_END) == 0 && (length = ftell(file)) > 0 && fseek(file, 0, SEEK_SET) == 0 &&
        (bytes = (char*)malloc((size_t)length)) != nullptr && fread(bytes, 1, (size_t)length, file) == (size_t)length)
        MergeInstallLog(&record, bytes, (size_t)length);
    free(bytes);
    fclose(file);
}

// The whole log, written anew each time: on disk it is always complete.
static void WriteRecord()
{
    if (writeFailed || !PathExists(installDir))
        return;
    FILE* file = fopen(logPath, "wb");
    int written = file && fwrite(record.text, 1, record.length, file) == record.length;
    if (file && fclose(file) != 0)
        written = 0;
    if (!written)
        writeFailed = 1;
}

void BeginInstallRecord()
{
    writeFailed = 0;
    recording = InitInstallLog(&record) && InstallLogPath(installDir, logPath, sizeof logPath);
    if (recording)
        TakeOverEarlierLog();
    else
        writeFailed = 1;
}

void RecordCreated(char kind, const char* path)
{
    if (!recording)
        return;
    if (!AddInstallLogEntry(&record, kind, path))
        writeFailed = 1;
    WriteRecord();
}

int EndInstallRecord()
{
    int recorded = recording && !writeFailed;
    recording = 0;
    FreeInstallLog(&record);
    if (!recorded)
        ShowError("Error:", "Cannot write the list of installed files, %s. The uninstaller will not know which "
                            "files are Arcseal3's.", logPath);
    return recorded;
}
