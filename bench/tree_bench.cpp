// Times the viewer loading a disc's item table into its folder tree, and
// filling the file list with one folder's files, in real controls.
//   tree_bench load VIEWER_FILE            prints the seconds LoadItemTree took
//   tree_bench fill VIEWER_FILE FOLDER     prints the seconds FillFileList took
// VIEWER_FILE is a disc's discview.exe, as mkdisc writes it.
#include <cstdio>
#include <cstring>

#include "bench_viewer.h"
#include "file_list.h"
#include "item_list.h"
#include "item_records.h"
#include "item_tree.h"
#include "main_window.h"

int main(int argc, char** argv)
{
    if (argc < 3 || (strcmp(argv[1], "fill") == 0 && argc < 4)) {
        fprintf(stderr, "usage: tree_bench load VIEWER_FILE | fill VIEWER_FILE FOLDER\n");
        return 2;
    }
    if (!OpenDisc(argv[2], "bench")) {
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
    printf("%.3f\n", seconds);
    return 0;
}
