// Stands in for a program chosen with "View/Open With..." or registered for
// an extension: writes the command line it was started with, exactly as it
// arrived, into command-line-<process id>.txt beside itself, and ends. The
// file gets its name only once complete, so a reader never sees half of it.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    char* slash = strrchr(path, '\\');
    if (!slash)
        return 1;
    const size_t room = (size_t)(path + MAX_PATH - (slash + 1));
    const unsigned long id = (unsigned long)GetCurrentProcessId();
    char finished[MAX_PATH];
    memcpy(finished, path, sizeof path);
    snprintf(slash + 1, room, "command-line-%lu.part", id);
    snprintf(finished + (slash + 1 - path), room, "command-line-%lu.txt", id);
    FILE* out = fopen(path, "wb");
    if (!out)
        return 1;
    const char* commandLine = GetCommandLineA();
    fwrite(commandLine, 1, strlen(commandLine), out);
    if (fclose(out) != 0)
        return 1;
    return MoveFileA(path, finished) ? 0 : 1;
}
