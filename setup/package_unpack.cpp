#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "install_log.h"
#include "install_record.h"
#include "package_unpack.h"
#include "setup_helpers.h"
#include "setup_state.h"

static const char* const CORRUPT_CAPTION = "Error:(3436)";
static const char* const CORRUPT_TEXT = "Installer corrupt. Please re-download and try again.";

// Own executable, Windows and system directories, each at most 255 characters.
static int ReadOwnPath(char* path)
{
    DWORD length = GetModuleFileNameA(nullptr, path, SETUP_PATH_SIZE);
    return length > 0 && length < SETUP_PATH_SIZE;
}

static int ReadSystemDirs(char* systemDir, char* windowsDir)
{
    UINT system = GetSystemDirectoryA(systemDir, SETUP_PATH_SIZE);
    UINT windows = GetWindowsDirectoryA(windowsDir, SETUP_PATH_SIZE);
    return system > 0 && system < SETUP_PATH_SIZE && windows > 0 && windows < SETUP_PATH_SIZE;
}

// Opens the package file and checks it whole; the system and Windows
// directories it was checked against are read into the two buffers. Returns
// the open file, or null after the failure's message.
static FILE* OpenCheckedPackage(const char* packagePath, char* systemDir, char* windowsDir,
                                PackageTrailer* trailer, PackageSummary* summary)
{
    FILE* package = fopen(packagePath, "rb");
    if (!package) {
        ShowError("Error:(3435)", "Cannot open host installer for unpacking.");
        return nullptr;
    }
    if (!ReadSystemDirs(systemDir, windowsDir) || !CheckPackage(package, systemDir, windowsDir, trailer, summary)) {
        fclose(package);
        ShowError(CORRUPT_CAPTION, CORRUPT_TEXT);
        return nullptr;
    }
    return package;
}

int CheckOwnPackage()
{
    char ownPath[SETUP_PATH_SIZE];
    if (!ReadOwnPath(ownPath)) {
        ShowError("Error:(3435)", "Cannot open host installer for unpacking.");
        return 0;
    }
    PackageTrailer trailer;
    char systemDir[SETUP_PATH_SIZE], windowsDir[SETUP_PATH_SIZE];
    FILE* package = OpenCheckedPackage(ownPath, systemDir, windowsDir, &trailer, &packageSummary);
    if (!package)
        return 0;
    fclose(package);
    return 1;
}

static int WritePiece(const unsigned char* piece, uint32_t length, FILE* output)
{
    for (uint32_t at = 0; at < length; at += UNPACK_WRITE_SLICE) {
        uint32_t slice = length - at < UNPACK_WRITE_SLICE ? length - at : UNPACK_WRITE_SLICE;
        if (fwrite(piece + at, 1, slice, output) != slice)
            return 0;
    }
    return 1;
}

int CopyPackageData(FILE* output, FILE* package, uint32_t count)
{
    unsigned char* buffer = (unsigned char*)malloc(UNPACK_BUFFER_SIZE);
    if (!buffer) {
        ShowError("Error:", "Cannot allocate memory for file!");
        return 0;
    }
    int complete = 1;
    uint32_t left = count;
    while (left > 0 && complete) {
        uint32_t piece = left < UNPACK_PIECE_SIZE ? left : UNPACK_PIECE_SIZE;
        if (unpackCancelled || fread(buffer, 1, piece, package) != piece)
            complete = 0;
        else
            complete = WritePiece(buffer, piece, output);
        left -= piece;
    }
    free(buffer);
    return complete;
}

// Reports an entry's copy failure, unless the user cancelled.
static int EntryCopyFailed(uint32_t index)
{
    if (!unpackCancelled)
        ShowError("Error:(3440)", "Cannot unpack from package %d - Aborting.", (int)index);
    return 0;
}

