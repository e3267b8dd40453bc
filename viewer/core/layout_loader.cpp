#include "layout_loader.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "bitmap_helpers.h"
#include "block_size.h"
#include "copy_descrambled.h"
#include "disc_integrity.h"
#include "font_install.h"
#include "key_fields.h"
#include "path_text.h"
#include "process_text.h"
#include "resource.h"
#include "scramble.h"
#include "viewer_state.h"
#include "win_helpers.h"

static const char* const CORRUPT_CAPTION = "Error: (53673224)";
static const char* const CORRUPT_TEXT = "Corrupt! - re-build your Arcseal.";

static int ShowCorrupt(FILE* viewer)
{
    if (viewer)
        fclose(viewer);
    ShowError(CORRUPT_CAPTION, CORRUPT_TEXT);
    return 0;
}

static int SeekTo(FILE* file, uint64_t offset)
{
    return _fseeki64(file, (__int64)offset, SEEK_SET) == 0;
}

// Reads size bytes at offset; 0 when the file cannot deliver all of them.
static int ReadAt(FILE* file, uint64_t offset, void* buffer, size_t size)
{
    return SeekTo(file, offset) && fread(buffer, 1, size, file) == size;
}

static void DescrambleSection(void* buffer, size_t size)
{
    XorWithValue((unsigned char*)buffer, size, CombinedKeyValue(layoutKey));
}

// The extension of a stored image name (what follows its last dot, at most
// 15 characters of it), or "" when there is none or it is not plain.
static void ImageExtension(const char* imageName, char* extension, size_t size)
{
    extension[0] = 0;
    const char* namePart = FileNamePart(imageName);
    const char* dot = strrchr(namePart ? namePart : imageName, '.');
    if (!dot || strlen(dot) > 16 || strlen(dot) >= size)
        return;
    for (const char* p = dot + 1; *p; ++p)
        if (!isalnum((unsigned char)*p))
            return;
    strcpy(extension, dot);
}

// Creates a new, empty temporary file for an image and returns it open for
// writing, its path in path. The name is the viewer's own and short, whatever
// the stored name's length (the layout allows 254 bytes, more than a path
// takes); it keeps the stored extension. No existing file is ever overwritten.
static FILE* CreateTemporaryImage(const char* imageName, char* path, size_t pathSize)
{
    char extension[17];
    ImageExtension(imageName, extension, sizeof extension);
    char folder[MAX_PATH];
    DWORD folderLength = GetTempPathA(sizeof folder, folder);
    if (folderLength == 0 || folderLength >= sizeof folder)
        return nullptr;
    static unsigned counter;
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        int written = snprintf(path, pathSize, "%sdv%lu_%u%s", folder, (unsigned long)GetCurrentProcessId(),
                               counter++, extension);
        if (written < 0 || (size_t)written >= pathSize || (size_t)written >= MAX_PATH)
            return nullptr;
        HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                continue;
            return nullptr;
        }
        int descriptor = _open_osfhandle((intptr_t)handle, _O_WRONLY | _O_BINARY);
        if (descriptor == -1) {
            CloseHandle(handle);
            DeleteFileA(path);
            return nullptr;
        }
        FILE* file = _fdopen(descriptor, "wb");
        if (!file) {
            _close(descriptor);
            DeleteFileA(path);
        }
        return file;
    }
    return nullptr;
}

// Writes one image section to a temporary file, turns it into a bitmap and
// deletes the file. *bitmap stays null when the image cannot be decoded, and
// also when the temporary file cannot be written (a full or read-only temp
// folder): the splash then goes without that image. Returns 0 only for a
// section the viewer file cannot deliver, after the corrupt message (the
// viewer file is closed then).
static int LoadSectionImage(FILE* viewer, const char* imageName, uint64_t offset, uint32_t size,
                            HBITMAP* bitmap)
{
    char path[MAX_PATH];
    path[0] = 0;
    if (!SeekTo(viewer, offset))
        return ShowCorrupt(viewer);
    FILE* image = CreateTemporaryImage(imageName, path, sizeof path);
    if (!image)
        return 1;
    int copied = CopyDescrambled(layoutKey, image, viewer, size);
    int closed = fclose(image) == 0;
    if (!copied || !closed) {
        DeleteFileA(path);
        if (ferror(viewer) || feof(viewer))
            return ShowCorrupt(viewer);
        return 1;
    }
    // The stored name decides the loader, as it always has: a name ending in
    // "P" (.bmp) is a bitmap file, any other goes to the picture loader.
    size_t length = strlen(imageName);
    if (length > 0 && toupper((unsigned char)imageName[length - 1]) == 'P')
        *bitmap = (HBITMAP)LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    else
        *bitmap = LoadPicture(path, nullptr, nullptr);
    DeleteFileA(path);
    return 1;
}

