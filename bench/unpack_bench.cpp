// Times the installer's unpacking of a package file into a folder, without
// its dialogs: the very code setup.exe runs on its worker thread. Prints the
// seconds UnpackPackageFrom took.
//   unpack_bench PACKAGE INSTALL_DIR
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "package_unpack.h"
#include "setup_state.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: unpack_bench PACKAGE INSTALL_DIR\n");
        return 2;
    }
    int length = snprintf(installDir, sizeof installDir, "%s", argv[2]);
    if (length < 0 || length >= (int)sizeof installDir) {
        fprintf(stderr, "unpack_bench: installation directory too long\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    int ok = UnpackPackageFrom(argv[1]);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) {
        fprintf(stderr, "unpack_bench: unpacking failed\n");
        return 1;
    }
    printf("%.3f\n", seconds);
    return 0;
}
