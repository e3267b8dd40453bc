// Times the viewer loading a disc's item table into its folder tree, and
// filling the file list with one folder's files, in real controls.
//   tree_bench load VIEWER_FILE            prints the seconds LoadItemTree took
//   tree_bench fill VIEWER_FILE FOLDER     prints the seconds FillFileList took
//   tree_bench find VIEWER_FILE TEXT       prints the seconds the Find window
//                                          took to list what it found
//   tree_bench respace VIEWER_FILE OUT_FILE STEP
//                                          writes a copy whose item ids (and
//                                          parent ids) are multiplied by STEP
// VIEWER_FILE is a disc's discview.exe, as mkdisc writes it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench_viewer.h"
#include "file_list.h"
#include "find_dialog.h"
#include "item_list.h"
#include "item_records.h"
#include "item_tree.h"
#include "key_fields.h"
#include "main_window.h"
#include "resource.h"
#include "scramble.h"
#include "viewer_state.h"

// The same disc with ids a hostile disc might choose: every id and parent id
// times step (65,536 makes every id share its low 16 bits).
static int Respace(const char* viewerFile, const char* outFile, uint32_t step)
{
    FILE* in = fopen(viewerFile, "rb");
    if (!in)
        return 1;
    std::vector<unsigned char> bytes;
    unsigned char buffer[65536];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, in)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + got);
    fclose(in);
    if (!OpenBenchDisc(viewerFile, "bench"))
        return 1;
    unsigned char* table = bytes.data() + layoutTrailer.layoutStart;
    const unsigned char key = CombinedKeyValue(layoutKey);
    XorWithValue(table, layoutTrailer.itemTableSize, key);
    uint32_t position = 0;
    for (uint32_t i = 0; i < layoutTrailer.itemCount; ++i) {
        uint32_t start = position;
        ItemRecord record;
        const char* failure = "";
        if (!ReadItemRecord(table, layoutTrailer.itemTableSize, &position, &record, &failure))
            return 1;
        record.itemId *= step;
        record.parentId *= step;
        memcpy(table + start, &record.itemId, 4);
        memcpy(table + start + 4, &record.parentId, 4);
    }
    XorWithValue(table, layoutTrailer.itemTableSize, key);
    FILE* out = fopen(outFile, "wb");
    if (!out || fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
        return 1;
    return fclose(out) != 0;
}

int main(int argc, char** argv)
{
    const bool withText = strcmp(argv[1], "fill") == 0 || strcmp(argv[1], "find") == 0;
    if (argc < 3 || (withText && argc < 4) || (strcmp(argv[1], "respace") == 0 && argc < 5)) {
        fprintf(stderr, "usage: tree_bench load VIEWER_FILE | fill VIEWER_FILE FOLDER | find VIEWER_FILE TEXT | "
                        "respace VIEWER_FILE OUT_FILE STEP\n");
        return 2;
    }
    if (strcmp(argv[1], "respace") == 0)
        return Respace(argv[2], argv[3], (uint32_t)strtoul(argv[4], nullptr, 10));
    if (!OpenBenchDisc(argv[2], "bench")) {
        fprintf(stderr, "tree_bench: %s is no disc viewer\n", argv[2]);
        return 1;
    }
    CreateViewerWindows();

    long long start = NowTicks();
    int loaded = LoadItemTree(treeWindow);
    SettleWindows();
    double seconds = SecondsSince(start);
    if (!loaded)
        return 1;
    if (strcmp(argv[1], "fill") == 0) {
        ArcsealItem* folder = itemListHead;
        while (folder && !(folder->itemType == ITEM_FOLDER && folder->itemName &&
                           strcmp(folder->itemName, argv[3]) == 0))
            folder = folder->next;
        if (!folder) {
            fprintf(stderr, "tree_bench: no folder %s\n", argv[3]);
            return 1;
        }
        start = NowTicks();
        FillFileList(folder);
        SettleWindows();
        seconds = SecondsSince(start);
    }
    if (strcmp(argv[1], "find") == 0) {
        // The real Find window, modeless here, and its Find button.
        HWND dialog = CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_FIND), mainWindow, FindDialog, 0);
        if (!dialog)
            return 1;
        SetDlgItemTextA(dialog, IDC_FIND_TEXT, argv[3]);
        SetFocus(GetDlgItem(dialog, IDC_FIND_TEXT));
        start = NowTicks();
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        SettleWindows();
        seconds = SecondsSince(start);
        DestroyWindow(dialog);
    }
    printf("%.3f\n", seconds);
    return 0;
}
