// Times the viewer's export against a plain CopyFileA of the same data.
//   export_bench file VIEWER_FILE NAME TARGET_DIR   ExportFile of the file item NAME
//   export_bench disc VIEWER_FILE TARGET_DIR        ExportFolder of the whole disc
//   export_bench copyfile SOURCE TARGET             CopyFileA of one file
//   export_bench copytree SOURCE_DIR TARGET_DIR     CopyFileA of every file of a tree
// Each prints the seconds the copying took.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bench_viewer.h"
#include "export.h"
#include "item_list.h"
#include "item_records.h"
#include "item_tree.h"
#include "main_window.h"

static bool CopyTree(const std::string& source, const std::string& target)
{
    CreateDirectoryA(target.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((source + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string from = source + "\\" + name;
        std::string to = target + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from, to) && ok;
        else
            ok = CopyFileA(from.c_str(), to.c_str(), FALSE) && ok;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

static ArcsealItem* ItemNamed(uint32_t type, const char* name)
{
    for (ArcsealItem* item = itemListHead; item; item = item->next)
        if (item->itemType == type && (!name || (item->itemName && strcmp(item->itemName, name) == 0)))
            return item;
    return nullptr;
}

int main(int argc, char** argv)
{
    // Windows paths with backslashes, as the folder chooser gives them.
    for (int i = 2; i < argc; ++i)
        for (char* p = argv[i]; *p; ++p)
            if (*p == '/')
                *p = '\\';
    if (argc < 4) {
        fprintf(stderr, "usage: see the comment at the top of export_bench.cpp\n");
        return 2;
    }
    const char* mode = argv[1];
    long long start = 0;
    bool ok = false;
    if (strcmp(mode, "copyfile") == 0) {
        start = NowTicks();
        ok = CopyFileA(argv[2], argv[3], FALSE) != 0;
    } else if (strcmp(mode, "copytree") == 0) {
        start = NowTicks();
        ok = CopyTree(argv[2], argv[3]);
    } else {
        if (!OpenBenchDisc(argv[2], "bench")) {
            fprintf(stderr, "export_bench: %s is no disc viewer\n", argv[2]);
            return 1;
        }
        CreateViewerWindows();
        if (!LoadItemTree(treeWindow))
            return 1;
        if (strcmp(mode, "file") == 0 && argc >= 5) {
            ArcsealItem* item = ItemNamed(ITEM_FILE, argv[3]);
            start = NowTicks();
            ok = item && ExportFile(item, argv[4]);
        } else if (strcmp(mode, "disc") == 0) {
            ArcsealItem* disc = ItemNamed(ITEM_WHOLE_DISC, nullptr);
            start = NowTicks();
            ok = disc && ExportFolder(disc, argv[3]) == 1;
        }
    }
    double seconds = SecondsSince(start);
    if (!ok) {
        fprintf(stderr, "export_bench: %s failed\n", mode);
        return 1;
    }
    printf("%.3f\n", seconds);
    return 0;
}