// The custom font goes into the Fonts folder once: a file of that name already
// there (from an earlier run) is neither rewritten nor registered again.
static int InstallCustomFont(FILE* viewer, uint64_t offset, uint32_t size)
{
    const char* fontsFolder = FontsFolder();
    size_t blockSize;
    unsigned char* font = SectionBlockSize(size, 50, &blockSize) ? (unsigned char*)malloc(blockSize) : nullptr;
    if (!font) {
        fclose(viewer);
        ShowError("Error: (135235)", "Cannot Allocate Custom Font.");
        return 0;
    }
    memset(font, 0, blockSize - 10);
    if (!ReadAt(viewer, offset, font, size)) {
        free(font);
        return ShowCorrupt(viewer);
    }
    DescrambleSection(font, size);

    // Only a plain file name may be joined to the Fonts folder.
    const char* fileName = layoutHeader.fontFileName;
    char path[MAX_PATH];
    if (fontsFolder && IsPlainFileName(fileName) && !strstr(fileName, "..")) {
        int written = snprintf(path, sizeof path, "%s\\%s", fontsFolder, fileName);
        if (written > 0 && (size_t)written < sizeof path && !PathExists(path)) {
            FILE* out = fopen(path, "wb");
            if (out) {
                int complete = fwrite(font, 1, size, out) == size;
                complete = fclose(out) == 0 && complete;
                if (complete)
                    RegisterFont(path);
                else
                    DeleteFileA(path);  // a cut-off font would block every later install
            }
        }
    }
    free(font);
    return 1;
}

static int LoadIcons()
{
    rootIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_DISC_ROOT));
    closedFolderIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FOLDER_CLOSED));
    openFolderIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FOLDER_OPEN));
    if (!rootIcon || !closedFolderIcon || !openFolderIcon) {
        ShowError("Error: 123", "Cannot load Root icon");
        return 0;
    }
    fileIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FILE));
    if (!fileIcon) {
        ShowError("Error: 124", "Cannot load icon 778");
        return 0;
    }
    return 1;
}

static int LoadExportFrames()
{
    for (int i = 0; i < IDB_EXPORT_FRAME_COUNT; ++i) {
        HBITMAP frame = LoadBitmapA(appInstance, MAKEINTRESOURCEA(IDB_EXPORT_FRAME_FIRST + i));
        exportFrames[i] = frame ? ReplaceKeyColour(frame, GetSysColor(COLOR_BTNFACE)) : nullptr;
        if (frame)
            DeleteObject(frame);
        if (!exportFrames[i]) {
            ShowError("Error: 91", "Cannot load bitmap 18");
            return 0;
        }
    }
    return 1;
}

int LoadLayout()
{
    memset(&layoutHeader, 0, sizeof layoutHeader);
    eulaText = nullptr;

    GetModuleFileNameA(nullptr, viewerPath, sizeof viewerPath);
    viewerPath[sizeof viewerPath - 1] = 0;
    FILE* viewer = fopen(viewerPath, "rb");
    if (!viewer) {
        ShowError("Error: (522523)", "Cannot open viewer file for reading. Aborting.");
        return 0;
    }

    // The opener checks every trailer value against the file before anything
    // is allocated or read from it, and reads the header and its record: a
    // record that is there but does not hold together could turn every check
    // off or point the key derivation anywhere, so such a disc is corrupt.
    ForgetDiscKeys();
    ByteSource source;
    int reason = DISC_OK;
    if (!FileSource(viewer, &source) || !OpenDiscLayout(&source, &viewerDisc, &reason)) {
        if (reason == DISC_OUTDATED) {
            fclose(viewer);
            ShowError("Error: 14305", "This disc was made by an earlier version of Arcseal 3 and "
                                      "cannot be opened. Build it again.");
            return 0;
        }
        return ShowCorrupt(viewer);
    }
    layoutTrailer = viewerDisc.trailer;
    layoutHeader = viewerDisc.header;
    // The names of the font and images are code page 1252: as the process's
    // ANSI calls take them (UTF-8 where the manifest holds).
    for (char* name : {layoutHeader.fontFileName, layoutHeader.fontFaceName, layoutHeader.backImageName,
                       layoutHeader.logoImageName}) {
        char converted[sizeof layoutHeader.fontFileName];
        StoredNameToProcess(name, 0, converted, sizeof converted);
        memcpy(name, converted, sizeof converted);
    }
    const LayoutSections& sections = viewerDisc.sections;

    if (layoutHeader.flags & FLAG_EULA) {
        size_t size = layoutTrailer.eulaSize;
        size_t blockSize;
        eulaText = SectionBlockSize(size, 50, &blockSize) ? (char*)malloc(blockSize) : nullptr;
        if (!eulaText) {
            fclose(viewer);
            ShowError("Error: (135235)", "Cannot Allocate EULA.");
            return 0;
        }
        memset(eulaText, 0, blockSize - 10);
        if (!ReadAt(viewer, sections.eula, eulaText, size))
            return ShowCorrupt(viewer);
        DescrambleSection(eulaText, size);
    }

    if ((layoutHeader.flags & FLAG_BACK_IMAGE) &&
        !LoadSectionImage(viewer, layoutHeader.backImageName, sections.backImage,
                          layoutTrailer.backImageSize, &backgroundBitmap))
        return 0;
    if ((layoutHeader.flags & FLAG_LOGO_IMAGE) &&
        !LoadSectionImage(viewer, layoutHeader.logoImageName, sections.logoImage,
                          layoutTrailer.logoImageSize, &logoBitmap))
        return 0;
    if ((layoutHeader.textFlags & TEXT_CUSTOM_FONT) &&
        !InstallCustomFont(viewer, sections.font, layoutTrailer.fontSize))
        return 0;
    fclose(viewer);

    return LoadIcons() && LoadExportFrames();
}