// Writes the entry whose header comes next in the package.
static int UnpackEntry(FILE* package, uint32_t index, const char* systemDir, const char* windowsDir)
{
    PackageEntryHeader header;
    if (fread(&header, sizeof header, 1, package) != 1)
        return EntryCopyFailed(index);
    char directory[SETUP_PATH_SIZE];
    if (!BuildTargetPath(directory, sizeof directory, header.destination, installDir, systemDir, windowsDir)) {
        ShowError(CORRUPT_CAPTION, CORRUPT_TEXT);
        return 0;
    }
    // A safe remainder always holds a backslash before the file name.
    char* lastBackslash = strrchr(directory, '\\');
    *lastBackslash = 0;
    const char* fileName = lastBackslash + 1;
    if (!PathExists(directory) && !MakeDirectoryPath(directory)) {
        ShowError("Error:(3438)", "Cannot make dir. from package %d - Aborting.", (int)index);
        return 0;
    }
    char target[SETUP_PATH_SIZE];
    snprintf(target, sizeof target, "%s\\%s", directory, fileName);
    // Windows refuses to open a read-only file for writing; so does the
    // installer where the platform would not (Wine run as root).
    DWORD attributes = GetFileAttributesA(target);
    bool existed = attributes != INVALID_FILE_ATTRIBUTES;
    bool readOnly = existed && (attributes & FILE_ATTRIBUTE_READONLY);
    FILE* output = readOnly ? nullptr : fopen(target, "wb");
    if (!output) {
        ShowError("Error:(3439)", "Cannot create file from package %d.", (int)index);
        return 0;
    }
    // A file in the Windows or system folder that was there before (a shared
    // library, say) is not Arcseal3's to remove again.
    const PackagePrefix* prefix = FindDestinationPrefix(header.destination, nullptr);
    if (!existed || prefix->base == BASE_INSTALL_DIR)
        RecordCreated(INSTALL_LOG_FILE, target);
    int copied = CopyPackageData(output, package, header.dataSize);
    int closed = fclose(output) == 0;
    if (!copied || !closed) {
        // A short file must not pass for the real one.
        remove(target);
        return EntryCopyFailed(index);
    }
    SendMessageA(progressBar, PBM_STEPIT, 1, 0);
    return 1;
}

// Everything of UnpackPackageFrom but the install log.
static int UnpackEntries(const char* packagePath)
{
    PackageTrailer trailer;
    PackageSummary summary;
    char systemDir[SETUP_PATH_SIZE], windowsDir[SETUP_PATH_SIZE];
    FILE* package = OpenCheckedPackage(packagePath, systemDir, windowsDir, &trailer, &summary);
    if (!package)
        return 0;
    // The destination dialog has refused longer ones; this keeps every entry's
    // path whole for any caller.
    if (!InstallDirFits(strlen(installDir), &summary)) {
        fclose(package);
        ShowError("Error:", "The installation folder name is too long for the files of this installer.");
        return 0;
    }
    if (!SeekTo(package, trailer.firstEntryOffset)) {
        fclose(package);
        ShowError(CORRUPT_CAPTION, CORRUPT_TEXT);
        return 0;
    }
    if (!PathExists(trailer.defaultDirectory) && !MakeDirectoryPath(trailer.defaultDirectory)) {
        fclose(package);
        ShowError("Error:(3437)", "Cannot make dirs. Aborting.");
        return 0;
    }
    InterlockedExchange(&entryCount, (LONG)trailer.entryCount);
    SendMessageA(progressBar, PBM_SETRANGE, 0, MAKELPARAM(0, trailer.entryCount & 0xFFFF));
    int complete = 1;
    for (uint32_t index = 0; index < trailer.entryCount && complete; ++index)
        complete = !unpackCancelled && UnpackEntry(package, index, systemDir, windowsDir);
    fclose(package);
    return complete;
}

int UnpackPackageFrom(const char* packagePath)
{
    // Also what a failed or cut-short unpacking made is recorded, so that
    // the uninstaller removes it.
    BeginInstallRecord();
    int complete = UnpackEntries(packagePath);
    return EndInstallRecord() && complete;
}

int UnpackPackage()
{
    char ownPath[SETUP_PATH_SIZE];
    if (!ReadOwnPath(ownPath)) {
        ShowError("Error:(3435)", "Cannot open host installer for unpacking.");
        return 0;
    }
    return UnpackPackageFrom(ownPath);
}
