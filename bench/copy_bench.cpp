// Times one copy of a file: through CopyDescrambled, or (on Windows) through
// CopyFileA as the plain baseline. Prints the seconds the copy took.
//   copy_bench descrambled SOURCE DESTINATION
//   copy_bench plain SOURCE DESTINATION        (Windows only)
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "copy_descrambled.h"

static int CopyThroughDescrambler(const char* source, const char* destination)
{
    FILE* in = fopen(source, "rb");
    if (!in)
        return 0;
    FILE* out = fopen(destination, "wb");
    if (!out) {
        fclose(in);
        return 0;
    }
    std::error_code error;
    auto length = std::filesystem::file_size(source, error);
    int ok = !error && length <= 0xFFFFFFFFu &&
             CopyDescrambled("Arcseal-bench-keyTk9w", out, in, (uint32_t)length);
    ok = fclose(out) == 0 && ok;
    fclose(in);
    return ok;
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: copy_bench descrambled|plain SOURCE DESTINATION\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    int ok = 0;
    if (strcmp(argv[1], "descrambled") == 0)
        ok = CopyThroughDescrambler(argv[2], argv[3]);
#ifdef _WIN32
    else if (strcmp(argv[1], "plain") == 0)
        ok = CopyFileA(argv[2], argv[3], FALSE) != 0;
#endif
    else {
        fprintf(stderr, "copy_bench: unknown mode %s\n", argv[1]);
        return 2;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) {
        fprintf(stderr, "copy_bench: copy failed\n");
        return 1;
    }
    printf("%.3f\n", seconds);
    return 0;
}
